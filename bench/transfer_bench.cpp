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

double floorMs(const Traffic &t)
{
    return (t.toRadio + t.fromRadio) * ByteMs + FixedPauseMs;
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

// Runs one CLI transfer against a fresh paced radio; the wall time in ms, or -1.
double timeTransfer(const QStringList &cliArgs, const QString &portMarker, QString &failure)
{
    QProcess sim;
    sim.start(QStringLiteral(SIM_PATH), { QStringLiteral("--pace"), QStringLiteral("--once") });
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
        failure = QStringLiteral("tl5960s-sim did not start");
        return -1;
    }
    while (!sim.canReadLine() && sim.waitForReadyRead(2000)) { }
    const QString port = QString::fromLocal8Bit(sim.readLine()).trimmed();
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
    out() << "\ntransfer  wall ms  floor ms  ratio  (median of " << runs << (runs == 1 ? " run)\n" : " runs)\n");
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
        const double wall = median(times);
        out() << QStringLiteral("%1 %2 %3 %4\n")
                     .arg(QLatin1String(c.name), -8)
                     .arg(wall, 8, 'f', 0)
                     .arg(floorMs(c.traffic), 9, 'f', 0)
                     .arg(wall / floorMs(c.traffic), 6, 'f', 2);
        out().flush();
    }
    return 0;
}
