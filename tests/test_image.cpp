// New-image defaults, sanitising, the identification and write-time blocks,
// the data file and the password scrambling.

#include "CoreFixture.h"
#include "image/DataFile.h"

#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

class TestImage : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    static QByteArray fileBytes(const QString &p)
    {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void writeBytes(const QString &p, const QByteArray &b)
    {
        QFile f(p);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(b);
    }

private slots:
    void newImage()
    {
        BoundModule dm(0xF4);
        const auto &img = dm.All.RadioImage;
        QCOMPARE(bytesAt(img, 0, 16), QByteArray(16, char(0xFF)));
        QCOMPARE(bytesAt(img, 32, 256), QByteArray(256, char(0xFF)));
        QCOMPARE(bytesAt(img, 304, 20), hex("01 01 00 00 04 01 01 01 00 01 ff ff ff 01 04 ff 01 05 01 06"));
        QCOMPARE(bytesAt(img, 336, 8), QByteArray("P5960\xF4\x00\x00", 8));
        QCOMPARE(bytesAt(img, 368, 7), hex("e8 07 03 05 0e 07 09"));
        QCOMPARE(FormatWriteTime(img.data() + 368), QStringLiteral("2024-03-05 14:07:09"));
        QCOMPARE(bytesAt(img, 384, 48), QByteArray(48, char(0xFF)));
        QCOMPARE(bytesAt(img, 432, 16), QByteArray(16, char(0)));
        QVERIFY(!dm.All.NewPasswordEnabled);
    }

    void newImageKeepsTail()
    {
        BoundModule dm;
        std::fill(dm.All.RadioImage.begin() + 432, dm.All.RadioImage.end(), uint8_t(0x5A));
        dm.All.NewPasswordEnabled = true;
        LoadDefaults(dm.All);
        QCOMPARE(bytesAt(dm.All.RadioImage, 432, 16), QByteArray(16, char(0x5A)));
        QVERIFY(!dm.All.NewPasswordEnabled);
    }

    void writeTime()
    {
        BoundModule dm;
        WriteTimeStamp(dm.All, QStringLiteral("2031-12-31 23:59:58"));
        QCOMPARE(bytesAt(dm.All.RadioImage, 368, 7), hex("ef 07 0c 1f 17 3b 3a"));
        const uint8_t unset[7] = { 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF };
        QCOMPARE(FormatWriteTime(unset), QStringLiteral("65535-255-255 255:255:255"));
    }

    void sanitise_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("304 FF to bit 0") << 304 << 0xFF << 1;
        QTest::newRow("307 FE to bit 0") << 307 << 0xFE << 0;
        QTest::newRow("308 9 to 4") << 308 << 9 << 4;
        QTest::newRow("308 8 kept") << 308 << 8 << 8;
        QTest::newRow("316 3F to 00") << 316 << 0x3F << 0x00;
        QTest::newRow("316 21 kept") << 316 << 0x21 << 0x21;
        QTest::newRow("316 F2 high only") << 316 << 0xF2 << 0x02;
        QTest::newRow("316 FF to 00") << 316 << 0xFF << 0x00;
        QTest::newRow("317 3 to 0") << 317 << 3 << 0;
        QTest::newRow("318 5 to 4") << 318 << 5 << 4;
        QTest::newRow("321 10 to 5") << 321 << 10 << 5;
        QTest::newRow("322 4 to 1") << 322 << 4 << 1;
        QTest::newRow("323 31 to 6") << 323 << 31 << 6;
        QTest::newRow("323 30 kept") << 323 << 30 << 30;
        QTest::newRow("314 untouched") << 314 << 0x77 << 0x77;
        QTest::newRow("315 untouched") << 315 << 0x12 << 0x12;
        QTest::newRow("319 untouched") << 319 << 0x99 << 0x99;
        QTest::newRow("320 untouched") << 320 << 0xFE << 0xFE;
    }
    void sanitise()
    {
        QFETCH(int, offset);
        QFETCH(int, before);
        BoundModule dm;
        dm.All.RadioImage[size_t(offset)] = uint8_t(before);
        SanitiseImage(dm.All);
        QTEST(int(dm.All.RadioImage[size_t(offset)]), "after");
    }

    void sanitiseBandCode()
    {
        BoundModule dm;
        dm.All.RadioImage[341] = 0x00;
        BindModel(dm.All, 0x00, true);
        SanitiseImage(dm.All);
        QCOMPARE(dm.All.BandText, QStringLiteral("440 - 480MHz"));
        QCOMPARE(int(dm.All.RadioImage[341]), 0xF9);
    }

    void fileHeader()
    {
        const FileHeader h
            = EncodeFileHeader(QStringLiteral("P5960"), QStringLiteral("450470"), QStringLiteral("2024-03-05 14:07"));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(h.data()), 16),
            hex("50 35 39 36 30 45 04 70 e8 07 03 05 0e 07 ff ff"));
        QCOMPARE(DecodeFileHeader(h), QStringLiteral("P5960"));
        const FileHeader low
            = EncodeFileHeader(QStringLiteral("P49"), QStringLiteral("027072"), QStringLiteral("2024-03-05 14:07"));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(low.data()), 8), hex("50 34 39 20 20 02 70 72"));
    }

    void saveAndOpen()
    {
        BoundModule dm(0xF4);
        dm.All.RadioImage[40] = 0x12;
        dm.All.RadioImage[432] = 0xA5;
        dm.All.Modified = true;
        const QString p = path(QStringLiteral("uhf.dat"));
        QVERIFY(WriteDataFile(dm.All, p, QDateTime(QDate(2024, 3, 5), QTime(14, 7))).ok());
        QVERIFY(!dm.All.Modified);
        const QByteArray file = fileBytes(p);
        QCOMPARE(file.size(), 448);
        QCOMPARE(file.left(16), hex("50 35 39 36 30 45 04 70 e8 07 03 05 0e 07 ff ff"));
        QCOMPARE(file.mid(16), bytesAt(dm.All.RadioImage, 16, 432));

        BoundModule other(0xF1); // VHF bound, so the open must rebind
        other.All.Modified = true;
        QVERIFY(ReadDataFile(other.All, p).ok());
        QCOMPARE(other.All.ModelCode, QStringLiteral("5960"));
        QCOMPARE(other.All.BandText, QStringLiteral("450 - 470MHz"));
        QCOMPARE(other.All.BandMinFreq, 450.0);
        QVERIFY(!other.All.Modified);
        QCOMPARE(bytesAt(other.All.RadioImage, 0, 8), file.left(8));
        // Only byte 316 differs: sanitising turns the new image's FF into 00.
        QByteArray expected = bytesAt(dm.All.RadioImage, 16, 432);
        expected[316 - 16] = 0;
        QCOMPARE(bytesAt(other.All.RadioImage, 16, 432), expected);
    }

    void refusedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("status");
        BoundModule dm(0xF4);
        const QByteArray good
            = QByteArray("P5960", 5) + QByteArray(11, char(0xFF)) + bytesAt(dm.All.RadioImage, 16, 432);
        QTest::newRow("short") << good.left(447) << int(FileResult::TooShort);
        QTest::newRow("empty") << QByteArray() << int(FileResult::TooShort);
        QByteArray unknown = good;
        unknown.replace(1, 4, "5961");
        QTest::newRow("unknown model") << unknown << int(FileResult::UnknownModel);
        QByteArray trailingBlank = good;
        trailingBlank.replace(1, 4, "596 ");
        QTest::newRow("code with blank") << trailingBlank << int(FileResult::UnknownModel);
        QByteArray noModel = good;
        noModel[341] = char(0xFD);
        QTest::newRow("band of no model") << noModel << int(FileResult::NoModelForBand);
    }
    void refusedFiles()
    {
        QFETCH(QByteArray, bytes);
        const QString p = path(QStringLiteral("refused.dat"));
        writeBytes(p, bytes);
        BoundModule dm(0xF1);
        dm.All.RadioImage[40] = 0x33;
        dm.All.Modified = true;
        const RadioImageBytes before = dm.All.RadioImage;
        const FileResult r = ReadDataFile(dm.All, p);
        QTEST(int(r.status), "status");
        QCOMPARE(dm.All.RadioImage, before);
        QCOMPARE(dm.All.BandText, QStringLiteral("136 - 150MHz"));
        QVERIFY(dm.All.Modified);
        QVERIFY(!DescribeFileResult(r, p, dm.Texts).isEmpty());
    }

    void fallbackBandAndLongFile()
    {
        BoundModule dm(0xF4);
        QByteArray file = QByteArray("P4960", 5) + QByteArray(11, char(0xFF)) + bytesAt(dm.All.RadioImage, 16, 432);
        file[341] = char(0x00); // no band has code 0: the fallback band and its model
        file.append("bytes after the image are ignored");
        const QString p = path(QStringLiteral("odd.dat"));
        writeBytes(p, file);
        QVERIFY(ReadDataFile(dm.All, p).ok());
        QCOMPARE(dm.All.BandText, QStringLiteral("440 - 480MHz"));
        QCOMPARE(dm.All.ModelCode, QStringLiteral("5960"));
        QCOMPARE(int(dm.All.RadioImage[341]), 0xF9);
        QCOMPARE(bytesAt(dm.All.RadioImage, 432, 16), file.mid(432, 16));
    }

    void failedSaveKeepsOldFile()
    {
        BoundModule dm;
        dm.All.Modified = true;
        const QString p = path(QStringLiteral("keep.dat"));
        writeBytes(p, QByteArray("old contents"));
        QFile(p).setPermissions(QFileDevice::ReadOwner);
        QFile(m_dir.path()).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const FileResult bad = WriteDataFile(dm.All, p);
        QFile(m_dir.path()).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (::geteuid() == 0)
            QSKIP("root writes through any permission");
        QCOMPARE(int(bad.status), int(FileResult::IoError));
        QVERIFY(!bad.reason.isEmpty());
        QVERIFY(dm.All.Modified);
        QCOMPARE(fileBytes(p), QByteArray("old contents"));
    }

    void saveIntoMissingFolder()
    {
        BoundModule dm;
        dm.All.Modified = true;
        const FileResult bad = WriteDataFile(dm.All, path(QStringLiteral("missing/dir/x.dat")));
        QCOMPARE(int(bad.status), int(FileResult::IoError));
        QVERIFY(dm.All.Modified);
        QVERIFY(DescribeFileResult(bad, path(QStringLiteral("missing/dir/x.dat")), dm.Texts)
                    .contains(QStringLiteral("x.dat")));
    }

    void scramble()
    {
        const uint8_t same[8] = { '7', '7', '7', '7', '7', '7', '7', '7' };
        const auto s = ScramblePassword(same);
        QCOMPARE(s[0], uint8_t('7' ^ PasswordScrambleKey));
        for (int i = 1; i < 8; ++i)
            QCOMPARE(s[size_t(i)], uint8_t(0));
        const uint8_t pw[8] = { '1', '2', '3', '4', ' ', ' ', ' ', ' ' };
        const auto t = ScramblePassword(pw);
        QCOMPARE(t[1], uint8_t('1' ^ '2'));
        QCOMPARE(t[7], uint8_t('1' ^ ' '));
        QCOMPARE(pw[1], uint8_t('2'));
    }
};

QTEST_GUILESS_MAIN(TestImage)
#include "test_image.moc"
