// The option, key, VOX, radio information and password windows, and the
// test frequency dialog, driven as a user would.

#include "FakeHost.h"
#include "app/EditorFactories.h"
#include "app/PrintData.h"
#include "editors/InfoMsg.h"
#include "editors/OptFun.h"
#include "editors/TestFrequency.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace
{

QString shown(const OptionEditor &w, const char *name)
{
    QWidget *c = w.Control(name);
    if (auto *box = qobject_cast<QComboBox *>(c))
        return box->currentText();
    if (auto *check = qobject_cast<QCheckBox *>(c))
        return check->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked");
    return QStringLiteral("<none>");
}

void pick(OptionEditor &w, const char *name, int index)
{
    auto *box = qobject_cast<QComboBox *>(w.Control(name));
    QVERIFY(box);
    box->setFocus();
    box->setCurrentIndex(index); // what a pick from the list does
}

// Clicks a check box on its box, where a user clicks.
void clickCheck(const OptionEditor &w, const char *name)
{
    auto *check = qobject_cast<QCheckBox *>(w.Control(name));
    QVERIFY(check);
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
}

} // namespace

class TestOptions : public QObject
{
    Q_OBJECT

private slots:
    void newImageDisplay_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        const QList<std::tuple<const char *, const char *, const char *>> rows = {
            { "opt", "cbSQvelch", "5" },
            { "opt", "cbTxTimeout", "180" },
            { "opt", "cxWaveof", "On" },
            { "opt", "cbVoice", "Chinese" },
            { "opt", "cxScan", "Off" },
            { "opt", "cxFM", "Turn on" },
            { "opt", "cxAlt", "Off" },
            { "opt", "cxRevTx", "Type-1" },
            { "opt", "cxRate", "1:4" },
            { "opt", "cbVolhigh", "checked" },
            { "opt", "cbVolLow", "checked" },
            { "opt", "cbBeepTone", "checked" },
            { "opt", "cxWhisper", "On" },
            { "key", "cbKey1", "Monmome" },
            { "vox", "chVoxFun", "unchecked" },
            { "vox", "cbVoxLevel", "5" },
            { "vox", "chVoxInhibit", "checked" },
        };
        for (const auto &[w, c, t] : rows)
            QTest::newRow(c) << w << c << t;
    }
    void newImageDisplay()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        FakeHost host;
        std::unique_ptr<OptionEditor> w;
        if (window == QLatin1String("opt"))
            w.reset(new TfOptFun(host));
        else if (window == QLatin1String("key"))
            w.reset(new TfKeyFun(host));
        else
            w.reset(new TfVoxFun(host));
        w->show();
        QTEST(shown(*w, control.toLatin1().constData()), "text");
        QVERIFY(!host.data.All.Modified);
    }

    void openAndCloseChangesNothing()
    {
        FakeHost host;
        const RadioImageBytes before = host.data.All.RadioImage;
        for (OptionEditor *w : std::initializer_list<OptionEditor *> { new TfOptFun(host), new TfKeyFun(host),
                 new TfVoxFun(host), new TfInfoMsg(host), new TfPassWord(host) }) {
            w->show();
            w->close(); // deletes itself
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(host.data.All.RadioImage, before);
        QVERIFY(!host.data.All.Modified);
        QCOMPARE(host.destroyed.size(), 5);
    }

    void oneChangeStoresAllBoundBytes()
    {
        FakeHost host;
        auto &img = host.data.All.RadioImage;
        img[319] = 0xFF; // the hidden Whisper byte: not in its list
        img[323] = 20; // time-out 20 is allowed by sanitising, but the box has no such entry
        img[310] = 0xFF;
        img[320] = 0xFE;
        TfOptFun w(host);
        w.show();
        QCOMPARE(shown(w, "cbTxTimeout"), QStringLiteral("Off")); // keeps its initial entry
        QCOMPARE(shown(w, "cbVolLow"), QStringLiteral("unchecked"));
        QCOMPARE(shown(w, "cbBeepTone"), QStringLiteral("unchecked"));
        QVERIFY(!host.data.All.Modified);

        pick(w, "cbSQvelch", 9);
        QCOMPARE(int(img[321]), 9);
        QCOMPARE(int(img[319]), 0); // the hidden box's selection, "On"
        QCOMPARE(int(img[323]), 0); // the shown "Off"
        QCOMPARE(int(img[310]), 0); // unchecked stores 0
        QCOMPARE(int(img[320]), 0xFE); // bits 1..7 kept, bit 0 as shown
        QVERIFY(host.data.All.Modified);

        clickCheck(w, "cbBeepTone");
        QCOMPARE(int(img[320]), 0xFF);
        clickCheck(w, "cbBeepTone");
        QCOMPARE(int(img[320]), 0xFE);
    }

    // A byte outside its box's list is not shown and not stored on load; the
    // next change anywhere in the window writes the index the box shows.
    void outOfListByte_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("byte");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("shownText");
        QTest::addColumn<QString>("changed"); // another control the user changes
        QTest::addColumn<int>("stored");
        QTest::newRow("squelch 255") << 14 << 321 << 255 << "cbSQvelch"
                                     << "0"
                                     << "cxScan" << 0;
        QTest::newRow("time-out 11") << 14 << 323 << 11 << "cbTxTimeout"
                                     << "Off"
                                     << "cxScan" << 0;
        QTest::newRow("time-out 30") << 14 << 323 << 30 << "cbTxTimeout"
                                     << "Off"
                                     << "cxAlt" << 0;
        QTest::newRow("epilogue 255") << 14 << 317 << 255 << "cxRevTx"
                                      << "Type-1"
                                      << "cxScan" << 1;
        QTest::newRow("hidden whisper 255") << 14 << 319 << 255 << "cxWhisper"
                                            << "On"
                                            << "cbVoice" << 0;
        QTest::newRow("side key 255, hidden key changed") << 12 << 322 << 255 << "cbKey1"
                                                          << "Off"
                                                          << "cbKey2" << 0;
        QTest::newRow("VOX level 255") << 13 << 308 << 255 << "cbVoxLevel"
                                       << "5"
                                       << "chVoxFun" << 4;
    }
    void outOfListByte()
    {
        QFETCH(int, tag);
        QFETCH(int, offset);
        QFETCH(int, byte);
        QFETCH(QString, control);
        QFETCH(QString, changed);
        FakeHost host;
        auto &img = host.data.All.RadioImage;
        img[size_t(offset)] = uint8_t(byte);
        const RadioImageBytes before = img;
        std::unique_ptr<QWidget> made(CreateEditor(tag, host, nullptr));
        auto *w = qobject_cast<OptionEditor *>(made.get());
        QVERIFY(w);
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        w->show();
        QTEST(shown(*w, control.toLatin1().constData()), "shownText");
        QCOMPARE(img, before);
        QVERIFY(!host.data.All.Modified);

        QWidget *other = w->Control(changed.toLatin1().constData());
        if (auto *box = qobject_cast<QComboBox *>(other))
            box->setCurrentIndex(box->currentIndex() == 0 ? 1 : 0);
        else
            clickCheck(*w, changed.toLatin1().constData());
        QTEST(int(img[size_t(offset)]), "stored");
        QVERIFY(host.data.All.Modified);
    }

    void voxEnabling()
    {
        FakeHost host;
        auto &img = host.data.All.RadioImage;
        img[307] = 0xFF;
        img[309] = 0xFF;
        TfVoxFun w(host);
        w.show();
        QCOMPARE(shown(w, "chVoxFun"), QStringLiteral("unchecked"));
        QCOMPARE(shown(w, "chVoxInhibit"), QStringLiteral("unchecked"));
        QVERIFY(!w.Control("cbVoxLevel")->isEnabled());
        QVERIFY(!w.Control("chVoxInhibit")->isEnabled());
        clickCheck(w, "chVoxFun");
        QVERIFY(w.Control("cbVoxLevel")->isEnabled());
        QVERIFY(w.Control("chVoxInhibit")->isEnabled());
        QCOMPARE(int(img[307]), 1);
        QCOMPARE(int(img[309]), 0);
        pick(w, "cbVoxLevel", 8);
        QCOMPARE(int(img[308]), 8);
        clickCheck(w, "chVoxFun");
        QCOMPARE(int(img[307]), 0);
        QVERIFY(!w.Control("cbVoxLevel")->isEnabled());
    }

    void serialNumber()
    {
        FakeHost host;
        auto &img = host.data.All.RadioImage;
        const QByteArray serial = QByteArray("AB12") + QByteArray(12, char(0xFF));
        std::copy(serial.begin(), serial.end(), img.begin() + 352);
        const uint8_t time[7] = { 0xD8, 0x07, 0x01, 0x02, 0x03, 0x04, 0x05 };
        std::copy(std::begin(time), std::end(time), img.begin() + 368);
        TfInfoMsg w(host);
        w.show();
        QCOMPARE(w.cxSerial->text(), QStringLiteral("AB12            "));
        QCOMPARE(w.cxRadioTime->text(), QStringLiteral("2008-01-02 03:04:05"));
        QCOMPARE(w.cxModel->text(), QStringLiteral("TL-5960s(UHF)"));
        QCOMPARE(w.cxFreq->text(), QStringLiteral("450 - 470MHz"));
        QVERIFY(!host.data.All.Modified);

        w.cxSerial->clear();
        QTest::keyClicks(w.cxSerial, QStringLiteral("ab-1"));
        QCOMPARE(bytesAt(img, 352, 16), QByteArray("AB-1            "));
        QVERIFY(host.data.All.Modified);
        w.RefreshFromImage();
        QCOMPARE(w.cxSerial->text(), QStringLiteral("AB 1            "));
        QTest::keyClicks(w.cxSerial, QStringLiteral("XYZ"));
        QCOMPARE(w.cxSerial->text().size(), 16);

        // Small letters from a file show as capitals; loading stores nothing.
        const QByteArray small("ab12cd34ef56gh78");
        std::copy(small.begin(), small.end(), img.begin() + 352);
        host.data.All.Modified = false;
        w.RefreshFromImage();
        QCOMPARE(w.cxSerial->text(), QStringLiteral("AB12CD34EF56GH78"));
        QCOMPARE(bytesAt(img, 352, 16), small);
        QVERIFY(!host.data.All.Modified);
    }

    void passwords()
    {
        FakeHost host;
        auto &img = host.data.All.RadioImage;
        TfPassWord w(host);
        w.show();
        QCOMPARE(w.cxoPasd->text(), QString());
        QVERIFY(!w.cbNps->isChecked());
        QVERIFY(!w.cxnPasd->isEnabled());

        QTest::keyClicks(w.cxoPasd, QStringLiteral(" 1234"));
        QCOMPARE(bytesAt(img, 0, 8), QByteArray("1234    "));
        QVERIFY(!host.data.All.Modified);
        QCOMPARE(bytesAt(img, 8, 8), QByteArray(8, char(0xFF)));

        QTest::mouseClick(w.cbNps, Qt::LeftButton);
        QVERIFY(host.data.All.NewPasswordEnabled);
        QVERIFY(w.cxnPasd->isEnabled());
        QCOMPARE(bytesAt(img, 8, 8), QByteArray(8, char(0xFF))); // the box alone writes nothing
        QTest::keyClicks(w.cxnPasd, QStringLiteral("abcd"));
        QCOMPARE(bytesAt(img, 8, 8), QByteArray("abcd    "));
        QTest::mouseClick(w.cbNps, Qt::LeftButton);
        QVERIFY(!host.data.All.NewPasswordEnabled);
        QCOMPARE(bytesAt(img, 8, 8), QByteArray("abcd    "));
    }

    // Each character of these boxes becomes one image byte: a character beyond
    // printable ASCII is refused, typed or pasted, rather than reaching the
    // image as a substitute byte.
    void byteCharacters_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("serial number") << "cxSerial" << 352 << QByteArray("A-B             ");
        QTest::newRow("password") << "cxoPasd" << 0 << QByteArray("a-b     ");
        QTest::newRow("new password") << "cxnPasd" << 8 << QByteArray("a-b     ");
    }
    void byteCharacters()
    {
        QFETCH(QString, edit);
        QFETCH(int, offset);
        QFETCH(QByteArray, stored);
        FakeHost host;
        host.data.All.SerialEditable = true;
        host.data.All.NewPasswordEnabled = true;
        std::unique_ptr<OptionEditor> w;
        if (edit == QLatin1String("cxSerial"))
            w.reset(new TfInfoMsg(host));
        else
            w.reset(new TfPassWord(host));
        w->show();
        auto *line = w->findChild<QLineEdit *>(edit);
        QVERIFY(line && line->isEnabled() && !line->isReadOnly());
        line->clear();
        QTest::keyClicks(line, QStringLiteral("a-"));
        QTest::sendKeyEvent(QTest::Click, line, Qt::Key_unknown, QStringLiteral("中"), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Click, line, Qt::Key_unknown, QStringLiteral("é"), Qt::NoModifier);
        line->insert(QStringLiteral("x\u00FCy")); // a paste with one such character is refused whole
        QTest::keyClicks(line, QStringLiteral("b"));
        QCOMPARE(bytesAt(host.data.All.RadioImage, offset, stored.size()), stored);
    }

    // In the main window's area each window opens at (20, 20) in a frame with
    // minimise and close but no maximise, keeps where the user put it when
    // restored after minimising, and Close removes it and tells the host.
    void frameInMainWindow_data()
    {
        QTest::addColumn<int>("tag");
        for (int tag : { 12, 13, 14, 15, 16 })
            QTest::newRow(qPrintable(QString::number(tag))) << tag;
    }
    void frameInMainWindow()
    {
        QFETCH(int, tag);
        FakeHost host;
        QMdiArea area;
        area.resize(900, 700);
        area.show();
        auto *w = qobject_cast<OptionEditor *>(CreateEditor(tag, host, &area));
        QVERIFY(w);
        QMdiSubWindow *sub = area.addSubWindow(w);
        sub->show();
        QCOMPARE(sub->pos(), QPoint(20, 20));
        QVERIFY(sub->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(sub->windowFlags() & Qt::WindowMaximizeButtonHint));
        sub->move(150, 90);
        sub->showMinimized();
        sub->showNormal();
        QCOMPARE(sub->pos(), QPoint(150, 90));
        w->btnCancel->click();
        QTRY_VERIFY(area.subWindowList().isEmpty());
        QTRY_COMPARE(host.destroyed, QList<QWidget *> { w });
        QVERIFY(!host.data.All.Modified);
    }

    void printRows()
    {
        FakeHost host;
        host.data.All.RadioImage[307] = 1;
        PrintData data;
        TfInfoMsg info(host);
        info.AddPrintRows(data);
        TfKeyFun key(host);
        key.AddPrintRows(data);
        TfVoxFun vox(host);
        vox.AddPrintRows(data);
        TfOptFun opt(host);
        opt.AddPrintRows(data);
        QCOMPARE(data.Header.Title, QStringLiteral("TL-5960s"));
        QCOMPARE(data.Header.BValue, QStringLiteral("450 - 470MHz"));
        QStringList rows;
        for (const PrintDetail &d : data.Rows) {
            QCOMPARE(d.TypeID, 9);
            QVERIFY(d.BField.isEmpty() && d.BValue.isEmpty());
            rows << d.TypeName + QLatin1Char('|') + d.AField + QLatin1Char('|') + d.AValue;
        }
        QCOMPARE(rows,
            (QStringList {
                "Key Function|Side Key|Monmome",
                "Vox Function|VOX Function|Opened",
                "Vox Function|VOX Gain Level|5",
                "Vox Function|VOX Inhibit OnReceive|Opened",
                "Optional Function|Squelch level|5",
                "Optional Function|TX Time Out|180",
                "Optional Function|Voice|On",
                "Optional Function|Voice Annunciation|Chinese",
                "Optional Function|Scan|Off",
                "Optional Function|FM Function|Turn on",
                "Optional Function|Incept Alarm|Off",
                "Optional Function|Epilogue|Type-1",
                "Optional Function|Battery Save|1:4",
                "Optional Function|Clew Voice|Opened",
                "Optional Function|High Vol Inhibit Tx|Opened",
                "Optional Function|Low Vol Inhibit Tx|Opened",
            }));
    }

    void translated()
    {
        FakeHost host(0xF4, QStringLiteral(LANG_DIR));
        host.data.All.LanguageIndex = 1;
        host.data.All.LanguageName = QStringLiteral("Chinese");
        TfOptFun w(host);
        w.show();
        auto *squelch = qobject_cast<QComboBox *>(w.Control("cbSQvelch"));
        auto *timeout = qobject_cast<QComboBox *>(w.Control("cbTxTimeout"));
        QCOMPARE(squelch->itemText(9), QStringLiteral("9"));
        QVERIFY(timeout->itemText(0) != QStringLiteral("Off"));
        QCOMPARE(timeout->itemText(1), QStringLiteral("30"));
        QVERIFY(w.windowTitle() != QStringLiteral("Optional Function"));
        QCOMPARE(timeout->currentIndex(), 6); // translation keeps the selection
        QVERIFY(!host.data.All.Modified);
    }

    void testFrequency_data()
    {
        QTest::addColumn<QString>("before"); // a value committed first, if any
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("ok"); // closed with Ok, else Cancel
        QTest::addColumn<int>("closingMessages");
        const QString err = QStringLiteral("The frequecy number come amiss!");
        const QString out = QStringLiteral("Frequecy is Out of range.");
        QTest::newRow("above model") << ""
                                     << "700"
                                     << "470.00000" << QStringList { err } << false << 1;
        QTest::newRow("below model") << ""
                                     << "200"
                                     << "450.00000" << QStringList { err } << true << 1;
        QTest::newRow("in band, no raster") << ""
                                            << "460.0125"
                                            << "460.01250" << QStringList {} << true << 1;
        QTest::newRow("outside band") << ""
                                      << "480"
                                      << "480.00000" << QStringList { out } << false << 1;
        QTest::newRow("no number, empty cell") << ""
                                               << "."
                                               << "" << QStringList {} << false << 0;
        QTest::newRow("no number keeps the value") << "455"
                                                   << "."
                                                   << "455.00000" << QStringList {} << true << 1;
        QTest::newRow("emptied") << "455"
                                 << ""
                                 << "" << QStringList {} << false << 1;
    }
    void testFrequency()
    {
        QFETCH(QString, before);
        QFETCH(QString, typed);
        QFETCH(QStringList, messages);
        QFETCH(bool, ok);
        FakeHost host(0xF4);
        const RadioImageBytes before_image = host.data.All.RadioImage;
        TfTestFrequency d(host.data, host.prompter);
        d.show();
        if (!before.isEmpty())
            d.gvData->item(0, 1)->setText(before);
        host.prompter.clear();
        d.gvData->item(0, 1)->setText(typed); // what committing the cell editor does
        QTEST(d.gvData->item(0, 1)->text(), "cell");
        QCOMPARE(host.prompter.texts(), messages);
        host.prompter.clear();
        if (ok)
            d.btnOk->click();
        else
            d.btnCancel->click();
        // The closing message follows a committed number, once, under Confirmation.
        QTEST(int(host.prompter.shown.size()), "closingMessages");
        if (!host.prompter.shown.isEmpty())
            QCOMPARE(host.prompter.texts().first(),
                QStringLiteral("Test Frequency mismatch.#10#13Execute read data from radio or write to radio."));
        QCOMPARE(host.data.All.RadioImage, before_image);
        QVERIFY(!host.data.All.Modified);
    }

    // The cells take digits and one point only, five of each at most, as they are typed.
    void testFrequencyTyping()
    {
        FakeHost host(0xF4);
        TfTestFrequency d(host.data, host.prompter);
        d.show();
        QTableWidgetItem *cell = d.gvData->item(2, 2);
        d.gvData->setCurrentItem(cell);
        d.gvData->editItem(cell);
        auto *editor = d.gvData->findChild<QLineEdit *>();
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("-4a60.012345#"));
        QCOMPARE(editor->text(), QStringLiteral("460.01234"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(cell->text(), QStringLiteral("460.01234")); // the view commits on its next turn
        QVERIFY(d.Edited);
        QVERIFY(host.prompter.shown.isEmpty());
    }

    // The channel numbers are fixed; a second showing starts empty again.
    void testFrequencyFreshEachTime()
    {
        FakeHost host(0xF4);
        {
            TfTestFrequency d(host.data, host.prompter);
            d.show();
            d.gvData->item(15, 1)->setText(QStringLiteral("455"));
            QCOMPARE(d.gvData->item(15, 0)->text(), QStringLiteral("16"));
            QVERIFY(!(d.gvData->item(15, 0)->flags() & Qt::ItemIsEditable));
            d.reject();
        }
        TfTestFrequency again(host.data, host.prompter);
        again.show();
        QVERIFY(!again.Edited);
        QCOMPARE(again.gvData->item(15, 1)->text(), QString());
    }

    void embeddedMessage_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("hyphen") << "-"
                                << "";
        QTest::newRow("hash") << "#"
                              << "";
        QTest::newRow("blank") << " "
                               << " ";
        QTest::newRow("letters and digits") << "Tl 5960s"
                                            << "Tl 5960s";
        QTest::newRow("mixed") << "a-b#c.d"
                               << "abcd";
        QTest::newRow("33 characters") << QString(33, QLatin1Char('x')) << QString(32, QLatin1Char('x'));
    }
    void embeddedMessage()
    {
        QFETCH(QString, typed);
        FakeHost host;
        const RadioImageBytes before = host.data.All.RadioImage;
        TfEmbeddedMessage d(host.data);
        d.show();
        for (QLineEdit *e : { d.edEMA, d.edEMB }) {
            QTest::keyClicks(e, typed);
            QTEST(e->text(), "shown");
        }
        d.btnOk->click();
        QCOMPARE(host.data.All.RadioImage, before);
        QVERIFY(!host.data.All.Modified);
    }

    // A new password that is on shows its box checked and filled; the serial
    // number is only shown while it is not editable.
    void passwordAndSerialLoad()
    {
        FakeHost host;
        auto &img = host.data.All.RadioImage;
        const QByteArray bytes("  12ab  X9-Z  \x01 ");
        std::copy(bytes.begin(), bytes.begin() + 16, img.begin());
        host.data.All.NewPasswordEnabled = true;
        TfPassWord p(host);
        p.show();
        QCOMPARE(p.cxoPasd->text(), QStringLiteral("12ab"));
        QVERIFY(p.cbNps->isChecked());
        QVERIFY(p.cxnPasd->isEnabled());
        QCOMPARE(p.cxnPasd->text(), QStringLiteral("X9 Z"));
        QVERIFY(!host.data.All.Modified);

        host.data.All.SerialEditable = false;
        const RadioImageBytes before = img;
        auto *info = new TfInfoMsg(host); // closing deletes it
        info->show();
        QVERIFY(info->cxSerial->isReadOnly());
        info->cxSerial->setText(QStringLiteral("CHANGED"));
        info->btnOk->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(host.destroyed.size(), 1);
        QCOMPARE(img, before);
        QVERIFY(!host.data.All.Modified);
    }
};

QTEST_MAIN(TestOptions)
#include "test_options.moc"
