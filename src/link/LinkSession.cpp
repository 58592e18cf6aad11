#include "link/LinkSession.h"
#include "i18n/Language.h"
#include "link/Ports.h"

#ifdef Q_OS_LINUX
#include <linux/serial.h>
#include <sys/ioctl.h>
#elif defined(Q_OS_WIN)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace Link
{

Session::Session(Machine &machine, TPrompter &prompter, const TLanguage &texts, QObject *parent)
    : QObject(parent)
    , m_machine(machine)
    , m_prompter(prompter)
    , m_texts(texts)
{
    for (int t = 0; t < TimerCount; ++t) {
        m_timers[t].setSingleShot(true);
        m_timers[t].setInterval(TimerInterval[t]);
        connect(&m_timers[t], &QTimer::timeout, this, [this, t] { deliver(Event { t }); });
    }
    m_pause.setSingleShot(true);
    connect(&m_pause, &QTimer::timeout, this, [this] {
        m_busy = false;
        runActions();
    });
    // The output wait ends when the port has written everything, or at its cap.
    m_drainPoll.setSingleShot(true);
    connect(&m_drainPoll, &QTimer::timeout, this, &Session::finishDrain);
    connect(&m_port, &QSerialPort::bytesWritten, this, [this] {
        if (m_drainPoll.isActive() && m_port.bytesToWrite() == 0)
            finishDrain();
    });
    m_lineErrorPoll.setInterval(100);
    connect(&m_lineErrorPoll, &QTimer::timeout, this, &Session::checkLineErrors);
    connect(&m_port, &QSerialPort::readyRead, this, &Session::onReadyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &Session::onError);
}

Session::~Session()
{
    close();
}

bool Session::open(const QString &device)
{
    close();
    m_device = device;
    if (openPort())
        return true;
    m_machine.portOpenFailed(PortOpenFailureDetail(m_device, m_openError, m_openErrorText));
    m_queue += m_machine.takeActions();
    runActions();
    return false;
}

bool Session::openPort()
{
    m_port.setPortName(m_device);
    const bool opened = m_port.open(QIODevice::ReadWrite) && m_port.setBaudRate(2400)
        && m_port.setDataBits(QSerialPort::Data8) && m_port.setParity(QSerialPort::NoParity)
        && m_port.setStopBits(QSerialPort::TwoStop) && m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!opened) {
        m_openError = m_port.error();
        m_openErrorText = m_port.errorString();
        m_port.close();
        return false;
    }
    // A pseudo-terminal has no modem lines: refusing them is no error.
    m_port.setDataTerminalReady(true);
    m_port.setRequestToSend(true);
    m_port.clearError();
    m_countsKnown = false;
    checkLineErrors();
    m_lineErrorPoll.start();
    return true;
}

void Session::close()
{
    m_lineErrorPoll.stop();
    if (m_port.isOpen())
        m_port.close();
}

void Session::ok()
{
    // A port that went away between transfers (cable pulled after a write)
    // is tried once more, so plugging the cable back in is enough.
    if (!m_port.isOpen() && !m_device.isEmpty())
        openPort();
    m_machine.ok();
    m_queue += m_machine.takeActions();
    runActions();
}

void Session::cancel()
{
    m_machine.cancel();
    m_machine.takeActions();
    m_queue.clear();
    m_deferred.clear();
    m_pause.stop();
    m_drainPoll.stop();
    for (QTimer &t : m_timers)
        t.stop();
    m_busy = false;
    close();
}

void Session::deliver(const Event &e)
{
    if (m_busy || m_running) {
        m_deferred.append(e);
        return;
    }
    if (const auto *bytes = std::get_if<QByteArray>(&e))
        m_machine.received(*bytes);
    else if (const auto *timer = std::get_if<int>(&e))
        m_machine.timerExpired(*timer);
    else if (std::get<bool>(e))
        m_machine.lineError();
    else
        m_machine.lineLost();
    m_queue += m_machine.takeActions();
    runActions();
}

void Session::runActions()
{
    if (m_busy || m_running)
        return;
    m_running = true;
    while (!m_queue.isEmpty() && !m_busy) {
        const Action a = m_queue.takeFirst();
        switch (a.kind) {
        case Action::Send:
            if (!m_port.isOpen() || m_port.write(a.bytes) != a.bytes.size()) {
                // The port went away between transfers (or cannot take bytes):
                // this attempt fails with the port message; nothing more is sent.
                const bool open = m_port.isOpen();
                const int error = open ? int(m_port.error()) : m_openError;
                const QString text = open ? m_port.errorString() : m_openErrorText;
                close();
                m_queue.clear();
                for (QTimer &t : m_timers)
                    t.stop();
                m_machine.portFailed(PortOpenFailureDetail(m_device, error, text));
                m_queue += m_machine.takeActions();
            }
            break;
        case Action::Pause:
            m_busy = true;
            m_pause.start(a.value);
            break;
        case Action::Drain:
            if (m_port.isOpen() && m_port.bytesToWrite() > 0) {
                m_busy = true;
                m_drainPoll.start(a.value);
            }
            break;
        case Action::Flush:
            if (m_port.isOpen()) {
                m_port.clear();
                m_port.readAll();
            }
            m_deferred.removeIf([](const Event &e) { return std::holds_alternative<QByteArray>(e); });
            break;
        case Action::StartTimer: m_timers[a.value].start(); break;
        case Action::StopTimer:
            m_timers[a.value].stop();
            // A stopped timer's expiry that waits behind a pause is void as well.
            m_deferred.removeIf([t = a.value](const Event &e) {
                const int *timer = std::get_if<int>(&e);
                return timer && *timer == t;
            });
            break;
        case Action::Message:
            m_busy = true; // the box is modal: nothing is handled meanwhile
            m_prompter.ShowPrompt(m_texts.Confirmation, a.text, Prompt::Info);
            m_busy = false;
            break;
        case Action::Ask: {
            m_busy = true;
            const bool yes = m_prompter.ShowPrompt(m_texts.Confirmation, a.text, Prompt::YesNo) == Prompt::Yes;
            m_busy = false;
            m_machine.answer(yes);
            m_queue += m_machine.takeActions();
            break;
        }
        case Action::Progress: emit progressChanged(a.value); break;
        case Action::EnableOk: emit okEnabled(a.value != 0); break;
        case Action::Close: emit closeRequested(); break;
        case Action::Finished: emit finished(a.value != 0); break;
        }
    }
    m_running = false;
    if (!m_busy && m_queue.isEmpty() && !m_deferred.isEmpty())
        deliver(m_deferred.takeFirst());
}

void Session::finishDrain()
{
    m_drainPoll.stop();
    m_busy = false;
    runActions();
}

void Session::onReadyRead()
{
    const QByteArray bytes = m_port.readAll();
    if (!bytes.isEmpty())
        deliver(Event { bytes });
    checkLineErrors();
}

void Session::onError(QSerialPort::SerialPortError error)
{
    if (error != QSerialPort::ResourceError || !m_port.isOpen())
        return;
    // The device went away: close at once so no flood of errors follows.
    close();
    m_deferred.clear();
    deliver(Event { false });
}

// Qt reports no framing or parity errors; the driver's counters (Linux) or
// the port's error flags (Windows) do.
void Session::checkLineErrors()
{
#ifdef Q_OS_LINUX
    if (!m_port.isOpen())
        return;
    serial_icounter_struct c {};
    if (::ioctl(int(m_port.handle()), TIOCGICOUNT, &c) != 0)
        return; // pseudo-terminals keep no counters
    const std::array<int, 4> now { c.frame, c.parity, c.overrun, c.brk };
    const bool more = m_countsKnown && now != m_errorCounts;
    m_errorCounts = now;
    m_countsKnown = true;
    if (more)
        deliver(Event { true });
#elif defined(Q_OS_WIN)
    if (!m_port.isOpen())
        return;
    DWORD errors = 0;
    if (::ClearCommError(HANDLE(m_port.handle()), &errors, nullptr)
        && (errors & (CE_FRAME | CE_RXPARITY | CE_OVERRUN | CE_RXOVER | CE_BREAK)))
        deliver(Event { true });
#endif
}

} // namespace Link
