// The read, write and port dialogs against the virtual radio, offscreen.

#include "CoreFixture.h"
#include "app/ScriptedPrompter.h"
#include "image/ChannelCodec.h"
#include "image/DataFile.h"
#include "link/SetPort.h"
#include "link/TransferDialogs.h"

#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

// A virtual radio for one session; its device path is the first line it prints.
struct Sim {
    QProcess process;
    QString path;
    explicit Sim(const QStringList &args)
    {
        process.start(QStringLiteral(SIM_PATH), args + QStringList { QStringLiteral("--once") });
        process.waitForStarted(5000);
        while (!process.canReadLine() && process.waitForReadyRead(5000)) { }
        path = QString::fromLocal8Bit(process.readLine()).trimmed();
    }
    ~Sim()
    {
        process.kill();
        process.waitForFinished(2000);
    }
};

} // namespace

class TestLinkDialogs : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void readCompletes()
    {
        BoundModule radio(0xF7);
        EncodeChannelField(radio.All, 3, 0, QStringLiteral("446.00625"));
        const QString memory = m_dir.filePath(QStringLiteral("radio.dat"));
        QVERIFY(WriteDataFile(radio.All, memory).ok());

        Sim sim({ QStringLiteral("--memory"), memory });
        BoundModule dm(0xF1);
        dm.All.PortName = sim.path;
        ScriptedPrompter prompt;
        TfReadRadio dialog(dm, prompt);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
        QVERIFY(!dialog.btnOk->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 20000);
        QVERIFY(dialog.Succeeded());
        QCOMPARE(prompt.texts(), QStringList { "Reading Completed." });
        QCOMPARE(dialog.pBar->value(), 44);
        QCOMPARE(dm.All.BandText, QStringLiteral("400 - 470MHz"));
        QCOMPARE(bytesAt(dm.All.RadioImage, 16, 288), bytesAt(radio.All.RadioImage, 16, 288));
        QVERIFY(dm.All.Modified);
    }

    void failedReadChangesNothing()
    {
        Sim sim({ QStringLiteral("--fault"), QStringLiteral("unknown-model") });
        BoundModule dm(0xF1);
        const RadioImageBytes before = dm.All.RadioImage;
        dm.All.PortName = sim.path;
        ScriptedPrompter prompt;
        TfReadRadio dialog(dm, prompt);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(prompt.texts(), QStringList { "Model Type Wrong." }, 10000);
        // The dialog stays open with Ok disabled; nothing of the working state changed.
        QTest::qWait(500);
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.btnOk->isEnabled());
        QVERIFY(!dialog.Succeeded());
        QCOMPARE(dm.All.RadioImage, before);
        QCOMPARE(dm.All.ModelCode, QStringLiteral("4960"));
        QVERIFY(!dm.All.Modified);
    }

    // After a write the dialog stays open for the next radio. The radio goes
    // away (the cable is pulled): the next Ok reports the port, and once a
    // radio is back on the line Ok writes again.
    void writeStaysOpenForTheNextRadio()
    {
        const QString link = m_dir.filePath(QStringLiteral("cable"));
        const QString written = m_dir.filePath(QStringLiteral("written.dat"));
        auto first
            = std::make_unique<Sim>(QStringList { QStringLiteral("--link"), link, QStringLiteral("--save"), written });
        BoundModule dm(0xF4);
        EncodeChannelField(dm.All, 1, 0, QStringLiteral("451.125"));
        dm.All.PortName = link;
        ScriptedPrompter prompt;
        TfWriteRadio dialog(dm, prompt);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(prompt.texts(), QStringList { "Writing Completed." }, 20000);
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.btnOk->isEnabled());
        QCOMPARE(dialog.pBar->value(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(written), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(first->process.state(), QProcess::NotRunning, 5000);
        first.reset();
        QTest::qWait(300);

        QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(prompt.shown.size(), 2, 5000);
        QVERIFY2(prompt.shown[1].text.startsWith(QStringLiteral("Cannot Open Commcmication Port.\n%1").arg(link)),
            qPrintable(prompt.shown[1].text));
        QTest::qWait(600);
        QVERIFY(dialog.isVisible()); // stays open with Ok disabled, as for any port failure after Ok
        QVERIFY(!dialog.btnOk->isEnabled());
        QCOMPARE(prompt.shown.size(), 2);

        const QString saved = m_dir.filePath(QStringLiteral("second-radio.dat"));
        Sim second({ QStringLiteral("--link"), link, QStringLiteral("--save"), saved });
        dialog.btnOk->setEnabled(true);
        QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(prompt.shown.size(), 3, 20000);
        QCOMPARE(prompt.shown[2].text, QStringLiteral("Writing Completed."));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(saved), 5000);
    }

    void missingPortCloses()
    {
        BoundModule dm;
        dm.All.PortName = QStringLiteral("/dev/nonexistent-tl5960s");
        ScriptedPrompter prompt;
        TfWriteRadio dialog(dm, prompt);
        dialog.show();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 5000);
        QCOMPARE(prompt.shown.size(), 1);
        QVERIFY(prompt.shown[0].text.startsWith(QStringLiteral("Cannot Open Commcmication Port.\n")));
        QVERIFY(prompt.shown[0].text.contains(QStringLiteral("/dev/nonexistent-tl5960s")));
    }

    void portDialog()
    {
        BoundModule dm;
        dm.All.PortName = QStringLiteral("COM7");
        const QStringList devices { "/dev/ttyUSB0", "/dev/ttyUSB3", "/dev/ttyS1" };
        TfSetPort dialog(dm.All, nullptr, &devices);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QList<int> enabled;
        for (int n = 1; n <= 20; ++n)
            if (dialog.cxPorts[n - 1]->isEnabled())
                enabled << n;
        QCOMPARE(enabled, (QList<int> { 1, 4, 14 }));
        // The stored port is selected even though it is not present.
        QVERIFY(dialog.cxPorts[6]->isChecked());
        QCOMPARE(dialog.cxPorts[3]->toolTip().section(QLatin1Char('\n'), 0, 0), QStringLiteral("/dev/ttyUSB3"));
        QTest::mouseClick(dialog.cxPorts[3], Qt::LeftButton);
        QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
        QCOMPARE(dm.All.PortName, QStringLiteral("COM4"));
    }
};

QTEST_MAIN(TestLinkDialogs)
#include "test_link_dialogs.moc"
