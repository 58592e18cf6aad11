#include "link/LinkMachine.h"
#include "i18n/Language.h"
#include "image/AllClass.h"
#include "image/Defaults.h"
#include "models/MacType.h"

namespace Link
{

QList<Action> Machine::takeActions()
{
    QList<Action> out;
    out.swap(m_actions);
    return out;
}

bool Machine::failOnce(const QString &text)
{
    if (m_errorShown)
        return false;
    m_errorShown = true;
    message(text);
    return true;
}

void Machine::portOpenFailed(const QString &detail)
{
    if (failOnce(detail.isEmpty() ? m_texts.LPortError : m_texts.LPortError + QLatin1Char('\n') + detail))
        act(Action::Finished, 0);
    act(Action::StartTimer, CloseTime);
}

void Machine::portFailed(const QString &detail)
{
    m_state = 0;
    if (failOnce(detail.isEmpty() ? m_texts.LPortError : m_texts.LPortError + QLatin1Char('\n') + detail))
        act(Action::Finished, 0);
}

void Machine::received(const QByteArray &bytes)
{
    for (char c : bytes) {
        if (m_held <= HandledMaximum)
            m_buffer[size_t(m_held++)] = uint8_t(c);
    }
    if (m_held >= m_expected && m_held <= HandledMaximum)
        handleReply();
}

void Machine::timerExpired(int timer)
{
    act(Action::StopTimer, timer);
    onTimer(timer);
}

void Machine::lineLost()
{
    // Between transfers there is nothing to fail; the next Ok finds no answer.
    if (m_state == 0)
        return;
    m_state = 0;
    for (int t : { HeadTime, TryTime, ReTime })
        act(Action::StopTimer, t);
    if (failOnce(m_texts.ComError)) {
        act(Action::Finished, 0);
        act(Action::StartTimer, CloseTime);
    }
}

void Machine::cancel()
{
    m_state = 0;
    for (int t = 0; t < TimerCount; ++t)
        act(Action::StopTimer, t);
}

void Machine::sendProgramRequest()
{
    const QByteArray request("PROGRAM");
    for (int i = 0; i < request.size(); ++i) {
        send(request.mid(i, 1));
        if (i < 6)
            act(Action::Pause, 2);
    }
}

void Machine::handleProgramAck(int outputWait)
{
    if (m_buffer[0] != Ack && !(m_held > 1 && m_buffer[1] == Ack))
        return; // a later byte may still bring the acknowledgement in position 1
    act(Action::StopTimer, HeadTime);
    m_state = 2;
    m_expected = 16;
    m_held = 0;
    act(Action::Pause, 5);
    send(QByteArray(1, char(IdentRequest)));
    act(Action::Drain, outputWait);
    act(Action::StartTimer, HeadTime);
}

void Machine::headTimeExpired()
{
    m_state = 0;
    if (m_errorShown)
        return;
    act(Action::Pause, 2500);
    failOnce(m_texts.ComError);
    act(Action::Finished, 0);
    act(Action::StartTimer, CloseTime);
}

// ---- read -------------------------------------------------------------------

void ReadMachine::ok()
{
    m_success = false;
    m_state = 0;
    m_errorShown = false;
    setProgress(0);
    act(Action::EnableOk, 0);
    act(Action::Pause, 450);
    m_held = 0;
    act(Action::Flush);
    act(Action::Pause, 50);
    act(Action::StartTimer, HeadTime);
    m_state = 1;
    m_expected = 1;
    m_held = 0;
    sendProgramRequest();
}

const TMacType *Machine::radioModel() const
{
    const QString code = QString::fromLatin1(reinterpret_cast<const char *>(m_buffer.data()) + 1, 4);
    return m_all.Models->FindByCode(code);
}

void Machine::refuseModel()
{
    send(QByteArray(1, End));
    m_expected = 0;
    // The transfer is over: whatever the radio still sends is ignored.
    m_state = 0;
    failOnce(m_texts.ModError);
    act(Action::Finished, 0);
}

void Machine::sendAcknowledgement(int outputWait)
{
    m_expected = 1;
    m_held = 0;
    send(QByteArray(1, char(Ack)));
    act(Action::Drain, outputWait);
    act(Action::StartTimer, TryTime);
}

void ReadMachine::sendAck()
{
    m_awaitingAck = true;
    sendAcknowledgement(OutputWaitRead);
}

void ReadMachine::handleReply()
{
    switch (m_state) {
    case 1: handleProgramAck(OutputWaitRead); break;
    case 2: {
        act(Action::StopTimer, HeadTime);
        if (radioModel()) {
            m_state = 3;
            m_nextAddress = -8;
            m_dataCount = 0;
            sendAck();
        } else {
            refuseModel();
        }
        break;
    }
    case 3:
        if (!m_awaitingAck) {
            act(Action::StopTimer, TryTime);
            std::copy(m_buffer.begin() + 4, m_buffer.begin() + 12, m_data.begin() + m_dataCount);
            m_dataCount += BlockSize;
            setProgress(m_progress + 1);
            sendAck();
        } else if (m_buffer[0] == Ack) {
            act(Action::StopTimer, TryTime);
            m_nextAddress += BlockSize;
            if (m_nextAddress == RadioBytes) {
                finish();
                return;
            }
            send(QByteArray { "R", 1 } + char(m_nextAddress / 256) + char(m_nextAddress % 256) + char(BlockSize));
            m_expected = 12;
            m_held = 0;
            m_awaitingAck = false;
            act(Action::Drain, OutputWaitRead);
            act(Action::StartTimer, TryTime);
        }
        break;
    default: break;
    }
}

void ReadMachine::finish()
{
    send(QByteArray(1, End));
    act(Action::Drain, OutputWaitRead);
    m_state = 0;
    setProgress(ProgressMaximum);

    // A band that no model holds would leave the program without a model:
    // refuse the image rather than bind nothing.
    const uint8_t band = m_data[Image::BandCode - Image::RadioOffset];
    if (!m_all.Models->FindByBand(m_all.Bands->TextOf(band))) {
        failOnce(m_texts.ModError);
        act(Action::Finished, 0);
        act(Action::StartTimer, CloseTime);
        return;
    }
    message(m_texts.ReadOk);
    std::copy(m_data.begin(), m_data.end(), m_all.RadioImage.begin() + Image::RadioOffset);
    BindModel(m_all, m_all.RadioImage[Image::BandCode], true);
    SanitiseImage(m_all);
    m_all.Modified = true;
    m_success = true;
    act(Action::Finished, 1);
    act(Action::StartTimer, CloseTime);
}

void ReadMachine::onTimer(int timer)
{
    switch (timer) {
    case HeadTime: headTimeExpired(); break;
    case TryTime:
        m_state = 0;
        if (failOnce(m_texts.ComError)) {
            act(Action::Finished, 0);
            act(Action::StartTimer, CloseTime);
        }
        break;
    case ReTime:
        act(Action::EnableOk, 1);
        ok();
        break;
    case CloseTime: act(Action::Close); break;
    default: break;
    }
}

void ReadMachine::lineError()
{
    act(Action::Flush);
    m_state = 0;
    if (m_firstLineError) {
        // The first line error of a dialog restarts the transfer without a message.
        m_errorShown = true;
        m_firstLineError = false;
        act(Action::StartTimer, ReTime);
    } else {
        act(Action::StartTimer, TryTime);
    }
}

// ---- write ------------------------------------------------------------------

QByteArray WriteMachine::frame(const TALL &all, int address)
{
    QByteArray f { "W", 1 };
    f += char(address / 256);
    f += char(address % 256);
    f += char(BlockSize);
    constexpr int passwordBlock = Image::ScrambledPassword - Image::RadioOffset;
    if (address == passwordBlock && all.NewPasswordEnabled) {
        const auto scrambled = ScramblePassword(all.RadioImage.data() + Image::NewPassword);
        f.append(reinterpret_cast<const char *>(scrambled.data()), BlockSize);
    } else {
        f.append(reinterpret_cast<const char *>(all.RadioImage.data()) + Image::RadioOffset + address, BlockSize);
    }
    return f;
}

void WriteMachine::ok()
{
    WriteIdentification(m_all);
    act(Action::Pause, 450);
    m_state = 0;
    m_errorShown = false;
    m_asking = false;
    setProgress(0);
    act(Action::Flush);
    act(Action::EnableOk, 0);
    m_held = 0;
    act(Action::Pause, 50);
    act(Action::StartTimer, HeadTime);
    m_state = 1;
    m_expected = 1;
    sendProgramRequest();
}

void WriteMachine::go()
{
    WriteTimeStamp(m_all, m_now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    m_state = 3;
    m_nextAddress = -8;
    m_blockCount = 0;
    sendAcknowledgement(OutputWaitWrite);
}

void WriteMachine::answer(bool yes)
{
    if (!m_asking)
        return;
    m_asking = false;
    if (yes) {
        go();
    } else {
        // No: the transfer stops where it is; nothing more is sent.
        m_state = 0;
        act(Action::Finished, 0);
    }
}

void WriteMachine::handleReply()
{
    switch (m_state) {
    case 1: handleProgramAck(OutputWaitWrite); break;
    case 2: {
        act(Action::StopTimer, HeadTime);
        const TMacType *radio = radioModel();
        const TMacType *bound = m_all.CurrentModel;
        if (radio && bound && radio->Code == bound->Code) {
            go();
        } else if (radio && bound && radio->ChannelCount == bound->ChannelCount) {
            m_asking = true;
            m_state = 0; // bytes that still come in are not an answer
            m_actions.append({ Action::Ask, 0, {}, m_texts.Modforce });
        } else {
            refuseModel();
            act(Action::StartTimer, CloseTime);
        }
        break;
    }
    case 3:
        if (m_buffer[0] != Ack)
            break;
        act(Action::StopTimer, TryTime);
        m_nextAddress += BlockSize;
        if (m_nextAddress == RadioBytes) {
            send(QByteArray(1, End));
            act(Action::Drain, OutputWaitWrite);
            m_state = 0;
            setProgress(ProgressMaximum);
            message(m_texts.WriteOk);
            setProgress(0);
            act(Action::EnableOk, 1);
            act(Action::Finished, 1);
            return;
        }
        ++m_blockCount;
        m_expected = 1;
        m_held = 0;
        send(frame(m_all, m_nextAddress));
        act(Action::Drain, OutputWaitWrite);
        act(Action::StartTimer, TryTime);
        setProgress(m_progress + 1);
        break;
    default: break;
    }
}

void WriteMachine::onTimer(int timer)
{
    switch (timer) {
    case HeadTime: headTimeExpired(); break;
    case TryTime:
        m_state = 0;
        if (!m_errorShown) {
            act(Action::EnableOk, 1);
            failOnce(m_texts.ComError);
            act(Action::Finished, 0);
            act(Action::StartTimer, CloseTime);
        }
        break;
    case CloseTime: act(Action::Close); break;
    default: break;
    }
}

void WriteMachine::lineError()
{
    m_state = 0;
    if (failOnce(m_texts.ComError))
        act(Action::Finished, 0);
}

} // namespace Link
