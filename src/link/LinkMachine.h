#pragma once
// The read and write transfers as state machines: bytes, timer expiries, line
// events and the user's answers go in; what to send, which timers to run,
// pauses, messages and progress come out as a list of actions. The dialogs
// and the command-line tool carry the actions out on a real port.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <array>
#include <functional>

class TALL;
class TLanguage;
class TMacType;

namespace Link
{

enum Timer { HeadTime, TryTime, ReTime, CloseTime, TimerCount };
// Intervals of the four guard timers, in milliseconds.
constexpr int TimerInterval[TimerCount] = { 500, 450, 500, 300 };

constexpr int ProgressMaximum = 44;
constexpr int BlockSize = 8;
constexpr int RadioBytes = 368;
constexpr int HeldMaximum = 49; // bytes the receive buffer keeps
constexpr int HandledMaximum = 48; // a reply is handled only while at most this many are held
constexpr uint8_t Ack = 0x06;
constexpr uint8_t IdentRequest = 0x02;
constexpr uint8_t End = 'E';
constexpr int OutputWaitRead = 50 * 20; // longest wait for the output of the reader, ms
constexpr int OutputWaitWrite = 100 * 50; // and of the writer

struct Action {
    enum Kind {
        Send, // bytes
        Pause, // value: milliseconds; nothing else happens meanwhile
        Drain, // value: longest wait for the output to leave, ms
        Flush, // drop what the port holds in both directions
        StartTimer, // value: timer
        StopTimer, // value: timer
        Message, // text, an information box under Confirmation
        Ask, // text, a Yes/No question; the answer goes to answer()
        Progress, // value
        EnableOk, // value: 0 or 1
        Close, // the dialog closes
        Finished, // value: 1 the transfer completed, 0 it ended without success
    };
    Kind kind;
    int value = 0;
    QByteArray bytes;
    QString text;

    bool operator==(const Action &o) const
    {
        return kind == o.kind && value == o.value && bytes == o.bytes && text == o.text;
    }
};

// Receive handling and the steps both transfers share.
class Machine
{
public:
    Machine(TALL &all, const TLanguage &texts)
        : m_all(all)
        , m_texts(texts)
    {
    }
    virtual ~Machine() = default;

    QList<Action> takeActions();

    // The port could not be opened when the dialog was shown; detail says why.
    void portOpenFailed(const QString &detail);
    // A port operation failed after Ok.
    void portFailed(const QString &detail);
    virtual void ok() = 0;
    void received(const QByteArray &bytes);
    void timerExpired(int timer);
    virtual void lineError() = 0;
    // The port vanished (cable pulled, adapter removed): the transfer has failed.
    void lineLost();
    // Cancel or the close box: everything stops, nothing more is sent.
    void cancel();
    virtual void answer(bool yes) { (void)yes; }

    int state() const { return m_state; }
    int held() const { return m_held; }
    int progress() const { return m_progress; }
    bool errorShown() const { return m_errorShown; }

protected:
    virtual void handleReply() = 0;
    virtual void onTimer(int timer) = 0;

    void act(Action::Kind kind, int value = 0) { m_actions.append({ kind, value, {}, {} }); }
    void send(const QByteArray &bytes) { m_actions.append({ Action::Send, 0, bytes, {} }); }
    void message(const QString &text) { m_actions.append({ Action::Message, 0, {}, text }); }
    void setProgress(int value)
    {
        m_progress = value;
        act(Action::Progress, value);
    }
    // Shows a failure message unless one was shown in this attempt; true when shown.
    bool failOnce(const QString &text);
    void sendProgramRequest();
    // The catalogue model of the code in the identification held, or none.
    const TMacType *radioModel() const;
    // Ends the transfer with "E" and ModError.
    void refuseModel();
    // Sends 0x06 and waits, guarded, for the radio's 0x06.
    void sendAcknowledgement(int outputWait);
    void handleProgramAck(int outputWait);
    void headTimeExpired();

    TALL &m_all;
    const TLanguage &m_texts;
    QList<Action> m_actions;
    int m_state = 0;
    int m_expected = 0;
    std::array<uint8_t, HeldMaximum> m_buffer {};
    int m_held = 0;
    int m_nextAddress = -8;
    int m_progress = 0;
    bool m_errorShown = false;
};

class ReadMachine : public Machine
{
public:
    using Machine::Machine;
    void ok() override;
    void lineError() override;
    bool success() const { return m_success; }
    bool awaitingAck() const { return m_awaitingAck; }

protected:
    void handleReply() override;
    void onTimer(int timer) override;

private:
    void sendAck();
    void finish();

    bool m_awaitingAck = false;
    bool m_firstLineError = true;
    bool m_success = false;
    int m_dataCount = 0;
    std::array<uint8_t, 416> m_data {};
};

class WriteMachine : public Machine
{
public:
    // now gives the write time; the program passes the clock, tests a fixed time.
    WriteMachine(TALL &all, const TLanguage &texts, std::function<QDateTime()> now = &QDateTime::currentDateTime)
        : Machine(all, texts)
        , m_now(std::move(now))
    {
    }
    void ok() override;
    void lineError() override;
    void answer(bool yes) override;
    int blockCount() const { return m_blockCount; }

    // The 12-byte write frame of a block, with the scrambled new password in
    // the block at address 328 when a new password is to be written.
    static QByteArray frame(const TALL &all, int address);

protected:
    void handleReply() override;
    void onTimer(int timer) override;

private:
    void go();

    std::function<QDateTime()> m_now;
    int m_blockCount = 0;
    bool m_asking = false;
};

} // namespace Link
