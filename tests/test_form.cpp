// The channel edit form, alone and in step with the grid through the main window.

#include "FakeHost.h"
#include "app/MainFrm.h"
#include "editors/BInfoEdit.h"
#include "editors/ChInfo.h"
#include "image/ChannelCodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

// Types into a line edit over its text and presses Enter.
void enter(QLineEdit *e, const QString &text)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, text);
    QTest::keyClick(e, Qt::Key_Return);
}

QByteArray record(FakeHost &host, int channel)
{
    return bytesAt(host.data.All.RadioImage, Image::channelOffset(channel), 16);
}

} // namespace

class TestForm : public QObject
{
    Q_OBJECT

private slots:
    void newChannel()
    {
        FakeHost host(0xF7);
        host.data.All.CurrentChannel = 4;
        TfBInfoEdit w(host);
        w.show();
        QCOMPARE(w.sexd->value(), 4);
        QVERIFY(w.eRx->isEnabled());
        QVERIFY(!w.eTX->isEnabled() && !w.cbQT->isEnabled() && !w.chfm->isEnabled());
        QVERIFY(!host.data.All.Modified);
        w.cbfsgl->setCurrentIndex(1); // a TX power left on the form before
        enter(w.eRx, QStringLiteral("446.0075"));
        QCOMPARE(w.eRx->text(), QStringLiteral("446.00625"));
        QCOMPARE(w.eTX->text(), QStringLiteral("446.00625"));
        // No tones, wide, high power as shown, switches off (bits set), whisper bit 7 set.
        QCOMPARE(record(host, 4), hex("25066044 25066044 ffff ffff fb ffffff"));
        QVERIFY(host.data.All.Modified);
        QCOMPARE(host.notified, QList<int> { 0 });
    }

    void frequencyMessages_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("messages");
        const QString out = QStringLiteral("Frequecy is Out of range.");
        const QString err = QStringLiteral("The frequecy number come amiss!");
        QTest::newRow("outside band") << "480"
                                      << "480.00000" << QStringList { out };
        QTest::newRow("above model") << "700"
                                     << "470.00000" << QStringList { err };
        QTest::newRow("below model") << "100"
                                     << "400.00000" << QStringList { err };
        QTest::newRow("no number stays") << "4.4.6"
                                         << "4.4.6" << QStringList { err };
    }
    void frequencyMessages()
    {
        QFETCH(QString, typed);
        FakeHost host(0xF7);
        TfBInfoEdit w(host);
        w.show();
        enter(w.eRx, typed);
        QTEST(w.eRx->text(), "shown");
        QTEST(host.prompter.texts(), "messages");
        if (typed == QLatin1String("4.4.6"))
            QCOMPARE(record(host, 1), QByteArray(16, char(0xFF))); // nothing stored
    }

    void receiveOnlyAndClearing()
    {
        FakeHost host(0xF7);
        TfBInfoEdit w(host);
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        enter(w.eRx, QStringLiteral("446.5"));
        enter(w.eTX, QString());
        QVERIFY(!w.cbDQT->isEnabled());
        QCOMPARE(w.cbDQT->currentIndex(), 0);
        QCOMPARE(record(host, 1).mid(4, 8), hex("ffffffff ffff ffff"));
        // A new receive frequency of a receive-only channel also sets TX.
        enter(w.eRx, QStringLiteral("447.5"));
        QCOMPARE(w.eTX->text(), QStringLiteral("447.50000"));
        QVERIFY(w.cbDQT->isEnabled());
        // A valid TX moves on to the decode box.
        enter(w.eTX, QStringLiteral("448"));
        QVERIFY(w.cbQT->hasFocus() || w.cbQT->lineEdit()->hasFocus());
        QCOMPARE(DecodeChannel(host.data.All.channelRecord(1)).tx, 448.0);
        // Clearing RX empties the channel.
        enter(w.eRx, QString());
        QCOMPARE(record(host, 1).left(4), hex("ffffffff"));
        QVERIFY(!DecodeChannel(host.data.All.channelRecord(1)).valid);
        QVERIFY(!w.eTX->isEnabled());
    }

    void toneBoxes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("low") << "12"
                             << "30.0" << hex("0003");
        QTest::newRow("high") << "300"
                              << "290.0" << hex("0029");
        QTest::newRow("lower-case polarity") << "D023n"
                                             << "D023n" << hex("2380");
        QTest::newRow("lower-case d") << "d023N"
                                      << "D777N" << hex("7787");
        QTest::newRow("not octal") << "D028N"
                                   << "D777N" << hex("7787");
        QTest::newRow("emptied") << ""
                                 << "None" << hex("ffff");
    }
    void toneBoxes()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, bytes);
        FakeHost host(0xF7);
        TfBInfoEdit w(host);
        w.show();
        enter(w.eRx, QStringLiteral("446.5"));
        for (QComboBox *box : { w.cbQT, w.cbDQT }) {
            const int writesBefore = host.notified.size();
            enter(box->lineEdit(), typed);
            QTEST(box->currentText(), "shown");
            const int at = box == w.cbQT ? 8 : 10;
            QCOMPARE(record(host, 1).mid(at, 2), bytes);
            // Leaving the box after Enter stores nothing more.
            w.chSr->setFocus();
            QCoreApplication::processEvents();
            QVERIFY(host.notified.size() - writesBefore <= 1);
        }
    }

    void flags()
    {
        FakeHost host(0xF7);
        TfBInfoEdit w(host);
        w.show();
        enter(w.eRx, QStringLiteral("446.5"));
        QTest::mouseClick(w.chfm, Qt::LeftButton, {}, QPoint(6, w.chfm->height() / 2));
        QCOMPARE(host.data.All.channelRecord(1)[12] & 0x01, 0);
        QTest::mouseClick(w.chfm, Qt::LeftButton, {}, QPoint(6, w.chfm->height() / 2));
        QCOMPARE(host.data.All.channelRecord(1)[12] & 0x01, 1);
        w.cbkz->setFocus();
        QTest::keyClick(w.cbkz, Qt::Key_Down);
        QCOMPARE(host.data.All.channelRecord(1)[12] & 0x04, 0x04);
        QCOMPARE(host.data.All.channelRecord(1)[12] & 0x80, 0x80);
    }

    void selectorAndLoads()
    {
        FakeHost host(0xF7);
        TfBInfoEdit w(host);
        w.show();
        const RadioImageBytes before = host.data.All.RadioImage;
        w.sexd->setFocus();
        w.sexd->selectAll();
        QTest::keyClicks(w.sexd, QStringLiteral("20"));
        QTest::keyClick(w.sexd, Qt::Key_Return);
        QCOMPARE(w.sexd->value(), 16);
        w.sexd->selectAll();
        QTest::keyClicks(w.sexd, QStringLiteral("0"));
        QTest::keyClick(w.sexd, Qt::Key_Return);
        QCOMPARE(w.sexd->value(), 1);
        w.sexd->setValue(16);
        QCOMPARE(host.data.All.CurrentChannel, 16);
        QVERIFY(host.selected.contains(0));
        w.ShowCurrentChannel();
        w.RefreshFromImage();
        QCOMPARE(host.data.All.RadioImage, before);
        QVERIFY(!host.data.All.Modified);
    }

    // The grid and the form stay in step through the real main window.
    void inStepWithTheGrid()
    {
        QTemporaryDir dir;
        DataModule data(dir.path() + QLatin1Char('/'));
        data.LoadSettingsAndTexts();
        BindModel(data.All, 0xF7, true);
        ScriptedPrompter prompter;
        TfMainFrm main(data, &prompter);
        main.show();
        main.FormShow();
        auto *grid = qobject_cast<TfChInfo *>(main.FindEditor(10));
        QVERIFY(grid);
        data.All.CurrentChannel = 2;
        main.RunCommand(11);
        auto *form = qobject_cast<TfBInfoEdit *>(main.FindEditor(11));
        QVERIFY(form);
        QCOMPARE(form->sexd->value(), 2);
        enter(form->eRx, QStringLiteral("446.5"));
        QCOMPARE(grid->DisplayText(2, TfChInfo::ColRx), QStringLiteral("446.50000"));
        // Selecting a cell of another row moves the form.
        grid->SelectCell(5, TfChInfo::ColRx);
        QCOMPARE(form->sexd->value(), 5);
        QCOMPARE(data.All.CurrentChannel, 5);
    }
};

QTEST_MAIN(TestForm)
#include "test_form.moc"
