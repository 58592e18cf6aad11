// INI files, the settings file, the language list and the message texts.

#include "CoreFixture.h"
#include "i18n/IniFile.h"
#include "i18n/Settings.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestI18n : public QObject
{
    Q_OBJECT

    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void iniValues_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected"); // "<missing>" for no value
        QTest::newRow("plain") << "Main"
                               << "Name"
                               << "Value";
        QTest::newRow("case-insensitive names") << "mAIN"
                                                << "nAME"
                                                << "Value";
        QTest::newRow("trimmed") << "Main"
                                 << "Spaced"
                                 << "a b";
        QTest::newRow("double quotes stripped") << "Main"
                                                << "Quoted"
                                                << " kept inside ";
        QTest::newRow("single quotes stripped") << "Main"
                                                << "Single"
                                                << "x";
        QTest::newRow("unmatched quote kept") << "Main"
                                              << "Half"
                                              << "\"open";
        QTest::newRow("empty value is empty") << "Main"
                                              << "Empty"
                                              << "";
        QTest::newRow("missing key") << "Main"
                                     << "Nope"
                                     << "<missing>";
        QTest::newRow("comment is no key") << "Main"
                                           << ";Hidden"
                                           << "<missing>";
        QTest::newRow("other section") << "Other"
                                       << "Name"
                                       << "Second";
        QTest::newRow("first of duplicates") << "Main"
                                             << "Twice"
                                             << "first";
        QTest::newRow("equals in value") << "Main"
                                         << "Expr"
                                         << "a=b";
    }
    void iniValues()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        IniFile ini;
        ini.loadBytes(
            "; leading comment\r\n[Main]\r\nName=Value\r\n  Spaced  =   a b   \r\nQuoted=\" kept inside \"\r\n"
            "Single='x'\r\nHalf=\"open\r\nEmpty=\r\n;Hidden=1\r\nTwice=first\r\nTwice=second\r\nExpr=a=b\r\n"
            "[Other]\r\nName=Second\r\n");
        const auto v = ini.value(section, key);
        QCOMPARE(v.value_or(QStringLiteral("<missing>")), expected);
    }

    void longValueCut()
    {
        IniFile ini;
        ini.loadBytes("[S]\nK=" + QByteArray(3000, 'x') + "\n");
        QCOMPARE(ini.value(QStringLiteral("S"), QStringLiteral("K"))->size(), 2047);
    }

    void writeOneKey()
    {
        IniFile ini;
        const QByteArray original = "; settings\r\n[SysInfo]\r\nCom=Com1\r\nHelp=TL\r\n\r\n[Other]\r\nX=1\r\n";
        ini.loadBytes(original);
        ini.writeString(QStringLiteral("sysinfo"), QStringLiteral("COM"), QStringLiteral("COM4"));
        ini.writeString(QStringLiteral("SysInfo"), QStringLiteral("PicID"), QStringLiteral("0"));
        ini.writeString(QStringLiteral("New"), QStringLiteral("Key"), QStringLiteral("v"));
        QCOMPARE(ini.toBytes(),
            QByteArray("; settings\r\n[SysInfo]\r\nCOM=COM4\r\nHelp=TL\r\nPicID=0\r\n\r\n[Other]\r\nX=1\r\n"
                       "\r\n[New]\r\nKey=v\r\n"));
    }

    void encodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("encoding");
        // "中文" in each encoding.
        QTest::newRow("gbk") << QByteArray("[S]\r\nK=\xD6\xD0\xCE\xC4\r\n") << int(IniFile::Encoding::Gb18030);
        QTest::newRow("utf-8") << QByteArray("[S]\r\nK=\xE4\xB8\xAD\xE6\x96\x87\r\n") << int(IniFile::Encoding::Utf8);
        QTest::newRow("utf-8 bom") << QByteArray("\xEF\xBB\xBF[S]\r\nK=\xE4\xB8\xAD\xE6\x96\x87\r\n")
                                   << int(IniFile::Encoding::Utf8Bom);
    }
    void encodings()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString p = dir.filePath(QStringLiteral("x.Ini"));
        write(p, bytes);
        IniFile ini(p);
        QTEST(int(ini.encoding()), "encoding");
        QCOMPARE(ini.readString(QStringLiteral("s"), QStringLiteral("k"), QString()), QStringLiteral("中文"));
        // Writing keeps the file's own encoding and every other byte.
        ini.writeString(QStringLiteral("S"), QStringLiteral("Com"), QStringLiteral("COM2"));
        QVERIFY(ini.save(p));
        QCOMPARE(read(p), bytes + "Com=COM2\r\n");
    }

    void splitList_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("two") << "Chinese|English" << QStringList { "Chinese", "English" };
        QTest::newRow("not trimmed") << " a | b" << QStringList { " a ", " b" };
        QTest::newRow("empty between") << "a||b" << QStringList { "a", "", "b" };
        QTest::newRow("final bar") << "a|b|" << QStringList { "a", "b" };
        QTest::newRow("empty") << "" << QStringList {};
        QTest::newRow("only bar") << "|" << QStringList { "" };
    }
    void splitList()
    {
        QFETCH(QString, value);
        QTEST(SplitList(value), "entries");
    }

    void settings_data()
    {
        QTest::addColumn<QByteArray>("file"); // empty: no settings file
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("help");
        QTest::addColumn<int>("picture");
        QTest::newRow("no file") << QByteArray() << "Com1" << 0 << "Chinese"
                                 << "TL" << 1;
        QTest::newRow("english first, index 1")
            << QByteArray("[SysInfo]\nCom=com4\nDefaultLanguage=1\nLanguage=English|Chinese\nHelp=XY\nPicID=7\n")
            << "com4" << 1 << "Chinese"
            << "XY" << 8;
        QTest::newRow("not integers") << QByteArray("[SysInfo]\nDefaultLanguage=abc\nPicID=x\n") << "Com1" << 0
                                      << "Chinese"
                                      << "TL" << 1;
        QTest::newRow("index past list") << QByteArray("[SysInfo]\nDefaultLanguage=5\n") << "Com1" << 5 << ""
                                         << "TL" << 1;
        QTest::newRow("negative index") << QByteArray("[SysInfo]\nDefaultLanguage=-1\n") << "Com1" << -1 << ""
                                        << "TL" << 1;
    }
    void settings()
    {
        QFETCH(QByteArray, file);
        QTemporaryDir dir;
        const QString folder = dir.path() + QLatin1Char('/');
        if (!file.isEmpty())
            write(folder + QStringLiteral("SysInfo.Ini"), file);
        DataModule dm(folder);
        LoadSettings(dm.All);
        QTEST(dm.All.PortName, "port");
        QTEST(dm.All.LanguageIndex, "index");
        QTEST(dm.All.LanguageName, "language");
        QTEST(dm.All.HelpPrefix, "help");
        QTEST(dm.All.PictureId, "picture");
    }

    void saveSettings()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + QLatin1Char('/');
        DataModule dm(folder);
        LoadSettings(dm.All);
        dm.All.PortName = QStringLiteral("COM3");
        dm.All.LanguageIndex = 1;
        QVERIFY(SaveSettings(dm.All));
        // A new file holds only the three keys written at exit.
        QCOMPARE(read(folder + QStringLiteral("SysInfo.Ini")),
            QByteArray("[SysInfo]\r\nCom=COM3\r\nDefaultLanguage=1\r\nPicID=0\r\n"));

        // An existing file keeps its other keys and its encoding.
        write(folder + QStringLiteral("SysInfo.Ini"),
            "[SysInfo]\r\nCom=Com1\r\nLanguage=English|Chinese\r\nChinese=\xD3\xA2\xCE\xC4|\xD6\xD0\xCE\xC4\r\nPicID="
            "41\r\n");
        LoadSettings(dm.All);
        QCOMPARE(dm.All.PictureId, 42);
        QVERIFY(SaveSettings(dm.All));
        QCOMPARE(read(folder + QStringLiteral("SysInfo.Ini")),
            QByteArray(
                "[SysInfo]\r\nCom=Com1\r\nLanguage=English|Chinese\r\nChinese=\xD3\xA2\xCE\xC4|\xD6\xD0\xCE\xC4\r\n"
                "PicID=41\r\nDefaultLanguage=0\r\n"));
    }

    // An installed program cannot write its own folder: settings go to the user's folder and come back from there.
    void unwritableProgramFolder()
    {
        QStandardPaths::setTestModeEnabled(true);
        const QString folder = QStringLiteral("/nonexistent-program-folder/");
        const QString user = Settings::WritePath(folder);
        QVERIFY(!user.startsWith(folder));
        QFile::remove(user);
        DataModule dm(folder);
        LoadSettings(dm.All);
        dm.All.PortName = QStringLiteral("COM9");
        QVERIFY(SaveSettings(dm.All));
        DataModule again(folder);
        LoadSettings(again.All);
        QCOMPARE(again.All.PortName, QStringLiteral("COM9"));
        QFile::remove(user);
    }

    void languageList()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + QLatin1Char('/');
        DataModule dm(folder);
        LoadSettings(dm.All);
        QStringList display { QStringLiteral("kept") }, files;
        ReadLanguageList(dm.All, display, files);
        QCOMPARE(files, (QStringList { "Chinese", "English" }));
        QCOMPARE(display, (QStringList { "kept", "中文", "英文" }));

        write(folder + QStringLiteral("SysInfo.Ini"),
            "[SysInfo]\r\nLanguage=English|Chinese\r\nEnglish=English|Chinese\r\nDefaultLanguage=0\r\n");
        LoadSettings(dm.All);
        display.clear();
        files.clear();
        ReadLanguageList(dm.All, display, files);
        QCOMPARE(dm.All.LanguageName, QStringLiteral("English"));
        QCOMPARE(display, (QStringList { "English", "Chinese" }));
    }

    void texts()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + QLatin1Char('/');
        TLanguage t;
        t.LoadTexts(folder, QStringLiteral("English"));
        QCOMPARE(t.ExitProgram, QStringLiteral("Do you wish to exit program?"));
        QCOMPARE(t.Info, QStringLiteral(" Information"));
        QCOMPARE(t.LPortError, QStringLiteral("Cannot Open Commcmication Port."));

        write(folder + QStringLiteral("Chinese.Ini"),
            "[language]\r\nreadok=\xB6\xC1\xC8\xA1\xCD\xEA\xB3\xC9\r\nCaution=\r\n");
        t.LoadTexts(folder, QStringLiteral("Chinese"));
        QCOMPARE(t.ReadOk, QStringLiteral("读取完成"));
        QCOMPARE(t.Caution, QString());
        QCOMPARE(t.WriteOk, QStringLiteral("Writing Completed."));

        // A language without the section brings every text back to English.
        write(folder + QStringLiteral("Bare.Ini"), "[Other]\r\nReadOk=x\r\n");
        t.LoadTexts(folder, QStringLiteral("Bare"));
        QCOMPARE(t.ReadOk, QStringLiteral("Reading Completed."));
        QCOMPARE(t.Caution, QStringLiteral("Caution"));
    }
};

QTEST_GUILESS_MAIN(TestI18n)
#include "test_i18n.moc"
