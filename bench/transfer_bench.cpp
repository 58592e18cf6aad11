// Wall time of a full read and a full write through tl5960s-cli against the
// virtual radio at wire pace, each set against the line-rate floor: the bytes
// the protocol puts on the line at 11 bits a byte and 2400 baud, plus the
// program's fixed pauses.

#include "sim/RadioSim.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace
{

constexpr double ByteMs = 11.0 * 1000.0 / 2400.0;
// 450 ms before the first byte, 50 ms after the flush, 2 ms after each of the
// first six bytes of "PROGRAM", 5 ms before the identification request.
constexpr double FixedPauseMs = 450 + 50 + 6 * 2 + 5;

struct Traffic {
    int toRadio = 0;
    int fromRadio = 0;
};

// Bytes of the handshake both transfers share.
Traffic handshake()
{
    return { Link::ProgramRequestSize + 1, 1 + Link::IdentificationSize };
}

// Read: ack/ack before each block and once after the last, a read request
// and a 12-byte data block per block, then "E".
Traffic readTraffic()
{
    Traffic t = handshake();
    t.toRadio += (Link::BlockCount + 1) + Link::BlockCount * Link::ReadFrameSize + 1;
    t.fromRadio += (Link::BlockCount + 1) + Link::BlockCount * Link::ReadReplySize;
    return t;
}

// Write: one ack/ack, then a 12-byte write frame and its ack per block, then "E".
Traffic writeTraffic()
{
    Traffic t = handshake();
    t.toRadio += 1 + Link::BlockCount * Link::WriteFrameSize + 1;
    t.fromRadio += 1 + Link::BlockCount;
    return t;
}

double wireMs(const Traffic &t)
{
    return (t.toRadio + t.fromRadio) * ByteMs;
}

double floorMs(const Traffic &t)
{
    return wireMs(t) + FixedPauseMs;
}

QTextStream &out()
{
    static QTextStream s(stdout);
    return s;
}

QStringList missingVerbs()
{
    QProcess p;
    p.start(QStringLiteral(CLI_PATH), { QStringLiteral("--help") });
    p.waitForFinished(10000);
    const QString help = QString::fromLocal8Bit(p.readAllStandardOutput());
    QStringList missing;
    for (const char *verb : { "read", "write" }) {
        const QRegularExpression line(
            QStringLiteral("^\\s+%1\\b").arg(QLatin1String(verb)), QRegularExpression::MultilineOption);
        if (!line.match(help).hasMatch())
            missing << QLatin1String(verb);
    }
    return missing;
}

// Starts a paced radio for one session; its device path, or empty.
QString startRadio(QProcess &sim)
{
    sim.start(QStringLiteral(SIM_PATH), { QStringLiteral("--pace"), QStringLiteral("--once") });
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000))
        return QString();
    while (!sim.canReadLine() && sim.waitForReadyRead(2000)) { }
    return QString::fromLocal8Bit(sim.readLine()).trimmed();
}

// The program's side reduced to its frames, with no pauses of its own: what
// the radio's pacing alone costs, as a check of the radio against the line rate.
class ScriptedMaster
{
public:
    explicit ScriptedMaster(const QString &port)
    {
        m_fd = ::open(port.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        if (m_fd < 0)
            return;
        termios t {};
        tcgetattr(m_fd, &t);
        cfmakeraw(&t);
        tcsetattr(m_fd, TCSANOW, &t);
    }
    ~ScriptedMaster()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

    // Sends a frame and waits for a reply of replySize bytes.
    bool exchange(const QByteArray &frame, int replySize)
    {
        if (m_fd < 0 || ::write(m_fd, frame.constData(), size_t(frame.size())) != frame.size())
            return false;
        int held = 0;
        char buf[32];
        while (held < replySize) {
            pollfd p { m_fd, POLLIN, 0 };
            if (::poll(&p, 1, 1000) <= 0)
                return false;
            const ssize_t n = ::read(m_fd, buf, size_t(replySize - held));
            if (n <= 0)
                return false;
            held += int(n);
        }
        return true;
    }

    bool transfer(bool write)
    {
        if (!exchange(Link::ProgramRequest, 1) || !exchange(QByteArray(1, char(Link::IdentRequest)), 16))
            return false;
        const QByteArray ack(1, char(Link::Ack));
        if (!exchange(ack, 1))
            return false;
        for (int address = 0; address < Link::MemorySize; address += Link::BlockSize) {
            QByteArray frame;
            frame += write ? 'W' : 'R';
            frame += char(address >> 8);
            frame += char(address & 0xFF);
            frame += char(Link::BlockSize);
            if (write)
                frame += QByteArray(Link::BlockSize, char(0xFF));
            if (!exchange(frame, write ? 1 : Link::ReadReplySize) || (!write && !exchange(ack, 1)))
                return false;
        }
        return exchange("E", 0);
    }

private:
    int m_fd = -1;
};

double timeScripted(bool write, QString &failure)
{
    QProcess sim;
    const QString port = startRadio(sim);
    QElapsedTimer t;
    t.start();
    ScriptedMaster master(port);
    const bool ok = !port.isEmpty() && master.transfer(write);
    const double ms = t.nsecsElapsed() / 1e6;
    if (!ok || !sim.waitForFinished(5000) || sim.exitCode() != 0) {
        failure = QStringLiteral("the scripted %1 against tl5960s-sim failed").arg(write ? "write" : "read");
        sim.kill();
        sim.waitForFinished(2000);
        return -1;
    }
    return ms;
}

// Runs one CLI transfer against a fresh paced radio; the wall time in ms, or -1.
double timeTransfer(const QStringList &cliArgs, const QString &portMarker, QString &failure)
{
    QProcess sim;
    const QString port = startRadio(sim);
    if (port.isEmpty()) {
        failure = QStringLiteral("tl5960s-sim did not start");
        return -1;
    }
    QStringList args = cliArgs;
    args.replaceInStrings(portMarker, port);

    QProcess cli;
    QElapsedTimer t;
    t.start();
    cli.start(QStringLiteral(CLI_PATH), args);
    const bool finished = cli.waitForFinished(120000);
    const double ms = t.nsecsElapsed() / 1e6;
    if (!finished || cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != 0) {
        failure = QStringLiteral("tl5960s-cli %1 failed (exit %2): %3")
                      .arg(args.join(QLatin1Char(' ')))
                      .arg(cli.exitCode())
                      .arg(QString::fromLocal8Bit(cli.readAllStandardError()).trimmed());
        sim.kill();
        sim.waitForFinished(2000);
        return -1;
    }
    // The radio ends after the "E" that closes the session.
    if (!sim.waitForFinished(5000) || sim.exitCode() != 0) {
        failure = QStringLiteral("tl5960s-sim did not see the session end");
        sim.kill();
        sim.waitForFinished(2000);
        return -1;
    }
    return ms;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QString row(const char *name, double wall, double floor)
{
    return QStringLiteral("%1 %2 %3 %4\n")
        .arg(QLatin1String(name), -8)
        .arg(wall, 8, 'f', 0)
        .arg(floor, 9, 'f', 0)
        .arg(wall / floor, 6, 'f', 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int runs = 1;
    const QStringList args = app.arguments();
    const int at = args.indexOf(QStringLiteral("--runs"));
    if (at >= 0 && at + 1 < args.size())
        runs = std::max(1, args[at + 1].toInt());

    const Traffic read = readTraffic(), write = writeTraffic();
    out() << "Line-rate floor at 2400 baud, 11 bits a byte, plus " << FixedPauseMs << " ms of fixed pauses:\n";
    out() << QStringLiteral("  read:  %1 bytes to the radio, %2 from it, floor %3 ms\n")
                 .arg(read.toRadio)
                 .arg(read.fromRadio)
                 .arg(floorMs(read), 0, 'f', 0);
    out() << QStringLiteral("  write: %1 bytes to the radio, %2 from it, floor %3 ms\n")
                 .arg(write.toRadio)
                 .arg(write.fromRadio)
                 .arg(floorMs(write), 0, 'f', 0);
    out().flush();

    out() << "\nRadio alone (a scripted program side without pauses; floor without the fixed pauses):\n"
          << "transfer  wall ms  floor ms  ratio  (median of " << runs << (runs == 1 ? " run)\n" : " runs)\n");
    for (const bool write : { false, true }) {
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            QString failure;
            const double ms = timeScripted(write, failure);
            if (ms < 0) {
                out() << failure << '\n';
                return 1;
            }
            times.push_back(ms);
        }
        const double floor = wireMs(write ? writeTraffic() : readTraffic());
        out() << row(write ? "write" : "read", median(times), floor);
    }

    const QStringList missing = missingVerbs();
    if (!missing.isEmpty()) {
        out() << "\nNot measured: tl5960s-cli has no " << missing.join(QStringLiteral(" and "))
              << " verb yet.\nThe benchmark runs 'tl5960s-cli read --port PTY OUT.dat' and "
                 "'tl5960s-cli write --port PTY IN.dat --force' against 'tl5960s-sim --pace'.\n";
        return 1;
    }

    QTemporaryDir dir;
    const QString image = dir.filePath(QStringLiteral("read.dat"));
    const QString marker = QStringLiteral("@PORT@");
    struct Case {
        const char *name;
        QStringList args;
        Traffic traffic;
    };
    const Case cases[] = {
        { "read", { QStringLiteral("read"), QStringLiteral("--port"), marker, image }, read },
        { "write", { QStringLiteral("write"), QStringLiteral("--port"), marker, image, QStringLiteral("--force") },
            write },
    };
    out() << "\nThrough tl5960s-cli (floor with the fixed pauses):\n"
          << "transfer  wall ms  floor ms  ratio  (median of " << runs << (runs == 1 ? " run)\n" : " runs)\n");
    for (const Case &c : cases) {
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            QString failure;
            const double ms = timeTransfer(c.args, marker, failure);
            if (ms < 0) {
                out() << c.name << ": " << failure << '\n';
                return 1;
            }
            times.push_back(ms);
        }
        out() << row(c.name, median(times), floorMs(c.traffic));
        out().flush();
    }
    return 0;
}
