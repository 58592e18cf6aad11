#include "sim/RadioSim.h"

#include "image/AllClass.h"

namespace
{

// True when bytes are the start of "PROGRAM".
bool isProgramPrefix(const QByteArray &bytes)
{
    return QByteArray(Link::ProgramRequest).startsWith(bytes.left(Link::ProgramRequestSize))
        && bytes.size() <= Link::ProgramRequestSize;
}

} // namespace

bool SimFault::Parse(const QString &text, SimFault &fault, QString &why)
{
    const QString name = text.section(QLatin1Char(':'), 0, 0);
    const bool hasBlock = text.contains(QLatin1Char(':'));
    const QString blockText = text.section(QLatin1Char(':'), 1);
    struct Name {
        const char *name;
        Kind kind;
        bool needsBlock;
    };
    static const Name names[] = {
        { "silent", Silent, false },
        { "stray", Stray, false },
        { "unknown-model", UnknownModel, false },
        { "other-model", OtherModel, false },
        { "no-reply", NoReply, true },
        { "short", Short, true },
        { "garbled", Garbled, true },
        { "hangup", Hangup, true },
    };
    for (const Name &n : names) {
        if (name != QLatin1String(n.name))
            continue;
        if (!n.needsBlock) {
            if (hasBlock) {
                why = QStringLiteral("fault %1 takes no block number").arg(name);
                return false;
            }
            fault = { n.kind, 0 };
            return true;
        }
        bool ok = false;
        const int block = blockText.toInt(&ok);
        if (!hasBlock || !ok || block < 1 || block > Link::BlockCount) {
            why = QStringLiteral("fault %1 needs a block number from 1 to %2, as in %1:3")
                      .arg(name)
                      .arg(Link::BlockCount);
            return false;
        }
        fault = { n.kind, block };
        return true;
    }
    why = QStringLiteral("unknown fault \"%1\" (silent, stray, unknown-model, other-model, no-reply:N, short:N, "
                         "garbled:N, hangup:N)")
              .arg(name);
    return false;
}

RadioSim::RadioSim(const QString &modelCode, uint8_t bandCode, const RadioMemory &memory, SimFault fault,
    const QString &otherModelCode, uint8_t otherBandCode)
    : m_modelCode(modelCode)
    , m_bandCode(bandCode)
    , m_memory(memory)
    , m_fault(fault)
    , m_otherModelCode(otherModelCode)
    , m_otherBandCode(otherBandCode)
{
}

QByteArray RadioSim::Identification() const
{
    // Laid out like the identification block of the memory: "P", model code,
    // band code, 0, 0; the remaining eight bytes are unset.
    QString code = m_modelCode;
    uint8_t band = m_bandCode;
    if (m_fault.kind == SimFault::UnknownModel) {
        code = QStringLiteral("0000");
    } else if (m_fault.kind == SimFault::OtherModel) {
        code = m_otherModelCode;
        band = m_otherBandCode;
    }
    QByteArray id(Link::IdentificationSize, char(0xFF));
    id[0] = 'P';
    const QByteArray latin = code.toLatin1().leftJustified(4, ' ', true);
    for (int i = 0; i < 4; ++i)
        id[1 + i] = latin[i];
    id[5] = char(band);
    id[6] = 0;
    id[7] = 0;
    return id;
}

std::vector<SimEvent> RadioSim::Feed(uint8_t byte, qint64 ms)
{
    std::vector<SimEvent> events;
    if (!m_frame.isEmpty() && ms - m_lastByteMs > Link::FrameGapMs)
        drop(events, int(m_frame.size()));
    m_lastByteMs = ms;
    m_frame.append(char(byte));
    parse(events);
    return events;
}

void RadioSim::parse(std::vector<SimEvent> &events)
{
    while (!m_frame.isEmpty()) {
        const uint8_t first = uint8_t(m_frame[0]);
        if (first == 'P') {
            if (!isProgramPrefix(m_frame)) {
                drop(events, 1);
                continue;
            }
            if (m_frame.size() < Link::ProgramRequestSize)
                return;
            programMode(events);
            continue;
        }
        if (m_state == Idle) {
            // Outside program mode the radio listens only for "PROGRAM".
            drop(events, 1);
            continue;
        }
        if (first == Link::IdentRequest) {
            events.push_back({ SimEvent::Received, m_frame.left(1), QString() });
            m_frame.remove(0, 1);
            m_state = Session;
            send(events, Identification());
            continue;
        }
        if (m_state == ProgramMode) {
            drop(events, 1);
            continue;
        }
        if (first == Link::Ack) {
            events.push_back({ SimEvent::Received, m_frame.left(1), QString() });
            m_frame.remove(0, 1);
            send(events, QByteArray(1, char(Link::Ack)));
            continue;
        }
        if (first == 'E') {
            events.push_back({ SimEvent::Received, m_frame.left(1), QString() });
            m_frame.remove(0, 1);
            m_state = Idle;
            events.push_back({ SimEvent::SessionEnd, QByteArray(), QString() });
            continue;
        }
        if (first == 'R') {
            if (m_frame.size() < Link::ReadFrameSize)
                return;
            readBlock(events);
            if (!events.empty() && events.back().kind == SimEvent::Hangup)
                return;
            continue;
        }
        if (first == 'W') {
            if (m_frame.size() < Link::WriteFrameSize)
                return;
            writeBlock(events);
            if (!events.empty() && events.back().kind == SimEvent::Hangup)
                return;
            continue;
        }
        drop(events, 1);
    }
}

void RadioSim::programMode(std::vector<SimEvent> &events)
{
    events.push_back({ SimEvent::Received, m_frame.left(Link::ProgramRequestSize), QString() });
    m_frame.remove(0, Link::ProgramRequestSize);
    m_state = ProgramMode;
    QByteArray reply(1, char(Link::Ack));
    if (m_fault.kind == SimFault::Stray)
        reply.prepend(char(0x00));
    send(events, reply);
}

SimFault::Kind RadioSim::faultAt(int address) const
{
    if (m_fault.block > 0 && address / Link::BlockSize + 1 == m_fault.block)
        return m_fault.kind;
    return SimFault::None;
}

int RadioSim::takeFrame(std::vector<SimEvent> &events, int size, QByteArray &frame)
{
    frame = m_frame.left(size);
    const int address = uint8_t(frame[1]) * 256 + uint8_t(frame[2]);
    const int length = uint8_t(frame[3]);
    if (length != Link::BlockSize || address + length > Link::MemorySize) {
        // Not a request this radio can serve: it keeps quiet and the program times out.
        drop(events, size);
        return -1;
    }
    events.push_back({ SimEvent::Received, frame, QString() });
    m_frame.remove(0, size);
    if (faultAt(address) == SimFault::Hangup) {
        events.push_back(
            { SimEvent::Hangup, QByteArray(), QStringLiteral("line closed at block %1").arg(m_fault.block) });
        return -1;
    }
    return address;
}

void RadioSim::readBlock(std::vector<SimEvent> &events)
{
    QByteArray frame;
    const int address = takeFrame(events, Link::ReadFrameSize, frame);
    if (address < 0)
        return;
    // The data block comes back in the shape of a write frame for the same block.
    QByteArray reply = frame;
    reply[0] = 'W';
    reply.append(reinterpret_cast<const char *>(m_memory.data()) + address, Link::BlockSize);
    switch (faultAt(address)) {
    case SimFault::NoReply: return;
    case SimFault::Short: reply.truncate(Link::ReadReplySize - 4); break;
    case SimFault::Garbled:
        for (char &c : reply)
            c = char(~uint8_t(c));
        break;
    default: break;
    }
    send(events, reply);
}

void RadioSim::writeBlock(std::vector<SimEvent> &events)
{
    QByteArray frame;
    const int address = takeFrame(events, Link::WriteFrameSize, frame);
    if (address < 0)
        return;
    const SimFault::Kind fault = faultAt(address);
    // The faults below spoil only the reply: the radio has taken the block.
    for (int i = 0; i < Link::BlockSize; ++i) {
        const uint8_t b = uint8_t(frame[4 + i]);
        if (m_memory[size_t(address + i)] != b)
            m_dirty = true;
        m_memory[size_t(address + i)] = b;
    }
    if (address == Link::PasswordBlockAddress) {
        const QByteArray password = UnscramblePassword(m_memory.data() + address);
        events.push_back({ SimEvent::PasswordSet, password, QString::fromLatin1(password) });
    }
    switch (fault) {
    case SimFault::NoReply:
    case SimFault::Short: // one byte cut short is no byte at all
        return;
    case SimFault::Garbled: send(events, QByteArray(1, char(~Link::Ack))); return;
    default: send(events, QByteArray(1, char(Link::Ack)));
    }
}

void RadioSim::send(std::vector<SimEvent> &events, const QByteArray &bytes)
{
    if (m_fault.kind == SimFault::Silent)
        return;
    events.push_back({ SimEvent::Sent, bytes, QString() });
}

void RadioSim::drop(std::vector<SimEvent> &events, int count)
{
    events.push_back({ SimEvent::Dropped, m_frame.left(count), QString() });
    m_frame.remove(0, count);
}

QByteArray UnscramblePassword(const uint8_t *block)
{
    QByteArray password(8, 0);
    const uint8_t p0 = block[0] ^ PasswordScrambleKey;
    password[0] = char(p0);
    for (int i = 1; i < 8; ++i)
        password[i] = char(block[i] ^ p0);
    return password;
}
