// Channel records: decoding, field encoding, the raster, the range rule and tone texts.

#include "CoreFixture.h"
#include "image/ChannelCodec.h"
#include "image/ChannelEntry.h"

#include <QtTest>

namespace
{
const uint8_t *raw(const QByteArray &b)
{
    return reinterpret_cast<const uint8_t *>(b.constData());
}
} // namespace

class TestCodec : public QObject
{
    Q_OBJECT

private slots:
    void decodeChannel_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("rx");
        QTest::addColumn<double>("tx");
        QTest::addColumn<QString>("rxTone");
        QTest::addColumn<QString>("txTone");
        QTest::addColumn<int>("flags");
        QTest::newRow("full") << hex("00250145 00250145 8508 23c0 fb ffffff") << true << 450.125 << 450.125 << "88.5"
                              << "D023I" << 0x7B;
        QTest::newRow("rx only") << hex("00250145 ffffffff 2380 ffff 00 ffffff") << true << 450.125 << -1.0 << "D023N"
                                 << "" << 0;
        QTest::newRow("tone with letter is empty")
            << hex("00250145 00250145 00a0 ffff 05 000000") << true << 450.125 << 450.125 << ""
            << "" << 5;
    }
    void decodeChannel()
    {
        QFETCH(QByteArray, record);
        QFETCH(double, rx);
        QFETCH(double, tx);
        QFETCH(int, flags);
        const DecodedChannel d = DecodeChannel(raw(record));
        QCOMPARE(d.valid, true);
        QCOMPARE(d.rx, rx);
        QCOMPARE(d.tx, tx);
        QTEST(d.rxTone, "rxTone");
        QTEST(d.txTone, "txTone");
        int bits = 0;
        for (int k = 0; k < 7; ++k)
            bits |= d.flags[size_t(k)] << k;
        QCOMPARE(bits, flags);
    }

    void invalidChannels_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::newRow("FF rx, rest set") << hex("ffffffff 00250145 8508 8508 00 000000");
        QTest::newRow("nibble above 9") << hex("4a250145 00250145 8508 8508 00 000000");
    }
    void invalidChannels()
    {
        QFETCH(QByteArray, record);
        const DecodedChannel d = DecodeChannel(raw(record));
        QVERIFY(!d.valid);
        QCOMPARE(d.rx, -1.0);
    }

    void tones_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("lowHigh");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("ctcss") << "88.5" << hex("8508") << "88.5";
        QTest::newRow("ctcss with Hz") << "100.0Hz" << hex("0010") << "100.0";
        QTest::newRow("dcs normal") << "D023N" << hex("2380") << "D023N";
        QTest::newRow("dcs lower-case n") << "D023n" << hex("2380") << "D023N";
        QTest::newRow("dcs inverted") << "D754I" << hex("54c7") << "D754I";
        QTest::newRow("dcs lower-case i") << "D023i" << hex("23c0") << "D023I";
        QTest::newRow("empty") << "" << hex("ffff") << "";
    }
    void tones()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, lowHigh);
        const auto t = EncodeTone(text);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(t.data()), 2), lowHigh);
        QTEST(DecodeTone(t[0], t[1]), "decoded");
    }

    void frequencies_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("450.125") << "450.125" << hex("00250145");
        QTest::newRow("with MHz") << "450.125MHz" << hex("00250145");
        QTest::newRow("five decimals") << "146.00625" << hex("25066014");
        QTest::newRow("rounded to 10 Hz") << "145.012504" << hex("50125014");
        QTest::newRow("empty") << "" << hex("ffffffff");
        QTest::newRow("no number stays empty") << "abc" << hex("ffffffff");
    }
    void frequencies()
    {
        QFETCH(QString, text);
        const auto f = EncodeFrequency(text);
        QTEST(QByteArray(reinterpret_cast<const char *>(f.data()), 4), "bytes");
    }

    void encodeFields()
    {
        BoundModule dm;
        TALL &all = dm.All;
        uint8_t *r = all.channelRecord(2);
        const QByteArray full = hex("00250145 00250145 8508 23c0 fb 112233");
        std::copy(full.begin(), full.end(), r);

        // Flag kinds touch only their own bit.
        EncodeChannelField(all, 2, Field::BusyLock, QStringLiteral("0"));
        QCOMPARE(r[12], uint8_t(0xFA));
        EncodeChannelField(all, 2, Field::BusyLock, QStringLiteral("1"));
        QCOMPARE(r[12], uint8_t(0xFB));
        EncodeChannelField(all, 2, Field::Whisper, QStringLiteral("yes"));
        QCOMPARE(r[12], uint8_t(0x7B));

        // Clearing TX also clears the TX tone, and nothing else.
        EncodeChannelField(all, 2, Field::TxFreq, QString());
        QCOMPARE(bytesAt(all.RadioImage, Image::channelOffset(2), 16), hex("00250145 ffffffff 8508 ffff 7b 112233"));

        // Clearing RX empties the whole record, the bytes nobody interprets included.
        EncodeChannelField(all, 2, Field::RxFreq, QString());
        QCOMPARE(bytesAt(all.RadioImage, Image::channelOffset(2), 16), QByteArray(16, char(0xFF)));
        // Neighbouring channels are untouched.
        QCOMPARE(bytesAt(all.RadioImage, Image::channelOffset(1), 16), QByteArray(16, char(0xFF)));
    }

    void channelPlacement()
    {
        QCOMPARE(Image::channelOffset(1), 32);
        QCOMPARE(Image::channelOffset(16) + 15, 287);
    }

    void snap_data()
    {
        QTest::addColumn<double>("in");
        QTest::addColumn<double>("out");
        QTest::newRow("5 kHz raster down") << 450.0030 << 450.0;
        QTest::newRow("6.25 kHz raster down") << 450.0063 << 450.00625;
        QTest::newRow("on 6.25 raster") << 450.0125 << 450.0125;
        QTest::newRow("145.0125 stays") << 145.0125 << 145.0125;
        QTest::newRow("145.0126 down") << 145.0126 << 145.0125;
        QTest::newRow("446.0075") << 446.0075 << 446.00625;
        QTest::newRow("446.012 whole kHz") << 446.012 << 446.01;
    }
    void snap()
    {
        QFETCH(double, in);
        QFETCH(double, out);
        QCOMPARE(FormatFrequency(SnapToStep(in)), FormatFrequency(out));
    }

    void normaliseTone_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("low") << "12"
                             << "30.0";
        QTest::newRow("high") << "300"
                              << "290.0";
        QTest::newRow("plain") << "88.5"
                               << "88.5";
        QTest::newRow("whole") << "100"
                               << "100.0";
        QTest::newRow("digit but no number") << "1.2.3"
                                             << "290.0";
        QTest::newRow("not octal") << "D089N"
                                   << "D777N";
        QTest::newRow("other") << "X"
                               << "D777N";
        QTest::newRow("inverted kept") << "D754I"
                                       << "D754I";
        QTest::newRow("lower-case polarity kept") << "D023n"
                                                  << "D023n";
        QTest::newRow("lower-case d") << "d023N"
                                      << "D777N";
        QTest::newRow("8 not octal") << "D028N"
                                     << "D777N";
        QTest::newRow("short") << "D23N"
                               << "D777N";
        QTest::newRow("leading point") << ".5"
                                       << "D777N";
        QTest::newRow("empty") << ""
                               << "";
    }
    void normaliseTone()
    {
        QFETCH(QString, in);
        QTEST(NormaliseTone(in), "out");
    }

    // With the UHF model (300..650) and band 400 - 470MHz, as a user types into the grid.
    void frequencyEntry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("messages");
        const QString out = QStringLiteral("Frequecy is Out of range.");
        const QString err = QStringLiteral("The frequecy number come amiss!");
        QTest::newRow("in band") << "446.00625"
                                 << "446.00625" << QStringList();
        QTest::newRow("snapped") << "446.0075"
                                 << "446.00625" << QStringList();
        QTest::newRow("outside band") << "480"
                                      << "480.00000" << QStringList { out };
        QTest::newRow("above model") << "700"
                                     << "470.00000" << QStringList { err };
        QTest::newRow("below model") << "100"
                                     << "400.00000" << QStringList { err };
        QTest::newRow("no number") << "4.4.6"
                                   << "470.00000" << QStringList { out };
    }
    void frequencyEntry()
    {
        QFETCH(QString, typed);
        BoundModule dm(0xF7);
        RecordingPrompter prompt;
        QTEST(FrequencyEntryText(dm.All, dm.Texts, prompt, typed), "stored");
        QTEST(prompt.texts, "messages");
        for (const QString &c : prompt.captions)
            QCOMPARE(c, QStringLiteral("Caution"));
    }

    void newChannelAndDelete()
    {
        BoundModule dm(0xF7);
        RecordingPrompter prompt;
        TALL &all = dm.All;
        // Cleared channel: flag bits 1 and 7 keep their former (set) values.
        QVERIFY(ApplyChannelEntry(all, dm.Texts, prompt, 5, GridColumn::Rx, QStringLiteral("446.1")));
        QCOMPARE(bytesAt(all.RadioImage, Image::channelOffset(5), 16), hex("00006144 00006144 ffff ffff fb ffffff"));
        QCOMPARE(ChannelRowTexts(all, 5),
            (QStringList { "5", "446.10000", "446.10000", "None", "None", "High", "Wide", "No", "No", "No", "No" }));
        QVERIFY(all.Modified);

        QVERIFY(ApplyChannelEntry(all, dm.Texts, prompt, 5, GridColumn::BusyLock, QStringLiteral("Yes")));
        QVERIFY(ApplyChannelEntry(all, dm.Texts, prompt, 5, GridColumn::Wn, QStringLiteral("Narrow")));
        QCOMPARE(all.channelRecord(5)[12], uint8_t(0xFE));
        QVERIFY(ApplyChannelEntry(all, dm.Texts, prompt, 5, GridColumn::EncTone, QStringLiteral("D023n")));
        QCOMPARE(ChannelRowTexts(all, 5)[GridColumn::EncTone - 1], QStringLiteral("D023N"));

        // Clearing TX leaves a receive-only channel whose encode tone can no longer be set.
        QVERIFY(ApplyChannelEntry(all, dm.Texts, prompt, 5, GridColumn::Tx, QString()));
        QCOMPARE(ChannelRowTexts(all, 5)[GridColumn::EncTone - 1], QStringLiteral("None"));
        QString reason;
        QVERIFY(!ApplyChannelEntry(all, dm.Texts, prompt, 5, GridColumn::EncTone, QStringLiteral("88.5"), &reason));
        QVERIFY(!reason.isEmpty());

        // Clearing RX deletes the channel.
        QVERIFY(ApplyChannelEntry(all, dm.Texts, prompt, 5, GridColumn::Rx, QStringLiteral("  ")));
        QCOMPARE(bytesAt(all.RadioImage, Image::channelOffset(5), 16), QByteArray(16, char(0xFF)));
        QVERIFY(!ApplyChannelEntry(all, dm.Texts, prompt, 5, GridColumn::Power, QStringLiteral("High")));
        QVERIFY(prompt.texts.isEmpty());
    }

    void textRoutines()
    {
        QCOMPARE(FilterSerialChar(0xFF), QStringLiteral(" "));
        QCOMPARE(FilterSerialChar(' '), QStringLiteral(" "));
        QCOMPARE(FilterSerialChar('A'), QStringLiteral("A"));
        QCOMPARE(FilterSerialChar('z'), QStringLiteral("z"));
        QCOMPARE(FilterSerialChar('7'), QStringLiteral("7"));
        QCOMPARE(FilterSerialChar(0xC4), QStringLiteral(" "));
        QVERIFY(ContainsAnyOf(QStringLiteral("ABCDEF"), QStringLiteral("450F")));
        QVERIFY(!ContainsAnyOf(QStringLiteral("ABCDEF"), QStringLiteral("450f")));
        QCOMPARE(HexPairToByte(QStringLiteral("45xyz")), uint8_t(0x45));
    }

    void toneLists()
    {
        const QStringList box = ToneBoxEntries();
        QCOMPARE(box.size(), 206);
        QCOMPARE(box.first(), QStringLiteral("None"));
        QCOMPARE(box[1], QStringLiteral("67.0"));
        QCOMPARE(box[39], QStringLiteral("250.3"));
        QCOMPARE(box[40], QStringLiteral("D023N"));
        QCOMPARE(box[122], QStringLiteral("D754N"));
        QCOMPARE(box[123], QStringLiteral("D023I"));
        QCOMPARE(box.last(), QStringLiteral("D754I"));
        // Every entry survives the normaliser and the codec unchanged.
        for (const QString &t : box.mid(1)) {
            QCOMPARE(NormaliseTone(t), t);
            const auto w = EncodeTone(t);
            QCOMPARE(DecodeTone(w[0], w[1]), t);
        }
    }
};

QTEST_GUILESS_MAIN(TestCodec)
#include "test_codec.moc"
