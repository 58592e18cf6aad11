// The channel grid and the tone picker, clicked and typed into as a user would.

#include "ChannelUi.h"
#include "FakeHost.h"
#include "app/PrintData.h"
#include "editors/ChInfo.h"
#include "editors/ToneOption.h"
#include "image/ChannelCodec.h"
#include "image/ChannelEntry.h"

#include <QGroupBox>
#include <QHeaderView>

namespace
{

using C = TfChInfo::Column;

QByteArray record(FakeHost &host, int channel)
{
    return bytesAt(host.data.All.RadioImage, Image::channelOffset(channel), 16);
}

QStringList rowTexts(const TfChInfo &w, int channel)
{
    QStringList row;
    for (int c = C::ColNo; c <= C::ColBusy; ++c)
        row << w.DisplayText(channel, c);
    return row;
}

const QString OutRange = QStringLiteral("Frequecy is Out of range.");
const QString ErrRange = QStringLiteral("The frequecy number come amiss!");

} // namespace

class TestGrid : public QObject
{
    Q_OBJECT

private slots:
    void frequencyEntry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("kept") << "446.00625"
                              << "446.00625" << QStringList {};
        QTest::newRow("6.25 kHz raster") << "446.0075"
                                         << "446.00625" << QStringList {};
        QTest::newRow("5 kHz raster") << "446.012"
                                      << "446.01000" << QStringList {};
        QTest::newRow("outside band") << "480"
                                      << "480.00000" << QStringList { OutRange };
        QTest::newRow("above model") << "700"
                                     << "470.00000" << QStringList { ErrRange };
        QTest::newRow("below model") << "100"
                                     << "400.00000" << QStringList { ErrRange };
        QTest::newRow("no number") << "4.4.6"
                                   << "470.00000" << QStringList { OutRange };
        QTest::newRow("letters dropped") << "44a6.1"
                                         << "446.10000" << QStringList {};
    }
    // RX and TX cells of an existing channel follow the same rules.
    void frequencyEntry()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        for (int column : { int(C::ColRx), int(C::ColTx) }) {
            FakeHost host(0xF7);
            TfChInfo w(host);
            QVERIFY(ui::showActive(w));
            if (column == C::ColTx)
                ui::typeIntoCell(w, 2, C::ColRx, QStringLiteral("446.5"));
            host.prompter.clear();
            ui::typeIntoCell(w, 2, column, typed);
            QCOMPARE(w.DisplayText(2, column), shown);
            QTEST(host.prompter.texts(), "messages");
            for (const auto &s : host.prompter.shown)
                QCOMPARE(s.caption, QStringLiteral("Caution"));
            // The record holds what the cell shows.
            QCOMPARE(ChannelRowTexts(host.data.All, 2)[column - 1], shown);
            QVERIFY(host.data.All.Modified);
        }
    }

    // Leaving the cell with a click elsewhere commits the entry once.
    void leavingACellCommitsOnce()
    {
        FakeHost host(0xF7);
        TfChInfo w(host);
        QVERIFY(ui::showActive(w));
        ui::typeIntoCell(w, 2, C::ColRx, QStringLiteral("446.5"));
        host.prompter.clear();
        ui::clickCell(w, 2, C::ColTx);
        QTest::keyClicks(ui::cellEditor(w), QStringLiteral("700"));
        ui::clickCell(w, 6, C::ColRx);
        QCOMPARE(host.prompter.texts(), QStringList { ErrRange });
        QCOMPARE(w.DisplayText(2, C::ColTx), QStringLiteral("470.00000"));
        QCOMPARE(DecodeChannel(host.data.All.channelRecord(2)).tx, 470.0);
        QCOMPARE(host.data.All.CurrentChannel, 6);
    }

    void newChannelClearAndDelete()
    {
        FakeHost host(0xF7);
        TfChInfo w(host);
        QVERIFY(ui::showActive(w));
        // A cleared record whose flag bits 1 and 7 were cleared before keeps them.
        host.data.All.RadioImage[size_t(Image::channelOffset(6) + 12)] = 0x00;
        ui::typeIntoCell(w, 5, C::ColRx, QStringLiteral("446.1"));
        ui::typeIntoCell(w, 6, C::ColRx, QStringLiteral("446.1"));
        QCOMPARE(record(host, 5), hex("00006144 00006144 ffff ffff fb ffffff"));
        QCOMPARE(record(host, 6).mid(12, 1), hex("79"));
        QCOMPARE(rowTexts(w, 5), ChannelRowTexts(host.data.All, 5));
        QCOMPARE(rowTexts(w, 5).mid(2),
            (QStringList { "446.10000", "None", "None", "High", "Wide", "No", "No", "No", "No" }));
        QVERIFY(host.notified.contains(2));

        // Clearing TX: receive only, no encode tone, and its box no longer opens.
        ui::clickCell(w, 5, C::ColEnc);
        ui::pickFromList(w.cbDQT, 9); // 88.5
        QCOMPARE(record(host, 5).mid(10, 2), hex("8508"));
        ui::typeIntoCell(w, 5, C::ColTx, QString());
        QCOMPARE(record(host, 5).mid(4, 8), hex("ffffffff ffff ffff"));
        QCOMPARE(w.DisplayText(5, C::ColEnc), QStringLiteral("None"));
        ui::clickCell(w, 5, C::ColEnc);
        QVERIFY(!w.ShownBox());

        // Clearing RX deletes the channel: an empty row whose boxes do not open.
        ui::typeIntoCell(w, 5, C::ColRx, QString());
        QCOMPARE(record(host, 5), QByteArray(16, char(0xFF)));
        QCOMPARE(rowTexts(w, 5), (QStringList { "5", "", "", "", "", "", "", "", "", "", "" }));
        QVERIFY(!(w.Cell(5, C::ColTx)->flags() & Qt::ItemIsEditable));
        ui::clickCell(w, 5, C::ColTx);
        QVERIFY(!ui::cellEditor(w));
        ui::clickCell(w, 5, C::ColPower);
        QVERIFY(!w.ShownBox());
    }

    // A record whose RX frequency is no decimal number is an empty row, whatever else it holds.
    void invalidRecordIsAnEmptyRow()
    {
        FakeHost host(0xF7);
        const QByteArray bytes = hex("4a250145 00250145 8508 2380 00 ffffff");
        std::copy(bytes.begin(), bytes.end(), host.data.All.RadioImage.begin() + Image::channelOffset(3));
        TfChInfo w(host);
        QVERIFY(ui::showActive(w));
        QVERIFY(w.DisplayText(3, C::ColRx).isEmpty() && w.DisplayText(3, C::ColDec).isEmpty());
        QVERIFY(w.ValueText(3, C::ColNo).isEmpty());
    }

    void toneBoxes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("reloaded");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("typed over None") << "88.5"
                                         << "88.5"
                                         << "88.5" << hex("8508");
        QTest::newRow("low") << "12"
                             << "30.0"
                             << "30.0" << hex("0003");
        QTest::newRow("high") << "300"
                              << "290.0"
                              << "290.0" << hex("0029");
        QTest::newRow("whole") << "100"
                               << "100.0"
                               << "100.0" << hex("0010");
        QTest::newRow("digits, no number") << "1.2.3"
                                           << "290.0"
                                           << "290.0" << hex("0029");
        QTest::newRow("lower-case polarity") << "D023n"
                                             << "D023n"
                                             << "D023N" << hex("2380");
        QTest::newRow("lower-case d") << "d023N"
                                      << "D777N"
                                      << "D777N" << hex("7787");
        QTest::newRow("not octal") << "D028N"
                                   << "D777N"
                                   << "D777N" << hex("7787");
        QTest::newRow("short code") << "D23N"
                                    << "D777N"
                                    << "D777N" << hex("7787");
        QTest::newRow("point first") << ".5"
                                     << "D777N"
                                     << "D777N" << hex("7787");
        QTest::newRow("other keys dropped") << "8x8.5"
                                            << "88.5"
                                            << "88.5" << hex("8508");
        QTest::newRow("empty is no tone") << ""
                                          << "None"
                                          << "None" << hex("ffff");
    }
    // Both tone boxes, confirmed with Enter; the box appears with its text
    // selected, so typing replaces it.
    void toneBoxes()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, bytes);
        for (int column : { int(C::ColDec), int(C::ColEnc) }) {
            FakeHost host(0xF7);
            TfChInfo w(host);
            QVERIFY(ui::showActive(w));
            ui::typeIntoCell(w, 3, C::ColRx, QStringLiteral("446.5"));
            ui::clickCell(w, 3, column);
            QComboBox *box = w.ShownBox();
            QCOMPARE(box, column == C::ColDec ? w.cbQT : w.cbDQT);
            QCOMPARE(box->lineEdit()->selectedText(), QStringLiteral("None"));
            const int stores = host.notified.size();
            ui::typeIntoBox(box, typed);
            QTest::keyClick(box->lineEdit(), Qt::Key_Return);
            QTEST(w.DisplayText(3, column), "shown");
            QVERIFY(!w.ShownBox()); // Enter hides the box
            QCOMPARE(host.notified.size() - stores, 1);
            QCOMPARE(record(host, 3).mid(column == C::ColDec ? 8 : 10, 2), bytes);
            w.FillRow(3);
            QTEST(w.DisplayText(3, column), "reloaded");
        }
    }

    // Leaving a box by clicking elsewhere stores its typed tone once; a command
    // that ends the editing (EndEditing) does the same.
    void toneBoxCommitsOnLeaving()
    {
        FakeHost host(0xF7);
        TfChInfo w(host);
        QVERIFY(ui::showActive(w));
        ui::typeIntoCell(w, 1, C::ColRx, QStringLiteral("446.5"));
        ui::clickCell(w, 1, C::ColDec);
        ui::typeIntoBox(w.cbQT, QStringLiteral("D754i"));
        const int stores = host.notified.size();
        ui::clickCell(w, 1, C::ColPower);
        QCOMPARE(host.notified.size() - stores, 1);
        QCOMPARE(record(host, 1).mid(8, 2), hex("54c7"));
        QCOMPARE(w.ShownBox(), w.cbfsgl);

        ui::clickCell(w, 1, C::ColEnc);
        ui::typeIntoBox(w.cbDQT, QStringLiteral("67"));
        w.EndEditing();
        QVERIFY(!w.ShownBox());
        QCOMPARE(w.DisplayText(1, C::ColEnc), QStringLiteral("67.0"));
        QCOMPARE(record(host, 1).mid(10, 2), hex("7006"));
    }

    void switchBoxes()
    {
        FakeHost host(0xF7);
        TfChInfo w(host);
        QVERIFY(ui::showActive(w));
        ui::typeIntoCell(w, 1, C::ColRx, QStringLiteral("446.5"));
        host.data.All.Modified = false;
        // Showing a box loads the cell's value without storing it.
        ui::clickCell(w, 1, C::ColWn);
        QCOMPARE(w.ShownBox(), w.cbkz);
        QCOMPARE(w.cbkz->currentIndex(), 0);
        QVERIFY(!host.data.All.Modified);
        ui::pickFromList(w.cbkz, 1);
        QCOMPARE(w.DisplayText(1, C::ColWn), QStringLiteral("Narrow"));
        QCOMPARE(w.ValueText(1, C::ColWn), QStringLiteral("1"));
        QCOMPARE(record(host, 1).mid(12, 1), hex("ff"));
        // Keys move through the list too; Enter hides the box.
        ui::clickCell(w, 1, C::ColBusy);
        QCOMPARE(w.ShownBox(), w.cbHave);
        QTest::keyClick(w.cbHave, Qt::Key_Up); // "Yes"
        QTest::keyClick(w.cbHave, Qt::Key_Return);
        QVERIFY(!w.ShownBox());
        QCOMPARE(record(host, 1).mid(12, 1), hex("fe"));
        ui::clickCell(w, 1, C::ColPower);
        ui::pickFromList(w.cbfsgl, 0);
        QCOMPARE(record(host, 1).mid(12, 1), hex("f6"));
        QVERIFY(host.data.All.Modified);
        QCOMPARE(rowTexts(w, 1), ChannelRowTexts(host.data.All, 1));
    }

    // Enter in a box closes it and leaves the grid on the same cell: in the last
    // column too, where moving on would select the next channel.
    void enterKeepsTheCell_data()
    {
        QTest::addColumn<int>("column");
        QTest::newRow("QT/DQT Dec") << int(C::ColDec);
        QTest::newRow("W/N") << int(C::ColWn);
        QTest::newRow("Busy Lock") << int(C::ColBusy);
    }
    void enterKeepsTheCell()
    {
        QFETCH(int, column);
        FakeHost host(0xF7);
        TfChInfo w(host);
        QVERIFY(ui::showActive(w));
        ui::typeIntoCell(w, 3, C::ColRx, QStringLiteral("446.5"));
        ui::typeIntoCell(w, 4, C::ColRx, QStringLiteral("447.5"));
        ui::clickCell(w, 3, column);
        QVERIFY(w.ShownBox());
        host.selected.clear();
        QTest::keyClick(w.ShownBox()->isEditable() ? static_cast<QWidget *>(w.ShownBox()->lineEdit()) : w.ShownBox(),
            Qt::Key_Return);
        QVERIFY(!w.ShownBox());
        QCOMPARE(w.gvData->currentRow(), 2);
        QCOMPARE(w.gvData->currentColumn(), column - 1);
        QCOMPARE(host.data.All.CurrentChannel, 3);
        QVERIFY(host.selected.isEmpty());
        QVERIFY(w.gvData->hasFocus());
    }

    // Tab in a tone box takes its typed tone to its own cell and opens the next cell's box.
    void tabMovesOn()
    {
        FakeHost host(0xF7);
        TfChInfo w(host);
        QVERIFY(ui::showActive(w));
        ui::typeIntoCell(w, 2, C::ColRx, QStringLiteral("446.5"));
        ui::clickCell(w, 2, C::ColDec);
        ui::typeIntoBox(w.cbQT, QStringLiteral("D023N"));
        QTest::keyClick(w.cbQT->lineEdit(), Qt::Key_Tab);
        QCOMPARE(w.DisplayText(2, C::ColDec), QStringLiteral("D023N"));
        QCOMPARE(w.DisplayText(2, C::ColEnc), QStringLiteral("None"));
        QCOMPARE(record(host, 2).mid(8, 4), hex("2380 ffff"));
        QCOMPARE(w.ShownBox(), w.cbDQT);
    }

    void selectingMovesTheCurrentChannel()
    {
        FakeHost host;
        TfChInfo w(host);
        QVERIFY(ui::showActive(w));
        ui::clickCell(w, 7, C::ColNo);
        QCOMPARE(host.data.All.CurrentChannel, 7);
        QCOMPARE(host.selected, QList<int> { 2 });
        // Keys move the selection like clicks do.
        QTest::keyClick(w.gvData, Qt::Key_Down);
        QCOMPARE(host.data.All.CurrentChannel, 8);
        // The header row is no channel: a click on a title moves nothing.
        QHeaderView *header = w.gvData->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(3) + 10, header->height() / 2));
        QCOMPARE(host.data.All.CurrentChannel, 8);
    }

    void pickerIntoTheGrid()
    {
        FakeHost host(0xF7);
        TfChInfo w(host);
        QVERIFY(ui::showActive(w));
        ui::typeIntoCell(w, 4, C::ColRx, QStringLiteral("446.5"));
        ui::clickCell(w, 4, C::ColDec);
        bool opened = false;
        ui::whenPickerOpens([](TfToneOption &p) { ui::doubleClickTone(p, p.rDCSI, 0, 1); }, &opened);
        ui::doubleClick(w.cbQT->lineEdit(), w.cbQT->lineEdit()->rect().center());
        QVERIFY(opened);
        QCOMPARE(w.DisplayText(4, C::ColDec), QStringLiteral("D023I"));
        QCOMPARE(record(host, 4).mid(8, 2), hex("23c0"));
        QCOMPARE(w.cbQT->currentText(), QStringLiteral("D023I"));

        // Closing the picker without a choice, or with an empty cell, changes nothing.
        host.data.All.Modified = false;
        const QByteArray before = record(host, 4);
        ui::whenPickerOpens([](TfToneOption &) {}, &opened);
        ui::doubleClick(w.cbQT->lineEdit(), w.cbQT->lineEdit()->rect().center());
        ui::whenPickerOpens([](TfToneOption &p) { ui::doubleClickTone(p, p.rCTCSS, 8, 13); }, &opened);
        ui::doubleClick(w.cbQT->lineEdit(), w.cbQT->lineEdit()->rect().center());
        QVERIFY(opened);
        QCOMPARE(record(host, 4), before);
        QCOMPARE(w.DisplayText(4, C::ColDec), QStringLiteral("D023I"));
        QVERIFY(!host.data.All.Modified);
    }

    void picker_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("result");
        QTest::addColumn<bool>("closes");
        QTest::newRow("88.5") << "rCTCSS" << 8 << 1 << "88.5" << true;
        QTest::newRow("its index") << "rCTCSS" << 8 << 0 << "" << false;
        QTest::newRow("its code") << "rCTCSS" << 8 << 2 << "" << false;
        QTest::newRow("254.1, not in the boxes") << "rCTCSS" << 5 << 13 << "254.1" << true;
        QTest::newRow("empty cell at the end") << "rCTCSS" << 8 << 13 << "" << true;
        QTest::newRow("second DCS-N group") << "rDCSN" << 0 << 3 << "D072N" << true;
        QTest::newRow("code number") << "rDCSN" << 0 << 2 << "" << false;
        QTest::newRow("D645I, not in the boxes") << "rDCSI" << 7 << 13 << "D645I" << true;
        QTest::newRow("empty DCS cell") << "rDCSI" << 10 << 15 << "" << true;
    }
    void picker()
    {
        QFETCH(QString, table);
        QFETCH(int, row);
        QFETCH(int, column);
        FakeHost host;
        TfToneOption p(host.data.All);
        QVERIFY(ui::showActive(p));
        // Each opening starts on the CTCSS table.
        QVERIFY(p.gvCtcss->isVisible() && !p.gvDcsN->isVisible() && !p.gvDcsI->isVisible());
        QCOMPARE(p.gbList->title(), QStringLiteral("CTCSS"));
        auto *radio = p.findChild<QRadioButton *>(table);
        ui::doubleClickTone(p, radio, row, column);
        QCOMPARE(p.gbList->title(), radio->text());
        QTEST(p.Result, "result");
        QTEST(!p.isVisible(), "closes");
    }

    void pickerTables()
    {
        FakeHost host;
        TfToneOption p(host.data.All);
        QVERIFY(ui::showActive(p));
        QTest::mouseClick(p.rDCSI, Qt::LeftButton, {}, QPoint(6, p.rDCSI->height() / 2));
        QVERIFY(p.gvDcsI->isVisible() && !p.gvCtcss->isVisible());
        QTest::mouseClick(p.rCTCSS, Qt::LeftButton, {}, QPoint(6, p.rCTCSS->height() / 2));
        QVERIFY(p.gvCtcss->isVisible() && !p.gvDcsI->isVisible());
        QCOMPARE(p.gbList->title(), QStringLiteral("CTCSS"));
        // Colours and bold value columns.
        QCOMPARE(p.gvCtcss->item(0, 0)->background().color(), QColor(249, 141, 227));
        QCOMPARE(p.gvCtcss->item(0, 2)->background().color(), QColor(225, 249, 112));
        QCOMPARE(p.gvDcsN->item(0, 0)->background().color(), QColor(47, 231, 220));
        QVERIFY(p.gvCtcss->item(0, 1)->font().bold() && !p.gvCtcss->item(0, 0)->font().bold());
        QVERIFY(p.gvDcsI->item(0, 1)->font().bold());
        QCOMPARE(p.gvCtcss->item(0, 0)->textAlignment(), int(Qt::AlignCenter));
        // Every tone the picker offers passes the normaliser unchanged; 42 tones and 2 x 85 codes.
        int tones = 0;
        for (QTableWidget *g : { p.gvCtcss, p.gvDcsN, p.gvDcsI })
            for (int row = 0; row < g->rowCount(); ++row)
                for (int col = 1; col < g->columnCount(); col += (g == p.gvCtcss ? 3 : 2)) {
                    const QString t = g->item(row, col)->text();
                    if (!t.isEmpty()) {
                        QCOMPARE(NormaliseTone(t), t);
                        ++tones;
                    }
                }
        QCOMPARE(tones, 42 + 85 + 85);
        QCOMPARE(p.gvCtcss->item(8, 2)->text(), QStringLiteral("YB"));
    }

    void printRows()
    {
        FakeHost host(0xF7);
        TfChInfo w(host);
        QVERIFY(ui::showActive(w));
        ui::typeIntoCell(w, 2, C::ColRx, QStringLiteral("446.5"));
        ui::typeIntoCell(w, 2, C::ColTx, QString());
        PrintData data;
        w.AddPrintRows(data);
        QCOMPARE(data.Rows.size(), 7);
        QCOMPARE(data.Rows[0].TypeName, QStringLiteral("Channel Information"));
        QCOMPARE(data.Rows[0].TypeID, 8);
        QVERIFY(data.Rows[0].AField.isEmpty());
        QCOMPARE(data.Rows[1].AField, QStringLiteral("Channel No.2"));
        QCOMPARE(
            data.Rows[2].AField + "|" + data.Rows[2].AValue + "|" + data.Rows[2].BField + "|" + data.Rows[2].BValue,
            QStringLiteral("RX Frequency|446.50000|TX Frequency|"));
        QCOMPARE(data.Rows[6].BField, QStringLiteral("Busy Lock"));
    }
};

QTEST_MAIN(TestGrid)
#include "test_grid.moc"
