// tl5960s-sim: a virtual TL-5960s radio on a pseudo-terminal, for trying the
// program and the command-line tool without a radio or a cable.

#include "app/DataModule.h"
#include "image/DataFile.h"
#include "image/Defaults.h"
#include "sim/RadioSim.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace
{

const char *Usage = R"(Usage: tl5960s-sim [OPTIONS]

A virtual radio on a pseudo-terminal. Prints the device path on the first
line of its output; point the program or tl5960s-cli at that path.

  --memory FILE.dat   radio memory from a data file
  --band TEXT         new memory for the model owning the band (default "450 - 470MHz")
  --save FILE.dat     write the memory to a data file after each session
  --link PATH         make a symbolic link PATH to the device
  --once              serve one session, then exit
  --pace              keep to the wire time of 2400 baud, 11 bits a byte
  --log               every frame received and sent on standard error
  --fault NAME[:N]    silent, stray, unknown-model, other-model,
                      no-reply:N, short:N, garbled:N, hangup:N (N = block 1..46)

Exit status: 0 done, 2 usage error, 3 memory file unusable, 4 line closed by a fault,
5 pseudo-terminal unavailable.
)";

namespace Exit
{
constexpr int Ok = 0;
constexpr int Usage = 2;
constexpr int File = 3;
constexpr int Hangup = 4;
constexpr int Pty = 5;
} // namespace Exit

// Wire time of one byte: start bit, 8 data bits, 2 stop bits at 2400 baud.
constexpr qint64 ByteNs = 11LL * 1000000000LL / 2400;

volatile std::sig_atomic_t g_stop = 0;

void onSignal(int)
{
    g_stop = 1;
}

void printError(const QString &line)
{
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

QString hexText(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

struct Options {
    QString memory;
    QString band;
    QString save;
    QString link;
    bool once = false;
    bool pace = false;
    bool log = false;
    SimFault fault;
};

int usageError(const QString &why)
{
    printError(QStringLiteral("tl5960s-sim: %1 (see tl5960s-sim --help)").arg(why));
    return Exit::Usage;
}

// Returns -1 when the options are fine, otherwise the exit status.
int parseOptions(const QStringList &args, Options &o)
{
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        auto value = [&](QString &into) {
            if (i + 1 >= args.size())
                return false;
            into = args[++i];
            return true;
        };
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            std::fputs(Usage, stdout);
            return Exit::Ok;
        } else if (a == QLatin1String("--memory")) {
            if (!value(o.memory))
                return usageError(QStringLiteral("--memory needs a data file"));
        } else if (a == QLatin1String("--band")) {
            if (!value(o.band))
                return usageError(QStringLiteral("--band needs a band text such as \"450 - 470MHz\""));
        } else if (a == QLatin1String("--save")) {
            if (!value(o.save))
                return usageError(QStringLiteral("--save needs a data file"));
        } else if (a == QLatin1String("--link")) {
            if (!value(o.link))
                return usageError(QStringLiteral("--link needs a path"));
        } else if (a == QLatin1String("--fault")) {
            QString text, why;
            if (!value(text))
                return usageError(QStringLiteral("--fault needs a fault name"));
            if (!SimFault::Parse(text, o.fault, why))
                return usageError(why);
        } else if (a == QLatin1String("--once")) {
            o.once = true;
        } else if (a == QLatin1String("--pace")) {
            o.pace = true;
        } else if (a == QLatin1String("--log")) {
            o.log = true;
        } else {
            return usageError(QStringLiteral("unknown option \"%1\"").arg(a));
        }
    }
    if (!o.memory.isEmpty() && !o.band.isEmpty())
        return usageError(QStringLiteral("--memory and --band exclude each other"));
    return -1;
}

// Fills the working state with the radio's memory and identity; -1 when done.
int loadMemory(DataModule &dm, const Options &o)
{
    if (!o.memory.isEmpty()) {
        const FileResult r = ReadDataFile(dm.All, o.memory);
        if (!r.ok()) {
            printError(QStringLiteral("tl5960s-sim: cannot use %1").arg(DescribeFileResult(r, o.memory, dm.Texts)));
            return Exit::File;
        }
        // A radio holds its bytes as they are: take them unsanitised from the file.
        QFile f(o.memory);
        if (!f.open(QIODevice::ReadOnly)) {
            printError(QStringLiteral("tl5960s-sim: cannot use %1: %2").arg(o.memory, f.errorString()));
            return Exit::File;
        }
        const QByteArray bytes = f.read(DataFile::Size);
        if (bytes.size() < DataFile::Size) {
            printError(QStringLiteral("tl5960s-sim: cannot use %1: file too short").arg(o.memory));
            return Exit::File;
        }
        std::memcpy(dm.All.RadioImage.data() + Image::RadioOffset, bytes.constData() + Image::RadioOffset,
            Image::Size - Image::RadioOffset);
        return -1;
    }
    const QString band = o.band.isEmpty() ? QStringLiteral("450 - 470MHz") : o.band;
    switch (BindBandText(dm.All, band)) {
    case BandTextBinding::UnknownBand: return usageError(QStringLiteral("unknown band \"%1\"").arg(band));
    case BandTextBinding::NoModel: return usageError(QStringLiteral("no model is made for the band \"%1\"").arg(band));
    case BandTextBinding::Bound: break;
    }
    LoadDefaults(dm.All);
    return -1;
}

bool saveMemory(DataModule &dm, RadioSim &radio, const QString &path)
{
    std::memcpy(dm.All.RadioImage.data() + Image::RadioOffset, radio.Memory().data(), Link::MemorySize);
    // The file header follows the band the memory now holds; a band no model
    // owns keeps the radio's own model in the header.
    BindModel(dm.All, dm.All.RadioImage[Image::BandCode], true);
    const FileResult r = WriteDataFile(dm.All, path);
    if (!r.ok()) {
        printError(QStringLiteral("tl5960s-sim: cannot save %1").arg(DescribeFileResult(r, path, dm.Texts)));
        return false;
    }
    radio.MarkSaved();
    return true;
}

// The master side of a pseudo-terminal, its slave held open so the line
// survives programs that open and close the device between sessions.
struct Pty {
    int master = -1;
    int slave = -1;
    QByteArray path;

    bool open()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
            return false;
        const char *name = ptsname(master);
        if (!name)
            return false;
        path = name;
        slave = ::open(name, O_RDWR | O_NOCTTY);
        if (slave < 0)
            return false;
        termios t {};
        if (tcgetattr(slave, &t) != 0)
            return false;
        cfmakeraw(&t);
        cfsetispeed(&t, B2400);
        cfsetospeed(&t, B2400);
        t.c_cflag |= CSTOPB | CLOCAL | CREAD;
        if (tcsetattr(slave, TCSANOW, &t) != 0)
            return false;
        return true;
    }

    void close()
    {
        if (slave >= 0)
            ::close(slave);
        if (master >= 0)
            ::close(master);
        slave = master = -1;
    }
};

// Keeps both directions to the wire's pace when asked: a byte is taken in
// only once it could have crossed the line, and sent one byte time apart.
class Wire
{
public:
    Wire(int fd, bool pace)
        : m_fd(fd)
        , m_pace(pace)
    {
        m_clock.start();
    }

    qint64 nowNs() const { return m_clock.nsecsElapsed(); }

    // Waits until the byte just read has crossed the line; gives its arrival in ms.
    qint64 arrive()
    {
        if (m_pace) {
            m_readNs = std::max(nowNs(), m_readNs) + ByteNs;
            sleepUntil(m_readNs);
        }
        return nowNs() / 1000000;
    }

    bool send(const QByteArray &bytes)
    {
        if (!m_pace)
            return writeAll(bytes.constData(), bytes.size());
        for (char c : bytes) {
            m_sendNs = std::max(nowNs(), m_sendNs) + ByteNs;
            sleepUntil(m_sendNs);
            if (!writeAll(&c, 1))
                return false;
        }
        return true;
    }

private:
    void sleepUntil(qint64 ns) const
    {
        const qint64 wait = ns - nowNs();
        if (wait > 0)
            std::this_thread::sleep_for(std::chrono::nanoseconds(wait));
    }

    bool writeAll(const char *data, qint64 size)
    {
        while (size > 0) {
            const ssize_t n = ::write(m_fd, data, size_t(size));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            data += n;
            size -= n;
        }
        return true;
    }

    int m_fd;
    bool m_pace;
    QElapsedTimer m_clock;
    qint64 m_readNs = 0;
    qint64 m_sendNs = 0;
};

void logLine(const char *direction, const QString &text)
{
    printError(QStringLiteral("%1 %2 %3")
                   .arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")), QLatin1String(direction), text));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Options o;
    if (const int rc = parseOptions(app.arguments(), o); rc >= 0)
        return rc;

    DataModule dm(QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    dm.Texts.LoadTexts(dm.All.AppFolder, QStringLiteral("English"));
    dm.BindStartModel();
    if (const int rc = loadMemory(dm, o); rc >= 0)
        return rc;

    // The radio's identity is its own: the model and band it was bound to at start.
    const TMacType *own = dm.All.CurrentModel;
    const TMacType *other = nullptr;
    for (int i = 0; i < dm.Models.Count() && !other; ++i)
        if (dm.Models.Item(i)->Code != own->Code)
            other = dm.Models.Item(i);
    RadioMemory memory {};
    std::memcpy(memory.data(), dm.All.RadioImage.data() + Image::RadioOffset, Link::MemorySize);
    RadioSim radio(own->Code, dm.Bands.CodeOf(dm.All.BandText), memory, o.fault, other ? other->Code : QString(),
        other ? dm.Bands.CodeOf(other->DefaultBand) : 0xFF);

    Pty pty;
    if (!pty.open()) {
        printError(
            QStringLiteral("tl5960s-sim: no pseudo-terminal: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
        return Exit::Pty;
    }
    if (!o.link.isEmpty()) {
        const QFileInfo existing(o.link);
        if (existing.isSymLink())
            QFile::remove(o.link);
        if (::symlink(pty.path.constData(), QFile::encodeName(o.link).constData()) != 0) {
            printError(QStringLiteral("tl5960s-sim: cannot link %1: %2")
                           .arg(o.link, QString::fromLocal8Bit(std::strerror(errno))));
            pty.close();
            return Exit::Pty;
        }
    }
    std::printf("%s\n", pty.path.constData());
    std::fflush(stdout);

    struct sigaction sa {
    };
    sa.sa_handler = onSignal;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);

    Wire wire(pty.master, o.pace);
    int status = Exit::Ok;
    bool done = false;
    while (!done && !g_stop) {
        pollfd p { pty.master, POLLIN, 0 };
        const int ready = ::poll(&p, 1, 200);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0 || !(p.revents & POLLIN))
            continue;
        // One byte at a time, so pacing and frame timing see each byte arrive.
        uint8_t byte = 0;
        const ssize_t n = ::read(pty.master, &byte, 1);
        if (n <= 0)
            continue;
        for (const SimEvent &e : radio.Feed(byte, wire.arrive())) {
            switch (e.kind) {
            case SimEvent::Received:
                if (o.log)
                    logLine("<-", hexText(e.bytes));
                break;
            case SimEvent::Dropped:
                if (o.log)
                    logLine("<-", hexText(e.bytes) + QStringLiteral(" (ignored)"));
                break;
            case SimEvent::Sent:
                if (o.log)
                    logLine("->", hexText(e.bytes));
                wire.send(e.bytes);
                break;
            case SimEvent::PasswordSet:
                if (o.log)
                    logLine("  ", QStringLiteral("new password \"%1\"").arg(e.note));
                break;
            case SimEvent::SessionEnd:
                if (o.log)
                    logLine("  ", QStringLiteral("session ended"));
                if (!o.save.isEmpty() && !saveMemory(dm, radio, o.save))
                    status = Exit::File;
                done = o.once;
                break;
            case SimEvent::Hangup:
                if (o.log)
                    logLine("  ", e.note);
                pty.close();
                if (!o.link.isEmpty())
                    QFile::remove(o.link);
                return Exit::Hangup;
            }
        }
    }
    // Blocks taken in a session that never ended are kept, as a radio keeps them.
    if (g_stop && radio.Dirty() && !o.save.isEmpty() && !saveMemory(dm, radio, o.save))
        status = Exit::File;
    pty.close();
    if (!o.link.isEmpty())
        QFile::remove(o.link);
    return status;
}
