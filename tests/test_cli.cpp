// The command-line tool as scripts use it: exit codes, messages and files.

#include "CoreFixture.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    struct Run {
        int code;
        QString out, err;
    };
    Run cli(const QStringList &args, const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
    {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(CLI_PATH), args);
        if (!p.waitForFinished(20000))
            return { -1, {}, {} };
        return { p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError()) };
    }
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    // The text of a PDF, through pdftotext (poppler-utils).
    static QString pdfText(const QString &pdf)
    {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), { QStringLiteral("-layout"), pdf, QStringLiteral("-") });
        p.waitForFinished(20000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }

private slots:
    void newInfoChannels()
    {
        const QString f = path("vhf.dat");
        QCOMPARE(cli({ "new", "--band", "136 - 174MHz", f }).code, 0);
        const Run info = cli({ "info", f });
        QCOMPARE(info.code, 0);
        QVERIFY(info.out.contains(QStringLiteral("Model code:\t4960\n")));
        QVERIFY(info.out.contains(QStringLiteral("Band:\t136 - 174MHz\n")));
        QVERIFY(info.out.contains(QStringLiteral("Band edges:\t136.00000 - 174.00000 MHz\n")));

        // 145.0126 snaps to the raster; 100 lies outside the band but inside the model.
        const Run set = cli({ "set", f, "2", "rx", "145.0126" });
        QCOMPARE(set.code, 0);
        QVERIFY(set.err.isEmpty());
        const Run warn = cli({ "set", f, "3", "rx", "100" });
        QCOMPARE(warn.code, 0);
        QCOMPARE(warn.err.trimmed(), QStringLiteral("Caution: Frequecy is Out of range."));
        QCOMPARE(cli({ "set", f, "2", "dec", "D023n" }).code, 0);
        QCOMPARE(cli({ "set", f, "2", "wn", "narrow" }).code, 0);
        QCOMPARE(cli({ "set", f, "2", "tx", "" }).code, 0);

        const QStringList lines = cli({ "channels", f }).out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 16);
        QCOMPARE(lines[0], QStringLiteral("1"));
        QCOMPARE(lines[1], QStringLiteral("2\t145.01250\t\tD023N\tNone\tHigh\tNarrow\tNo\tNo\tNo\tNo"));
        QCOMPARE(lines[2], QStringLiteral("3\t100.00000\t100.00000\tNone\tNone\tHigh\tWide\tNo\tNo\tNo\tNo"));
    }

    void print()
    {
        const QString f = path("print.dat");
        const QString pdf = path("print.pdf");
        QCOMPARE(cli({ "new", f }).code, 0);
        QCOMPARE(cli({ "set", f, "1", "rx", "451.125" }).code, 0);
        // No display at all: the tool must find its own way to render.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
            env.remove(QString::fromLatin1(name));
        const Run r = cli({ "print", f, pdf }, env);
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY(r.err.isEmpty());
        const QString english = pdfText(pdf);
        QVERIFY(english.contains(QStringLiteral("Key Function")));
        QVERIFY(english.contains(QRegularExpression(QStringLiteral("RX Frequency\\s+451.12500"))));

        const QString chinesePdf = path("print-chinese.pdf");
        const Run zh = cli({ "print", f, chinesePdf, "--language", "Chinese" }, env);
        QVERIFY2(zh.code == 0, qPrintable(zh.err));
        const QString chinese = pdfText(chinesePdf);
        QVERIFY(chinese.contains(QStringLiteral("451.12500")));
        QVERIFY(!chinese.contains(QStringLiteral("Key Function")));
        QVERIFY(!chinese.contains(QStringLiteral("RX Frequency")));
    }

    void printRefused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("no output") << QStringList { "print.dat" } << 2 << "print takes FILE.dat OUT.pdf";
        QTest::newRow("no data file") << QStringList { "/nonexistent.dat", "out.pdf" } << 3 << "cannot use";
        QTest::newRow("no language name")
            << QStringList { "print.dat", "out.pdf", "--language" } << 2 << "--language needs";
        QTest::newRow("unknown language")
            << QStringList { "print.dat", "out.pdf", "--language", "Klingon" } << 2 << "no language file";
        QTest::newRow("output is a folder") << QStringList { "print.dat", "." } << 3 << "could not be written";
    }
    void printRefused()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const QString f = path("print.dat");
        QCOMPARE(cli({ "new", f }).code, 0);
        for (QString &a : args)
            if (a == QLatin1String("print.dat") || a == QLatin1String("out.pdf") || a == QLatin1String("."))
                a = m_dir.filePath(a);
        const Run r = cli(QStringList { "print" } + args);
        QTEST(r.code, "code");
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QFile::exists(path("out.pdf")));
    }

    void options()
    {
        const QString f = path("opts.dat");
        QCOMPARE(cli({ "new", f }).code, 0);
        const Run r = cli({ "options", f });
        QCOMPARE(r.code, 0);
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 20);
        QVERIFY(lines.contains(QStringLiteral("323\t0x06\tcbTxTimeout\tTX Time Out\t180")));
        QVERIFY(lines.contains(QStringLiteral("322\t0x01\tcbKey1\tSide Key\tMonmome")));
        QVERIFY(lines.contains(QStringLiteral("319\t0xff\tcxWhisper\tWhisper\tOn\t(hidden)")));
        QVERIFY(lines.contains(QStringLiteral("316\t0x00\t-\t(no control)\t")));
    }

    // A file typed in with a hex editor: only the bytes the reader needs.
    void handWrittenFile()
    {
        QByteArray bytes(448, char(0xFF));
        bytes.replace(0, 5, "P4960");
        bytes[341] = char(0xF0);
        const QByteArray ch1 = hex("25066014 25066014 8508 2380 f3");
        bytes.replace(32, ch1.size(), ch1);
        const QString f = path("hand.dat");
        QFile file(f);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        const Run r = cli({ "channels", f });
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out.section(QLatin1Char('\n'), 0, 0),
            QStringLiteral("1\t146.00625\t146.00625\t88.5\tD023N\tLow\tWide\tNo\tNo\tNo\tNo"));
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("no verb") << QStringList {} << 2 << "no verb";
        QTest::newRow("unknown verb") << QStringList { "frobnicate" } << 2 << "unknown verb";
        QTest::newRow("missing file") << QStringList { "info", "/nonexistent/x.dat" } << 3 << "/nonexistent/x.dat";
        QTest::newRow("unknown band") << QStringList { "new", "--band", "1 - 2MHz", "x.dat" } << 2 << "unknown band";
        QTest::newRow("band of no model")
            << QStringList { "new", "--band", " 27 -  72MHz", "x.dat" } << 2 << "no model";
        QTest::newRow("bad channel") << QStringList { "set", "x.dat", "17", "rx", "446" } << 2 << "1 to 16";
        QTest::newRow("bad field") << QStringList { "set", "x.dat", "1", "volume", "4" } << 2 << "unknown field";
    }
    void failures()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Run r = cli(args);
        QTEST(r.code, "code");
        QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
    }

    void refusedFiles()
    {
        const QString shortFile = path("short.dat");
        QFile f(shortFile);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(100, 'P'));
        f.close();
        const Run r = cli({ "channels", shortFile });
        QCOMPARE(r.code, 3);
        QVERIFY(r.err.contains(QStringLiteral("shorter than 448 bytes")));

        const QString f2 = path("model.dat");
        QCOMPARE(cli({ "new", f2 }).code, 0);
        QFile g(f2);
        QVERIFY(g.open(QIODevice::ReadWrite));
        g.write("P1234");
        g.close();
        const Run m = cli({ "set", f2, "1", "rx", "450" });
        QCOMPARE(m.code, 3);
        QVERIFY(m.err.contains(QStringLiteral("Model Type Wrong.")));
        // A refused set leaves the file as it was.
        QVERIFY(g.open(QIODevice::ReadOnly));
        QCOMPARE(g.read(5), QByteArray("P1234"));
    }

    void refusedEntries()
    {
        const QString f = path("entries.dat");
        QCOMPARE(cli({ "new", f }).code, 0);
        const Run empty = cli({ "set", f, "4", "power", "Low" });
        QCOMPARE(empty.code, 2);
        QVERIFY(empty.err.contains(QStringLiteral("empty")));
        QCOMPARE(cli({ "set", f, "4", "rx", "451" }).code, 0);
        const Run bad = cli({ "set", f, "4", "power", "medium" });
        QCOMPARE(bad.code, 2);
        QVERIFY(bad.err.contains(QStringLiteral("Low, High")));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
