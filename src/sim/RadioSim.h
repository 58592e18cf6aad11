#pragma once
// The radio's side of the programming link as a byte-driven state machine.

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace Link
{
constexpr int MemorySize = 368; // radio addresses 0..367
constexpr int BlockSize = 8;
constexpr int BlockCount = MemorySize / BlockSize; // 46
constexpr int IdentificationSize = 16;
constexpr int ReadReplySize = 12;
constexpr int WriteFrameSize = 12;
constexpr int ReadFrameSize = 4;
constexpr uint8_t Ack = 0x06;
constexpr uint8_t IdentRequest = 0x02;
constexpr char ProgramRequest[] = "PROGRAM";
constexpr int ProgramRequestSize = 7;
constexpr int PasswordBlockAddress = 0x148;
// A frame left unfinished this long is dropped, so a program that gives up
// mid-frame and starts again with "PROGRAM" is understood.
constexpr qint64 FrameGapMs = 200;
} // namespace Link

using RadioMemory = std::array<uint8_t, Link::MemorySize>;

// A fault the virtual radio plays on purpose; block numbers count from 1.
struct SimFault {
    enum Kind { None, Silent, Stray, UnknownModel, OtherModel, NoReply, Short, Garbled, Hangup };
    Kind kind = None;
    int block = 0;

    // Parses NAME or NAME:N; on failure returns false and says why.
    static bool Parse(const QString &text, SimFault &fault, QString &why);
};

// What the radio does in answer to one byte: frames it took in, replies it
// sends, bytes it could not use, and the end of a session or of the line.
struct SimEvent {
    enum Kind { Received, Sent, Dropped, SessionEnd, Hangup, PasswordSet };
    Kind kind;
    QByteArray bytes;
    QString note;
};

// The radio: answers the program-mode request, the identification request,
// acknowledgements and read/write frames from its 368-byte memory.
class RadioSim
{
public:
    // modelCode and bandCode are the radio's own identity, fixed at the
    // factory; otherModelCode/otherBandCode are reported under the other-model fault.
    RadioSim(const QString &modelCode, uint8_t bandCode, const RadioMemory &memory, SimFault fault = {},
        const QString &otherModelCode = QString(), uint8_t otherBandCode = 0xFF);

    // Takes one byte that arrived at time ms (a monotonic clock).
    std::vector<SimEvent> Feed(uint8_t byte, qint64 ms);

    // The 16 bytes sent for an identification request.
    QByteArray Identification() const;

    const RadioMemory &Memory() const { return m_memory; }
    // True when a write changed the memory since the last call of MarkSaved.
    bool Dirty() const { return m_dirty; }
    void MarkSaved() { m_dirty = false; }

private:
    enum State { Idle, ProgramMode, Session };

    void parse(std::vector<SimEvent> &events);
    void programMode(std::vector<SimEvent> &events);
    // Takes a read or write frame of size bytes; its address, or -1 when the
    // frame names no block of the memory or the line is to be closed.
    int takeFrame(std::vector<SimEvent> &events, int size, QByteArray &frame);
    void readBlock(std::vector<SimEvent> &events);
    void writeBlock(std::vector<SimEvent> &events);
    void send(std::vector<SimEvent> &events, const QByteArray &bytes);
    void drop(std::vector<SimEvent> &events, int count);
    // The fault that strikes the block at this address, or None.
    SimFault::Kind faultAt(int address) const;

    QString m_modelCode;
    uint8_t m_bandCode;
    RadioMemory m_memory;
    SimFault m_fault;
    QString m_otherModelCode;
    uint8_t m_otherBandCode;
    State m_state = Idle;
    QByteArray m_frame;
    qint64 m_lastByteMs = 0;
    bool m_dirty = false;
};

// The new password carried by a scrambled password block (undoes ScramblePassword).
QByteArray UnscramblePassword(const uint8_t *block);
