// The virtual radio driven over its pseudo-terminal by a scripted program side.

#include "CoreFixture.h"
#include "image/DataFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace
{

// One virtual radio and the program's end of its line.
class Radio
{
public:
    explicit Radio(const QStringList &args)
    {
        m_process.start(QStringLiteral(SIM_PATH), args);
        if (!m_process.waitForStarted(5000) || !m_process.waitForReadyRead(5000))
            return;
        while (!m_process.canReadLine() && m_process.waitForReadyRead(2000)) { }
        path = QString::fromLocal8Bit(m_process.readLine()).trimmed();
        fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd < 0)
            return;
        termios t {};
        tcgetattr(fd, &t);
        cfmakeraw(&t);
        tcsetattr(fd, TCSANOW, &t);
    }
    ~Radio()
    {
        if (fd >= 0)
            ::close(fd);
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }

    bool ok() const { return fd >= 0; }

    void send(const QByteArray &bytes) const
    {
        QCOMPARE(::write(fd, bytes.constData(), size_t(bytes.size())), bytes.size());
    }

    // Whatever arrives until count bytes are held or the time is up.
    QByteArray receive(int count, int timeoutMs = 1000) const
    {
        QByteArray got;
        QElapsedTimer t;
        t.start();
        while (got.size() < count && t.elapsed() < timeoutMs) {
            pollfd p { fd, POLLIN, 0 };
            if (::poll(&p, 1, 20) <= 0)
                continue;
            char buf[64];
            const ssize_t n = ::read(fd, buf, size_t(std::min<int>(count - int(got.size()), int(sizeof buf))));
            if (n <= 0)
                break; // the radio closed the line
            got.append(buf, int(n));
        }
        return got;
    }

    QByteArray exchange(const QByteArray &frame, int replySize) const
    {
        send(frame);
        return receive(replySize);
    }

    // Program mode and identification; gives the 16 identification bytes.
    QByteArray handshake() const
    {
        if (exchange("PROGRAM", 1) != hex("06"))
            return {};
        return exchange(hex("02"), 16);
    }

    // Waits for the radio to end; its exit status, or -1 while it still runs.
    int finished(int timeoutMs = 3000)
    {
        if (!m_process.waitForFinished(timeoutMs))
            return -1;
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    void terminate() { ::kill(pid_t(m_process.processId()), SIGTERM); }
    QString log() { return QString::fromLatin1(m_process.readAllStandardError()); }

    QString path;
    int fd = -1;

private:
    QProcess m_process;
};

QByteArray readFrame(int address)
{
    return QByteArray("R") + char(address >> 8) + char(address & 0xFF) + char(8);
}

QByteArray writeFrame(int address, const QByteArray &data)
{
    return QByteArray("W") + char(address >> 8) + char(address & 0xFF) + char(8) + data;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestSim : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

private slots:
    void readSession_data()
    {
        QTest::addColumn<QString>("band");
        QTest::addColumn<QByteArray>("identification");
        QTest::newRow("UHF") << "450 - 470MHz" << hex("50 35 39 36 30 F4 00 00 FF FF FF FF FF FF FF FF");
        QTest::newRow("VHF") << "150 - 174MHz" << hex("50 34 39 36 30 F0 00 00 FF FF FF FF FF FF FF FF");
    }
    void readSession()
    {
        QFETCH(QString, band);
        QFETCH(QByteArray, identification);
        Radio radio({ "--band", band, "--log" });
        QVERIFY(radio.ok());
        QCOMPARE(radio.handshake(), identification);
        QCOMPARE(radio.exchange(hex("06"), 1), hex("06"));
        // An empty channel area, the option defaults and the identification block.
        QCOMPARE(radio.exchange(readFrame(0), 12), hex("57 00 00 08 FF FF FF FF FF FF FF FF"));
        QCOMPARE(radio.exchange(hex("06"), 1), hex("06"));
        QCOMPARE(radio.exchange(readFrame(288), 12), hex("57 01 20 08 01 01 00 00 04 01 01 01"));
        QCOMPARE(radio.exchange(hex("06"), 1), hex("06"));
        QCOMPARE(radio.exchange(readFrame(320), 12), QByteArray(hex("57 01 40 08") + identification.left(8)));
        QCOMPARE(radio.exchange(hex("06"), 1), hex("06"));
        // The last block: the write time of the new memory lies in 352..358.
        const QByteArray last = radio.exchange(readFrame(360), 12);
        QCOMPARE(last.size(), 12);
        QCOMPARE(last.left(4), hex("57 01 68 08"));
        radio.send("E");
        radio.terminate();
        QCOMPARE(radio.finished(), 0);
        const QString log = radio.log();
        QVERIFY2(log.contains(QStringLiteral("<- 50 52 4F 47 52 41 4D\n")), qPrintable(log));
        QVERIFY(log.contains(QStringLiteral("-> ") + QString::fromLatin1(identification.toHex(' ').toUpper())));
        QVERIFY(log.contains(QStringLiteral("<- 52 01 68 08\n")));
    }

    void memoryIsServedAndSaved()
    {
        // A data file with odd bytes: the radio serves them as they are, unsanitised.
        BoundModule dm(0xF4);
        dm.All.RadioImage[316] = 0x3F; // out of range for the program, not for the radio
        const QByteArray record = hex("00 25 46 45 00 25 46 45 FF FF FF FF 01 FF FF FF");
        std::copy(record.begin(), record.end(), dm.All.channelRecord(1));
        const QString in = path("in.dat"), out = path("out.dat");
        QVERIFY(WriteDataFile(dm.All, in).ok());

        Radio radio({ "--memory", in, "--save", out, "--once" });
        QVERIFY(radio.ok());
        QCOMPARE(radio.handshake().left(6), hex("50 35 39 36 30 F4"));
        QCOMPARE(radio.exchange(hex("06"), 1), hex("06"));
        QCOMPARE(radio.exchange(readFrame(16), 12), QByteArray(hex("57 00 10 08") + record.left(8)));
        QCOMPARE(radio.exchange(hex("06"), 1), hex("06"));
        QCOMPARE(radio.exchange(readFrame(296), 12), hex("57 01 28 08 00 01 FF FF 3F 01 04 FF"));
        QCOMPARE(radio.exchange(hex("06"), 1), hex("06"));
        // The write of a channel and of a scrambled password block.
        const QByteArray channel = hex("00 50 46 45 FF FF FF FF");
        QCOMPARE(radio.exchange(writeFrame(32, channel), 1), hex("06"));
        const QByteArray password = hex("11 22 33 44 55 66 77 88");
        QCOMPARE(radio.exchange(writeFrame(328, password), 1), hex("06"));
        radio.send("E");
        QCOMPARE(radio.finished(), 0);

        const QByteArray before = fileBytes(in), after = fileBytes(out);
        QCOMPARE(after.size(), DataFile::Size);
        QCOMPARE(after.left(5), QByteArray("P5960"));
        QCOMPARE(after.mid(48, 8), channel);
        QCOMPARE(after.mid(344, 8), password);
        // Everything else is the memory as it was, header apart.
        QByteArray expected = before;
        expected.replace(48, 8, channel);
        expected.replace(344, 8, password);
        QCOMPARE(after.mid(16).toHex(' '), expected.mid(16).toHex(' '));
    }

    void sessionsFollowEachOther()
    {
        // A session given up without "E", then two full ones: the memory lives on.
        Radio radio({ "--band", "400 - 470MHz" });
        QVERIFY(radio.ok());
        QCOMPARE(radio.handshake().mid(1, 5), hex("35 39 36 30 F7"));
        QCOMPARE(radio.exchange(hex("06"), 1), hex("06"));
        radio.send(hex("52 00")); // a frame cut off by a program that gave up
        QTest::qWait(300);
        QCOMPARE(radio.handshake().size(), 16);
        QCOMPARE(radio.exchange(hex("06"), 1), hex("06"));
        QCOMPARE(radio.exchange(writeFrame(360, hex("01 02 03 04 05 06 07 08")), 1), hex("06"));
        radio.send("E");
        QCOMPARE(radio.handshake().size(), 16);
        QCOMPARE(radio.exchange(hex("06"), 1), hex("06"));
        QCOMPARE(radio.exchange(readFrame(360), 12), hex("57 01 68 08 01 02 03 04 05 06 07 08"));
        // Frames this radio cannot serve get no answer.
        QCOMPARE(radio.exchange(readFrame(364), 12), QByteArray());
        QCOMPARE(radio.exchange(hex("52 00 00 10"), 12), QByteArray());
        QCOMPARE(radio.exchange(hex("06"), 1), hex("06"));
        radio.send("E");
    }

    void savedWhenStopped()
    {
        // Blocks written in a session cut short are kept when the radio is stopped.
        const QString out = path("stopped.dat");
        Radio radio({ "--save", out });
        QVERIFY(radio.ok());
        QCOMPARE(radio.handshake().size(), 16);
        QCOMPARE(radio.exchange(hex("06"), 1), hex("06"));
        QCOMPARE(radio.exchange(writeFrame(8, hex("A1 A2 A3 A4 A5 A6 A7 A8")), 1), hex("06"));
        QVERIFY(!QFile::exists(out));
        radio.terminate();
        QCOMPARE(radio.finished(), 0);
        QCOMPARE(fileBytes(out).mid(24, 8), hex("A1 A2 A3 A4 A5 A6 A7 A8"));
    }

    void handshakeFaults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QByteArray>("programReply");
        QTest::addColumn<QByteArray>("identification");
        QTest::newRow("none") << "" << hex("06") << hex("50 35 39 36 30 F4 00 00");
        QTest::newRow("silent") << "silent" << QByteArray() << QByteArray();
        QTest::newRow("stray") << "stray" << hex("00 06") << hex("50 35 39 36 30 F4 00 00");
        QTest::newRow("unknown-model") << "unknown-model" << hex("06") << hex("50 30 30 30 30 F4 00 00");
        QTest::newRow("other-model") << "other-model" << hex("06") << hex("50 34 39 36 30 F0 00 00");
    }
    void handshakeFaults()
    {
        QFETCH(QString, fault);
        QFETCH(QByteArray, programReply);
        QFETCH(QByteArray, identification);
        Radio radio(fault.isEmpty() ? QStringList() : QStringList { "--fault", fault });
        QVERIFY(radio.ok());
        radio.send("PROGRAM");
        QCOMPARE(radio.receive(programReply.size() + 1, 300), programReply);
        radio.send(hex("02"));
        QCOMPARE(radio.receive(16, 300).left(8), identification);
    }

    void blockFaults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QByteArray>("reply");
        const QByteArray data = hex("10 20 30 40 50 60 70 80");
        // Block 3 is radio address 16: the record of channel 1, empty in a new memory.
        QTest::newRow("read no-reply") << "no-reply:3" << readFrame(16) << QByteArray();
        QTest::newRow("read short") << "short:3" << readFrame(16) << hex("57 00 10 08 FF FF FF FF");
        QTest::newRow("read garbled") << "garbled:3" << readFrame(16) << hex("A8 FF EF F7 00 00 00 00 00 00 00 00");
        QTest::newRow("read other block") << "garbled:3" << readFrame(24) << hex("57 00 18 08 FF FF FF FF FF FF FF FF");
        QTest::newRow("write no-reply") << "no-reply:3" << writeFrame(16, data) << QByteArray();
        QTest::newRow("write short") << "short:3" << writeFrame(16, data) << QByteArray();
        QTest::newRow("write garbled") << "garbled:3" << writeFrame(16, data) << hex("F9");
        QTest::newRow("write other block") << "no-reply:3" << writeFrame(8, data) << hex("06");
    }
    void blockFaults()
    {
        QFETCH(QString, fault);
        QFETCH(QByteArray, frame);
        QFETCH(QByteArray, reply);
        Radio radio({ "--fault", fault });
        QVERIFY(radio.ok());
        QCOMPARE(radio.handshake().size(), 16);
        QCOMPARE(radio.exchange(hex("06"), 1), hex("06"));
        radio.send(frame);
        QCOMPARE(radio.receive(13, 300), reply);
        // The fault spoils that one reply; the line goes on.
        QCOMPARE(radio.exchange(hex("06"), 1), hex("06"));
        QCOMPARE(radio.exchange(readFrame(0), 12).left(4), hex("57 00 00 08"));
    }

    void hangup_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::newRow("read") << readFrame(16);
        QTest::newRow("write") << writeFrame(16, hex("00 00 00 00 00 00 00 00"));
    }
    void hangup()
    {
        QFETCH(QByteArray, frame);
        const QString link = path("hangup-link");
        Radio radio({ "--fault", "hangup:3", "--link", link });
        QVERIFY(radio.ok());
        QCOMPARE(QFileInfo(link).symLinkTarget(), radio.path);
        QCOMPARE(radio.handshake().size(), 16);
        QCOMPARE(radio.exchange(hex("06"), 1), hex("06"));
        QCOMPARE(radio.exchange(readFrame(8), 12).size(), 12);
        QCOMPARE(radio.exchange(hex("06"), 1), hex("06"));
        radio.send(frame);
        QCOMPARE(radio.finished(), 4);
        QCOMPARE(radio.receive(1, 200), QByteArray());
        QVERIFY(!QFileInfo::exists(link) && !QFileInfo(link).isSymLink());
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::newRow("unknown fault") << QStringList { "--fault", "noisy" } << 2;
        QTest::newRow("block missing") << QStringList { "--fault", "no-reply" } << 2;
        QTest::newRow("block too high") << QStringList { "--fault", "short:47" } << 2;
        QTest::newRow("block not wanted") << QStringList { "--fault", "silent:2" } << 2;
        QTest::newRow("unknown band") << QStringList { "--band", "1 - 2MHz" } << 2;
        QTest::newRow("band without model") << QStringList { "--band", " 27 -  72MHz" } << 2;
        QTest::newRow("memory and band") << QStringList { "--memory", "a.dat", "--band", "450 - 470MHz" } << 2;
        QTest::newRow("memory missing") << QStringList { "--memory", "/nonexistent/a.dat" } << 3;
    }
    void usageErrors()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QProcess p;
        p.start(QStringLiteral(SIM_PATH), args);
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), code);
        QVERIFY(p.readAllStandardOutput().isEmpty());
        QVERIFY(!p.readAllStandardError().isEmpty());
    }

    void shortMemoryFileRefused()
    {
        const QString f = path("short.dat");
        QFile file(f);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("P5960") + QByteArray(100, char(0xFF)));
        file.close();
        QProcess p;
        p.start(QStringLiteral(SIM_PATH), { "--memory", f });
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), 3);
    }

    void pace()
    {
        // Paced, the 1-byte request and the 16-byte identification take
        // at least 17 byte times of 11 bits at 2400 baud.
        Radio radio({ "--pace" });
        QVERIFY(radio.ok());
        QCOMPARE(radio.exchange("PROGRAM", 1), hex("06"));
        QElapsedTimer t;
        t.start();
        QCOMPARE(radio.exchange(hex("02"), 16).size(), 16);
        QVERIFY2(t.elapsed() >= 17 * 11 * 1000 / 2400, qPrintable(QString::number(t.elapsed())));
    }
};

QTEST_GUILESS_MAIN(TestSim)
#include "test_sim.moc"
