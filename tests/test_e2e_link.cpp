// Reads and writes through the command-line tool against the virtual radio,
// over a real pseudo-terminal: the program's and the radio's ends meet only on the wire.

#include "CoreFixture.h"

#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

struct Run {
    int code = -1;
    QString out, err;
};

// Runs the tool, as another user when asUser is given (through setpriv).
Run runCli(const QStringList &args, int timeoutMs = 60000, const QString &asUser = QString())
{
    QProcess p;
    if (asUser.isEmpty())
        p.start(QStringLiteral(CLI_PATH), args);
    else
        p.start(QStringLiteral("setpriv"),
            QStringList { "--reuid=" + asUser, "--regid=" + asUser, "--clear-groups", QStringLiteral(CLI_PATH) }
                + args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(2000);
        return {};
    }
    return { p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError()) };
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A virtual radio serving one session; its device path is the first line it prints.
class Sim
{
public:
    explicit Sim(const QStringList &args)
    {
        m_process.start(QStringLiteral(SIM_PATH), args + QStringList { QStringLiteral("--once") });
        if (!m_process.waitForStarted(5000))
            return;
        while (!m_process.canReadLine() && m_process.waitForReadyRead(5000)) { }
        path = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~Sim()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }
    bool finish() { return m_process.waitForFinished(10000); }
    QString path;

private:
    QProcess m_process;
};

} // namespace

class TestE2eLink : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // A radio memory with two programmed channels, as a data file.
    QString radioMemory(const QString &name, const QString &band)
    {
        const QString f = path(name);
        if (runCli({ "new", "--band", band, f }).code != 0 || runCli({ "set", f, "1", "rx", "451.125" }).code != 0
            || runCli({ "set", f, "1", "dec", "D023N" }).code != 0 || runCli({ "set", f, "9", "rx", "455.5" }).code != 0
            || runCli({ "set", f, "9", "tx", "" }).code != 0)
            return QString();
        return f;
    }

private slots:
    void readGivesTheRadiosMemory_data()
    {
        QTest::addColumn<QStringList>("fault");
        QTest::newRow("plain") << QStringList();
        QTest::newRow("stray byte before the acknowledgement") << QStringList { "--fault", "stray" };
    }
    void readGivesTheRadiosMemory()
    {
        QFETCH(QStringList, fault);
        const QString memory = radioMemory(QStringLiteral("radio.dat"), QStringLiteral("400 - 470MHz"));
        QVERIFY(!memory.isEmpty());
        Sim sim(QStringList { QStringLiteral("--memory"), memory } + fault);
        QVERIFY(!sim.path.isEmpty());
        const QString out = path(QStringLiteral("read.dat"));
        const Run r = runCli({ "read", "--port", sim.path, out });
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY(sim.finish());
        // Radio addresses 0..367 arrive at image offsets 16..383, bound to the radio's band.
        QCOMPARE(fileBytes(out).mid(16, 368), fileBytes(memory).mid(16, 368));
        QCOMPARE(runCli({ "channels", out }).out, runCli({ "channels", memory }).out);
        QVERIFY(runCli({ "info", out }).out.contains(QStringLiteral("Band:\t400 - 470MHz")));
    }

    void writeLeavesTheImageInTheRadio()
    {
        const QString image = radioMemory(QStringLiteral("image.dat"), QStringLiteral("450 - 470MHz"));
        QVERIFY(!image.isEmpty());
        const QString saved = path(QStringLiteral("after-write.dat"));
        Sim sim({ QStringLiteral("--band"), QStringLiteral("450 - 470MHz"), QStringLiteral("--save"), saved });
        const Run w = runCli({ "write", "--port", sim.path, image });
        QVERIFY2(w.code == 0, qPrintable(w.err));
        QVERIFY(sim.finish());
        const QByteArray radio = fileBytes(saved);
        const QByteArray sent = fileBytes(image);
        QCOMPARE(radio.size(), 448);
        // Channels and options as sent; the write time is stamped anew by the write.
        QCOMPARE(radio.mid(16, 320), sent.mid(16, 320));
        QCOMPARE(runCli({ "channels", saved }).out, runCli({ "channels", image }).out);
    }

    void otherModelNeedsForce()
    {
        const QString image = radioMemory(QStringLiteral("force.dat"), QStringLiteral("450 - 470MHz"));
        {
            Sim sim({ QStringLiteral("--fault"), QStringLiteral("other-model") });
            const Run w = runCli({ "write", "--port", sim.path, image });
            QCOMPARE(w.code, 4);
            QVERIFY2(w.err.contains(QStringLiteral("Do you wish to Force write data?")), qPrintable(w.err));
        }
        {
            const QString saved = path(QStringLiteral("forced.dat"));
            Sim sim({ QStringLiteral("--fault"), QStringLiteral("other-model"), QStringLiteral("--save"), saved });
            const Run w = runCli({ "write", "--port", sim.path, image, "--force" });
            QVERIFY2(w.code == 0, qPrintable(w.err));
            QVERIFY(sim.finish());
            QCOMPARE(fileBytes(saved).mid(32, 256), fileBytes(image).mid(32, 256));
        }
    }

    void faults_data()
    {
        QTest::addColumn<QString>("verb");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");
        const QString com = QStringLiteral("Please check all connections and communication port settings.");
        const QString mod = QStringLiteral("Model Type Wrong.");
        QTest::newRow("read silent") << "read"
                                     << "silent" << com;
        QTest::newRow("read unknown model") << "read"
                                            << "unknown-model" << mod;
        QTest::newRow("read no reply at block 5") << "read"
                                                  << "no-reply:5" << com;
        QTest::newRow("read short reply") << "read"
                                          << "short:7" << com;
        QTest::newRow("read cable pulled") << "read"
                                           << "hangup:10" << com;
        QTest::newRow("write silent") << "write"
                                      << "silent" << com;
        QTest::newRow("write unknown model") << "write"
                                             << "unknown-model" << mod;
        QTest::newRow("write no reply at block 20") << "write"
                                                    << "no-reply:20" << com;
        QTest::newRow("write garbled acknowledgement") << "write"
                                                       << "garbled:12" << com;
        QTest::newRow("write cable pulled") << "write"
                                            << "hangup:30" << com;
    }
    void faults()
    {
        QFETCH(QString, verb);
        QFETCH(QString, fault);
        QFETCH(QString, message);
        const QString image = path(QStringLiteral("fault-image.dat"));
        QCOMPARE(runCli({ "new", image }).code, 0);
        const QByteArray before = fileBytes(image);
        Sim sim({ QStringLiteral("--fault"), fault });
        const QString target = verb == QLatin1String("read") ? path(QStringLiteral("fault-read.dat")) : image;
        QFile::remove(path(QStringLiteral("fault-read.dat")));
        const Run r = runCli({ verb, "--port", sim.path, target });
        QCOMPARE(r.code, 4);
        // One message, the one for this failure.
        QCOMPARE(r.err.count(message), 1);
        if (verb == QLatin1String("read"))
            QVERIFY(!QFile::exists(target)); // a failed read saves nothing
        else
            QCOMPARE(fileBytes(image), before);
    }

    // The second line of the port message says why the device cannot be used.
    void heldPort()
    {
        Sim sim({});
        QSerialPort holder(sim.path);
        QVERIFY(holder.open(QIODevice::ReadWrite));
        const Run r = runCli({ "read", "--port", sim.path, path(QStringLiteral("held.dat")) });
        QCOMPARE(r.code, 4);
        QVERIFY2(r.err.contains(
                     QStringLiteral("Cannot Open Commcmication Port.\n%1 is held by another program (").arg(sim.path)),
            qPrintable(r.err));
        QVERIFY2(
            r.err.contains(QStringLiteral("process %1").arg(QCoreApplication::applicationPid())), qPrintable(r.err));
        QVERIFY(!r.err.contains(QStringLiteral("permission")));
    }

    void deniedPort()
    {
        if (::geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("needs root and setpriv to run the tool as another user");
        const struct group *dialout = ::getgrnam("dialout");
        if (!dialout)
            QSKIP("no dialout group here");
        Sim sim({});
        // Laid out like a cable's device node: root's, group dialout, mode 660.
        const QByteArray device = QFile::encodeName(sim.path);
        QVERIFY(::chown(device.constData(), 0, dialout->gr_gid) == 0);
        QVERIFY(::chmod(device.constData(), 0660) == 0);
        const Run r = runCli({ "read", "--port", sim.path, "/tmp/tl5960s-denied.dat" }, 60000, QStringLiteral("65534"));
        if (r.err.contains(QStringLiteral("failed to execute")))
            QSKIP("the tool cannot be run as another user from this build folder");
        QCOMPARE(r.code, 4);
        QVERIFY2(r.err.contains(QStringLiteral("%1: permission denied").arg(sim.path)), qPrintable(r.err));
        QVERIFY2(r.err.contains(QStringLiteral("sudo usermod -aG dialout $USER")), qPrintable(r.err));
    }

    void missingPort()
    {
        const Run r = runCli({ "read", "--port", "/dev/nonexistent-tl5960s", path(QStringLiteral("x.dat")) });
        QCOMPARE(r.code, 4);
        QVERIFY(r.err.contains(QStringLiteral("Cannot Open Commcmication Port.")));
        QVERIFY(r.err.contains(QStringLiteral("/dev/nonexistent-tl5960s")));
    }
};

QTEST_GUILESS_MAIN(TestE2eLink)
#include "test_e2e_link.moc"
