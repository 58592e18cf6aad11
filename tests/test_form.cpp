// The channel edit form, clicked and typed into as a user would, alone and in
// step with the grid through the main window.

#include "ChannelUi.h"
#include "FakeHost.h"
#include "app/MainFrm.h"
#include "editors/BInfoEdit.h"
#include "editors/ChInfo.h"
#include "image/ChannelCodec.h"
#include "image/ChannelEntry.h"

#include <QCheckBox>
#include <QProcess>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidget>

namespace
{

QByteArray record(FakeHost &host, int channel)
{
    return bytesAt(host.data.All.RadioImage, Image::channelOffset(channel), 16);
}

void tick(QCheckBox *c)
{
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(6, c->height() / 2));
}

// A form on channel 1 of a new image, shown and taking the keyboard.
struct Form {
    FakeHost host { 0xF7 };
    TfBInfoEdit w { host };
    Form() { ui::showActive(w); }
};

const QString OutRange = QStringLiteral("Frequecy is Out of range.");
const QString ErrRange = QStringLiteral("The frequecy number come amiss!");

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
        QVERIFY(ui::showActive(w));
        QCOMPARE(w.sexd->value(), 4);
        QVERIFY(w.eRx->isEnabled());
        for (QWidget *c : std::initializer_list<QWidget *> {
                 w.eTX, w.cbQT, w.cbDQT, w.cbkz, w.cbfsgl, w.chsmtj, w.chfm, w.chCp, w.chSr })
            QVERIFY(!c->isEnabled());
        QVERIFY(!host.data.All.Modified);
        w.cbfsgl->setCurrentIndex(1); // a TX power left on the form before
        ui::enterField(w.eRx, QStringLiteral("446.0075"));
        QCOMPARE(w.eRx->text(), QStringLiteral("446.00625"));
        QCOMPARE(w.eTX->text(), QStringLiteral("446.00625"));
        QVERIFY(w.chfm->isEnabled() && w.cbDQT->isEnabled());
        // No tones, wide, high power as shown, switches off (bits set), whisper bit 7 set.
        QCOMPARE(record(host, 4), hex("25066044 25066044 ffff ffff fb ffffff"));
        QVERIFY(host.data.All.Modified);
        QCOMPARE(host.notified, QList<int> { 0 });
    }

    void receiveFrequency_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QByteArray>("rx");
        QTest::newRow("raster") << "446.012"
                                << "446.01000" << QStringList {} << hex("00106044");
        QTest::newRow("outside band") << "480"
                                      << "480.00000" << QStringList { OutRange } << hex("00000048");
        QTest::newRow("above model") << "700"
                                     << "470.00000" << QStringList { ErrRange } << hex("00000047");
        QTest::newRow("below model") << "100"
                                     << "400.00000" << QStringList { ErrRange } << hex("00000040");
        QTest::newRow("no number stays, nothing stored") << "4.4.6"
                                                         << "4.4.6" << QStringList { ErrRange } << hex("00006044");
    }
    // Typed over the receive frequency of a channel; leaving the field after
    // Enter is no second entry.
    void receiveFrequency()
    {
        QFETCH(QByteArray, rx);
        Form f;
        ui::enterField(f.w.eRx, QStringLiteral("446"));
        f.host.prompter.clear();
        f.host.notified.clear();
        QFETCH(QString, typed);
        ui::enterField(f.w.eRx, typed);
        tick(f.w.chSr); // leaves the field; stores Scrambler "on"
        QTEST(f.w.eRx->text(), "shown");
        QTEST(f.host.prompter.texts(), "messages");
        for (const auto &s : f.host.prompter.shown)
            QCOMPARE(s.caption, QStringLiteral("Caution"));
        QCOMPARE(record(f.host, 1).left(4), rx);
        QCOMPARE(record(f.host, 1)[12] & 0x40, 0);
        QCOMPARE(f.host.notified.size(), typed == QLatin1String("4.4.6") ? 1 : 2);
    }

    // A transmit frequency that is no number is refused with ErrRange; the rest
    // of the form is still written, the stored TX frequency and encode tone stay.
    void transmitFrequencyNoNumber()
    {
        Form f;
        ui::enterField(f.w.eRx, QStringLiteral("446.5"));
        ui::enterField(f.w.cbDQT->lineEdit(), QStringLiteral("88.5"));
        f.host.prompter.clear();
        ui::enterField(f.w.eTX, QStringLiteral("."));
        QCOMPARE(f.host.prompter.texts(), QStringList { ErrRange });
        tick(f.w.chfm);
        QCOMPARE(record(f.host, 1).left(13), hex("00006544 00006544 ffff 8508 f2"));
        QCOMPARE(f.host.prompter.texts(), QStringList { ErrRange });
    }

    // A click into a field from elsewhere selects its text: typing replaces the value.
    void typingReplacesTheValue()
    {
        Form f;
        ui::enterField(f.w.eRx, QStringLiteral("446.5"));
        for (QLineEdit *field : { f.w.eRx, f.w.cbQT->lineEdit() }) {
            tick(f.w.chSr);
            QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() / 2, field->height() / 2));
            QCoreApplication::processEvents();
            QTest::keyClicks(field, QStringLiteral("447"));
            QTest::keyClick(field, Qt::Key_Return);
        }
        QCOMPARE(f.w.eRx->text(), QStringLiteral("447.00000"));
        QCOMPARE(f.w.cbQT->currentText(), QStringLiteral("290.0"));
        QVERIFY(f.host.prompter.shown.isEmpty());
    }

    void receiveOnlyAndClearing()
    {
        Form f;
        TfBInfoEdit &w = f.w;
        ui::enterField(w.eRx, QStringLiteral("446.5"));
        ui::enterField(w.cbDQT->lineEdit(), QStringLiteral("D023N"));
        ui::enterField(w.eTX, QString());
        QVERIFY(!w.cbDQT->isEnabled());
        QCOMPARE(w.cbDQT->currentIndex(), 0);
        QCOMPARE(w.cbDQT->currentText(), QStringLiteral("None"));
        QCOMPARE(record(f.host, 1).mid(4, 8), hex("ffffffff ffff ffff"));
        // A new receive frequency of a receive-only channel also sets TX.
        ui::enterField(w.eRx, QStringLiteral("447.5"));
        QCOMPARE(w.eTX->text(), QStringLiteral("447.50000"));
        QVERIFY(w.cbDQT->isEnabled());
        QCOMPARE(DecodeChannel(f.host.data.All.channelRecord(1)).tx, 447.5);
        // A valid TX moves on to the decode box.
        ui::enterField(w.eTX, QStringLiteral("448"));
        QVERIFY(w.cbQT->hasFocus() || w.cbQT->lineEdit()->hasFocus());
        QCOMPARE(DecodeChannel(f.host.data.All.channelRecord(1)).tx, 448.0);
        // Clearing RX empties the receive frequency; the rest is written from the controls.
        tick(w.chCp);
        ui::enterField(w.eRx, QString());
        QCOMPARE(record(f.host, 1), hex("ffffffff 00008044 ffff ffff d3 ffffff"));
        QVERIFY(!DecodeChannel(f.host.data.All.channelRecord(1)).valid);
        QVERIFY(!w.eTX->isEnabled() && !w.chCp->isEnabled() && w.eRx->isEnabled());
        QVERIFY(w.eTX->text().isEmpty() && !w.chCp->isChecked());
    }

    void toneBoxes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("typed over None") << "88.5"
                                         << "88.5" << hex("8508");
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
    // Both boxes, confirmed with Enter or by leaving the box: each value is stored once.
    void toneBoxes()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, bytes);
        for (bool withEnter : { true, false }) {
            Form f;
            ui::enterField(f.w.eRx, QStringLiteral("446.5"));
            for (QComboBox *box : { f.w.cbQT, f.w.cbDQT }) {
                const int stores = f.host.notified.size();
                ui::clickField(box->lineEdit());
                ui::typeIntoBox(box, typed);
                if (withEnter)
                    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
                tick(f.w.chSr); // leaves the box; stores Scrambler "on"
                QTEST(box->currentText(), "shown");
                QCOMPARE(record(f.host, 1).mid(box == f.w.cbQT ? 8 : 10, 2), bytes);
                QCOMPARE(f.host.notified.size() - stores, typed.isEmpty() ? 1 : 2);
            }
        }
    }

    void tonePickedFromListAndPicker()
    {
        Form f;
        ui::enterField(f.w.eRx, QStringLiteral("446.5"));
        ui::pickFromList(f.w.cbQT, 40); // "D023N", the first DCS code
        QCOMPARE(record(f.host, 1).mid(8, 2), hex("2380"));
        bool opened = false;
        ui::whenPickerOpens([](TfToneOption &p) { ui::doubleClickTone(p, p.rCTCSS, 5, 13); }, &opened);
        ui::doubleClick(f.w.cbDQT->lineEdit(), f.w.cbDQT->lineEdit()->rect().center());
        QVERIFY(opened);
        QCOMPARE(f.w.cbDQT->currentText(), QStringLiteral("254.1"));
        QCOMPARE(record(f.host, 1).mid(10, 2), hex("4125"));
        // The None entry stores no tone.
        ui::pickFromList(f.w.cbQT, 0);
        QCOMPARE(record(f.host, 1).mid(8, 2), hex("ffff"));
        // Closing the picker without a choice changes nothing.
        f.host.data.All.Modified = false;
        ui::whenPickerOpens([](TfToneOption &) {}, &opened);
        ui::doubleClick(f.w.cbDQT->lineEdit(), f.w.cbDQT->lineEdit()->rect().center());
        QVERIFY(opened);
        QCOMPARE(f.w.cbDQT->currentText(), QStringLiteral("254.1"));
        QVERIFY(!f.host.data.All.Modified);
    }

    void flags()
    {
        Form f;
        ui::enterField(f.w.eRx, QStringLiteral("446.5"));
        auto flagByte = [&f] { return uint8_t(record(f.host, 1)[12]); };
        QCOMPARE(flagByte(), uint8_t(0xF3)); // wide, low, every switch off; whisper bit 7 set
        tick(f.w.chfm);
        QCOMPARE(flagByte() & 0x01, 0);
        tick(f.w.chfm);
        QCOMPARE(flagByte() & 0x01, 1);
        ui::pickFromList(f.w.cbkz, 1);
        QCOMPARE(flagByte() & 0x04, 0x04);
        ui::pickFromList(f.w.cbfsgl, 1);
        QCOMPARE(flagByte() & 0x08, 0x08);
        tick(f.w.chsmtj);
        tick(f.w.chCp);
        tick(f.w.chSr);
        QCOMPARE(flagByte(), uint8_t(0x8F));
        // Bit 1 is neither shown nor written.
        f.host.data.All.RadioImage[size_t(Image::channelOffset(1) + 12)] &= uint8_t(~0x02);
        tick(f.w.chSr);
        QCOMPARE(flagByte(), uint8_t(0xCD));
    }

    void selector_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("channel");
        QTest::newRow("12") << "12" << 12;
        QTest::newRow("above") << "20" << 16;
        QTest::newRow("below") << "0" << 1;
    }
    // A typed channel number counts once it is confirmed: one visit, corrected into 1..16.
    void selector()
    {
        QFETCH(int, channel);
        Form f;
        f.host.data.All.CurrentChannel = 5;
        f.w.LoadFromImage();
        const RadioImageBytes before = f.host.data.All.RadioImage;
        f.w.sexd->setFocus();
        f.w.sexd->selectAll();
        QFETCH(QString, typed);
        QTest::keyClicks(f.w.sexd, typed);
        QTest::keyClick(f.w.sexd, Qt::Key_Return);
        QCOMPARE(f.w.sexd->value(), channel);
        QCOMPARE(f.host.data.All.CurrentChannel, channel);
        QCOMPARE(f.host.selected, QList<int> { 0 });
        // Loads store nothing.
        QCOMPARE(f.host.data.All.RadioImage, before);
        QVERIFY(!f.host.data.All.Modified);
    }

    // Loading a channel shows its record and stores nothing.
    void loadsNeverStore()
    {
        FakeHost host(0xF7);
        const QByteArray bytes = hex("00256144 00506144 2380 5407 2b ffffff");
        std::copy(bytes.begin(), bytes.end(), host.data.All.RadioImage.begin() + Image::channelOffset(9));
        host.data.All.CurrentChannel = 9;
        TfBInfoEdit w(host);
        QVERIFY(ui::showActive(w));
        QCOMPARE(w.eRx->text(), QStringLiteral("446.12500"));
        QCOMPARE(w.eTX->text(), QStringLiteral("446.15000"));
        QCOMPARE(w.cbQT->currentText(), QStringLiteral("D023N"));
        QCOMPARE(w.cbDQT->currentText(), QStringLiteral("75.4"));
        QCOMPARE(w.cbkz->currentIndex(), 0);
        QCOMPARE(w.cbfsgl->currentIndex(), 1);
        QVERIFY(w.chsmtj->isChecked() && !w.chCp->isChecked() && !w.chfm->isChecked() && w.chSr->isChecked());
        QVERIFY(!w.chWp->isVisible() && !w.chWp->isChecked());
        w.RefreshFromImage();
        w.ShowCurrentChannel();
        QCOMPARE(record(host, 9), bytes);
        QVERIFY(host.notified.isEmpty());
        QVERIFY(!host.data.All.Modified);
    }

    // The grid and the form stay in step through the real main window; after a
    // save the command-line tool prints what the grid shows.
    void inStepWithTheGrid()
    {
        QTemporaryDir dir;
        DataModule data(dir.path() + QLatin1Char('/'));
        data.LoadSettingsAndTexts();
        BindModel(data.All, 0xF7, true);
        ScriptedPrompter prompter;
        TfMainFrm main(data, &prompter);
        QVERIFY(ui::showActive(main));
        main.FormShow();
        auto *grid = qobject_cast<TfChInfo *>(main.FindEditor(10));
        QVERIFY(grid);
        data.All.CurrentChannel = 2;
        main.RunCommand(11);
        auto *form = qobject_cast<TfBInfoEdit *>(main.FindEditor(11));
        QVERIFY(form);
        QCOMPARE(form->sexd->value(), 2);

        // Form to grid.
        ui::enterField(form->eRx, QStringLiteral("446.5"));
        ui::enterField(form->cbQT->lineEdit(), QStringLiteral("D754i"));
        QCOMPARE(grid->DisplayText(2, TfChInfo::ColRx), QStringLiteral("446.50000"));
        QCOMPARE(grid->DisplayText(2, TfChInfo::ColDec), QStringLiteral("D754I"));

        // Grid to form: an edit of the form's channel, then another row selected.
        ui::clickCell(*grid, 2, TfChInfo::ColTx);
        QTest::keyClicks(ui::cellEditor(*grid), QStringLiteral("447.0075"));
        QTest::keyClick(ui::cellEditor(*grid), Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(form->eTX->text(), QStringLiteral("447.00625"));
        ui::clickCell(*grid, 2, TfChInfo::ColScan);
        ui::pickFromList(grid->cbHave, 0);
        QVERIFY(form->chsmtj->isChecked());
        ui::typeIntoCell(*grid, 5, TfChInfo::ColRx, QStringLiteral("440"));
        QCOMPARE(data.All.CurrentChannel, 5);
        QCOMPARE(form->sexd->value(), 5);
        QCOMPARE(form->eRx->text(), QStringLiteral("440.00000"));
        auto treeChannel = [&main] {
            QTreeWidgetItem *item = main.cxTL5960->currentItem();
            return item && item->parent() ? item->parent()->indexOfChild(item) + 1 : 0;
        };
        QCOMPARE(treeChannel(), 5);

        // The form's selector moves the tree; a tree channel item moves the form.
        form->sexd->setValue(9);
        QCOMPARE(treeChannel(), 9);
        QTreeWidgetItem *seventh = main.cxTL5960->currentItem()->parent()->child(6);
        main.cxTL5960->setCurrentItem(seventh);
        main.TreeDoubleClicked(seventh);
        QCOMPARE(data.All.CurrentChannel, 7);
        QCOMPARE(form->sexd->value(), 7);

        // Saved, then printed by the command-line tool: the grid's texts, row by row.
        main.CurrentFileName = dir.filePath(QStringLiteral("edited.dat"));
        QVERIFY(main.FileSave());
        QProcess cli;
        cli.start(QStringLiteral(CLI_PATH), { QStringLiteral("channels"), main.CurrentFileName });
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), 0);
        const QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 16);
        for (int ch = 1; ch <= 16; ++ch) {
            QStringList shown;
            for (int c = TfChInfo::ColNo; c <= TfChInfo::ColBusy; ++c)
                shown << grid->DisplayText(ch, c);
            QCOMPARE(lines[ch - 1], shown[1].isEmpty() ? shown[0] : shown.join('\t'));
        }
        QVERIFY(lines[1].startsWith(QStringLiteral("2\t446.50000\t447.00625\tD754I\tNone\t")));
    }
};

QTEST_MAIN(TestForm)
#include "test_form.moc"
