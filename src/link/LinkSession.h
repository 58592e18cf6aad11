#pragma once
// Carries a transfer machine's actions out on a serial port: sends, pauses
// and guard timers as Qt timers (the window keeps repainting), messages
// through the prompter. Events that arrive during a pause wait for its end,
// as the radio expects of a program that sleeps between frames.

#include "link/LinkMachine.h"

#include <QObject>
#include <QSerialPort>
#include <QTimer>
#include <memory>
#include <variant>

class TPrompter;

namespace Link
{

class Session : public QObject
{
    Q_OBJECT

public:
    Session(Machine &machine, TPrompter &prompter, const TLanguage &texts, QObject *parent = nullptr);
    ~Session() override;

    // Opens the device with the radio's line settings; on failure the machine
    // reports it (LPortError and why) and false is returned.
    bool open(const QString &device);
    void close();
    bool isOpen() const { return m_port.isOpen(); }

    // Ok, Cancel and the answers from the window or the tool.
    void ok();
    void cancel();

signals:
    void progressChanged(int value);
    void okEnabled(bool enabled);
    void closeRequested();
    void finished(bool success);

private:
    using Event = std::variant<QByteArray, int /*timer*/, bool /*line error*/>;

    // Opens m_device with the radio's line settings; false with m_openError set.
    bool openPort();
    void runActions();
    void deliver(const Event &e);
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);
    void checkLineErrors();
    void finishDrain();

    Machine &m_machine;
    TPrompter &m_prompter;
    const TLanguage &m_texts;
    QSerialPort m_port;
    QString m_device;
    int m_openError = QSerialPort::NoError; // why the last open failed
    QString m_openErrorText;
    QTimer m_timers[TimerCount];
    QTimer m_pause;
    QTimer m_drainPoll;
    QTimer m_lineErrorPoll;
    QList<Action> m_queue;
    QList<Event> m_deferred;
    bool m_busy = false; // inside a pause, a drain or a message
    bool m_running = false;
    std::array<int, 4> m_errorCounts {};
    bool m_countsKnown = false;
};

} // namespace Link
