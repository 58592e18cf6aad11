// The channel grid and the tone picker, typed into as a user would.

#include "FakeHost.h"
#include "app/PrintData.h"
#include "editors/ChInfo.h"
#include "editors/ToneOption.h"
#include "image/ChannelCodec.h"
#include "image/ChannelEntry.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

namespace
{

using C = TfChInfo::Column;

// The open in-place editor (closed ones linger hidden until deleted).
QLineEdit *cellEditor(TfChInfo &w)
{
    for (QLineEdit *e : w.gvData->viewport()->findChildren<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly))
        if (e->isVisible())
            return e;
    return nullptr;
}

// Clicks a frequency cell, types the text over it and presses Enter.
void typeInto(TfChInfo &w, int channel, int column, const QString &text)
{
    w.SelectCell(channel, column);
    QLineEdit *e = cellEditor(w);
    QVERIFY(e);
    e->selectAll();
    if (text.isEmpty())
        QTest::keyClick(e, Qt::Key_Delete);
    else
        QTest::keyClicks(e, text);
    QTest::keyClick(e, Qt::Key_Return);
    QCoreApplication::processEvents(); // the view commits an Enter through its event queue
}

// Clicks a tone cell, types into its box and presses Enter.
void typeTone(TfChInfo &w, int channel, int column, const QString &text)
{
    w.SelectCell(channel, column);
    QComboBox *box = w.ShownBox();
    QVERIFY(box && box->isEditable());
    box->lineEdit()->selectAll();
    QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
    QTest::keyClicks(box->lineEdit(), text);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
}

QByteArray record(FakeHost &host, int channel)
{
    return bytesAt(host.data.All.RadioImage, Image::channelOffset(channel), 16);
}

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
        const QString out = QStringLiteral("Frequecy is Out of range.");
        const QString err = QStringLiteral("The frequecy number come amiss!");
        QTest::newRow("kept") << "446.00625"
                              << "446.00625" << QStringList {};
        QTest::newRow("6.25 kHz raster") << "446.0075"
                                         << "446.00625" << QStringList {};
        QTest::newRow("5 kHz raster") << "446.012"
                                      << "446.01000" << QStringList {};
        QTest::newRow("outside band") << "480"
                                      << "480.00000" << QStringList { out };
        QTest::newRow("above model") << "700"
                                     << "470.00000" << QStringList { err };
        QTest::newRow("below model") << "100"
                                     << "400.00000" << QStringList { err };
        QTest::newRow("no number") << "4.4.6"
                                   << "470.00000" << QStringList { out };
        QTest::newRow("letters dropped") << "44a6.1"
                                         << "446.10000" << QStringList {};
    }
    void frequencyEntry()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        FakeHost host(0xF7);
        TfChInfo w(host);
        w.show();
        typeInto(w, 2, C::ColRx, typed);
        QCOMPARE(w.DisplayText(2, C::ColRx), shown);
        QTEST(host.prompter.texts(), "messages");
        for (const auto &s : host.prompter.shown)
            QCOMPARE(s.caption, QStringLiteral("Caution"));
        // The record holds what the cell shows.
        QCOMPARE(ChannelRowTexts(host.data.All, 2)[1], shown);
        QVERIFY(host.data.All.Modified);
    }

    void newChannelClearAndDelete()
    {
        FakeHost host(0xF7);
        TfChInfo w(host);
        w.show();
        typeInto(w, 5, C::ColRx, QStringLiteral("446.1"));
        QCOMPARE(record(host, 5), hex("00006144 00006144 ffff ffff fb ffffff"));
        QStringList grid;
        for (int c = C::ColNo; c <= C::ColBusy; ++c)
            grid << w.DisplayText(5, c);
        QCOMPARE(grid, ChannelRowTexts(host.data.All, 5));
        QCOMPARE(grid.mid(3), (QStringList { "None", "None", "High", "Wide", "No", "No", "No", "No" }));
        QVERIFY(host.notified.contains(2));

        // Clearing TX: receive only, no encode tone, and its box no longer opens.
        typeInto(w, 5, C::ColTx, QString());
        QCOMPARE(record(host, 5).mid(4, 8), hex("ffffffff ffff ffff"));
        QCOMPARE(w.DisplayText(5, C::ColEnc), QStringLiteral("None"));
        w.SelectCell(5, C::ColEnc);
        QVERIFY(!w.ShownBox());

        // Clearing RX deletes the channel.
        typeInto(w, 5, C::ColRx, QString());
        QCOMPARE(record(host, 5), QByteArray(16, char(0xFF)));
        QVERIFY(w.DisplayText(5, C::ColTx).isEmpty());
        QVERIFY(!(w.Cell(5, C::ColTx)->flags() & Qt::ItemIsEditable));
        w.SelectCell(5, C::ColPower);
        QVERIFY(!w.ShownBox());
    }

    void toneBoxes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("reloaded");
        QTest::newRow("low") << "12"
                             << "30.0"
                             << "30.0";
        QTest::newRow("high") << "300"
                              << "290.0"
                              << "290.0";
        QTest::newRow("lower-case polarity") << "D023n"
                                             << "D023n"
                                             << "D023N";
        QTest::newRow("lower-case d") << "d023N"
                                      << "D777N"
                                      << "D777N";
        QTest::newRow("not octal") << "D028N"
                                   << "D777N"
                                   << "D777N";
        QTest::newRow("empty is no tone") << ""
                                          << "None"
                                          << "None";
    }
    void toneBoxes()
    {
        QFETCH(QString, typed);
        FakeHost host(0xF7);
        TfChInfo w(host);
        w.show();
        typeInto(w, 3, C::ColRx, QStringLiteral("446.5"));
        typeTone(w, 3, C::ColDec, typed);
        QTEST(w.DisplayText(3, C::ColDec), "shown");
        QVERIFY(!w.ShownBox()); // Enter hides the box and opens no other
        QCOMPARE(w.gvData->currentColumn() + 1, int(C::ColDec));
        w.FillRow(3);
        QTEST(w.DisplayText(3, C::ColDec), "reloaded");
    }

    void switchBoxes()
    {
        FakeHost host(0xF7);
        TfChInfo w(host);
        w.show();
        typeInto(w, 1, C::ColRx, QStringLiteral("446.5"));
        host.data.All.Modified = false;
        // Showing a box loads the cell's value without storing it.
        w.SelectCell(1, C::ColWn);
        QCOMPARE(w.ShownBox(), w.cbkz);
        QVERIFY(!host.data.All.Modified);
        QTest::keyClick(w.cbkz, Qt::Key_Down); // picks "Narrow"
        QCOMPARE(w.DisplayText(1, C::ColWn), QStringLiteral("Narrow"));
        QCOMPARE(w.ValueText(1, C::ColWn), QStringLiteral("1"));
        QCOMPARE(host.data.All.channelRecord(1)[12] & 0x04, 0x04);
        w.SelectCell(1, C::ColBusy);
        QCOMPARE(w.ShownBox(), w.cbHave);
        QTest::keyClick(w.cbHave, Qt::Key_Up); // picks "Yes"
        QCOMPARE(host.data.All.channelRecord(1)[12] & 0x01, 0);
        QVERIFY(host.data.All.Modified);
    }

    void selectingMovesTheCurrentChannel()
    {
        FakeHost host;
        TfChInfo w(host);
        w.show();
        w.SelectCell(7, C::ColRx);
        QCOMPARE(host.data.All.CurrentChannel, 7);
        QVERIFY(host.selected.contains(2));
    }

    void pickerIntoTheGrid()
    {
        FakeHost host(0xF7);
        TfChInfo w(host);
        w.show();
        typeInto(w, 4, C::ColRx, QStringLiteral("446.5"));
        w.SelectCell(4, C::ColDec);
        QComboBox *box = w.ShownBox();
        QVERIFY(box);
        QTimer::singleShot(0, [] {
            auto *picker = qobject_cast<TfToneOption *>(QApplication::activeModalWidget());
            QVERIFY(picker);
            picker->rDCSI->click();
            picker->CellDoubleClicked(picker->gvDcsI, 0, 1);
        });
        QTest::mouseDClick(box->lineEdit(), Qt::LeftButton);
        QCOMPARE(w.DisplayText(4, C::ColDec), QStringLiteral("D023I"));
        QCOMPARE(host.data.All.channelRecord(4)[8], uint8_t(0x23));
        QCOMPARE(host.data.All.channelRecord(4)[9], uint8_t(0xC0));
    }

    void picker()
    {
        FakeHost host;
        TfToneOption p(host.data.All);
        p.show();
        QVERIFY(p.gvCtcss->isVisible());
        QCOMPARE(p.gbList->title(), QStringLiteral("CTCSS"));
        // Index and code columns do nothing; the value column returns its tone.
        p.CellDoubleClicked(p.gvCtcss, 8, 0);
        p.CellDoubleClicked(p.gvCtcss, 8, 2);
        QVERIFY(p.isVisible());
        QCOMPARE(p.gvCtcss->item(8, 2)->text(), QStringLiteral("YB"));
        p.CellDoubleClicked(p.gvCtcss, 8, 1);
        QCOMPARE(p.Result, QStringLiteral("88.5"));

        TfToneOption q(host.data.All);
        q.show();
        q.rDCSN->click();
        QVERIFY(q.gvDcsN->isVisible() && !q.gvCtcss->isVisible());
        QCOMPARE(q.gbList->title(), QStringLiteral("DCS-N"));
        q.CellDoubleClicked(q.gvDcsN, 0, 3);
        QCOMPARE(q.Result, QStringLiteral("D072N"));

        TfToneOption r(host.data.All);
        r.show();
        r.CellDoubleClicked(r.gvCtcss, 8, 13); // an empty cell at the end of the table
        QVERIFY(!r.isVisible());
        QVERIFY(r.Result.isEmpty());

        // Every tone the picker offers passes the normaliser unchanged.
        for (QTableWidget *g : { p.gvCtcss, p.gvDcsN, p.gvDcsI })
            for (int row = 0; row < g->rowCount(); ++row)
                for (int col = 1; col < g->columnCount(); col += (g == p.gvCtcss ? 3 : 2)) {
                    const QString t = g->item(row, col)->text();
                    if (!t.isEmpty())
                        QCOMPARE(NormaliseTone(t), t);
                }
        QCOMPARE(p.gvCtcss->item(5, 13)->text(), QStringLiteral("254.1"));
    }

    void printRows()
    {
        FakeHost host(0xF7);
        TfChInfo w(host);
        w.show();
        typeInto(w, 2, C::ColRx, QStringLiteral("446.5"));
        typeInto(w, 2, C::ColTx, QString());
        PrintData data;
        w.AddPrintRows(data);
        QCOMPARE(data.Rows.size(), 7);
        QCOMPARE(data.Rows[0].TypeName, QStringLiteral("Channel Information"));
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
