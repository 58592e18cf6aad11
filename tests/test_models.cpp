// The model catalogue, the band list and binding a model to the working state.

#include "CoreFixture.h"

#include <QtTest>

class TestModels : public QObject
{
    Q_OBJECT

private slots:
    void lookups()
    {
        DataModule dm { QString() };
        const TMacList &m = dm.Models;
        QCOMPARE(m.FindByCode(QStringLiteral("5960"))->Name, QStringLiteral("TL-5960s(UHF)"));
        QVERIFY(!m.FindByCode(QStringLiteral("5960 ")));
        QVERIFY(!m.FindByCode(QString()));
        QCOMPARE(m.FindByName(QStringLiteral("TL-5960s(VHF)"))->Code, QStringLiteral("4960"));
        QVERIFY(!m.FindByName(QStringLiteral("TL-5960S(VHF)")));
        QCOMPARE(m.FindByBand(QStringLiteral("440 - 480MHz"))->Code, QStringLiteral("5960"));
        QVERIFY(!m.FindByBand(QStringLiteral(" 27 -  72MHz")));
        QVERIFY(!m.Item(2));
        QStringList names { QStringLiteral("old"), QStringLiteral("entries") };
        m.FillNames(names);
        QCOMPARE(names, (QStringList { "TL-5960s(UHF)", "TL-5960s(VHF)" }));
        QCOMPARE(dm.All.ProductName, QStringLiteral("TL-5960s"));
        QVERIFY(dm.All.SerialEditable);
    }

    void bandCodes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::newRow("vhf") << "150 - 174MHz" << 0xF0;
        QTest::newRow("uhf default") << "450 - 470MHz" << 0xF4;
        QTest::newRow("no blanks") << "150-174MHz" << 0xFD;
        QTest::newRow("empty") << "" << 0xFD;
    }
    void bandCodes()
    {
        DataModule dm { QString() };
        QFETCH(QString, text);
        QTEST(int(dm.Bands.CodeOf(text)), "code");
    }

    void bandTexts()
    {
        DataModule dm { QString() };
        QCOMPARE(dm.Bands.TextOf(0xF4), QStringLiteral("450 - 470MHz"));
        QCOMPARE(dm.Bands.TextOf(0x00), QStringLiteral("440 - 480MHz"));
        QCOMPARE(dm.Bands.TextOf(0xFF), QStringLiteral("440 - 480MHz"));
        QCOMPARE(dm.Bands.Entries().size(), size_t(14));
        // Every band of every model has its own code, and the code leads back to it.
        for (int i = 0; i < dm.Models.Count(); ++i)
            for (const QString &b : dm.Models.Item(i)->Bands)
                QCOMPARE(dm.Bands.TextOf(dm.Bands.CodeOf(b)), b);
        const BandEdges e = ParseBand(QStringLiteral(" 27 -  72MHz"));
        QCOMPARE(e.lower, 27.0);
        QCOMPARE(e.upper, 72.0);
    }

    void bind_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("band");
        QTest::addColumn<double>("modelMin");
        QTest::addColumn<double>("modelMax");
        QTest::addColumn<double>("bandMin");
        QTest::addColumn<double>("bandMax");
        QTest::newRow("uhf 400-470") << 0xF7 << "5960"
                                     << "400 - 470MHz" << 300.0 << 650.0 << 400.0 << 470.0;
        QTest::newRow("vhf 136-150") << 0xF1 << "4960"
                                     << "136 - 150MHz" << 67.0 << 300.0 << 136.0 << 150.0;
        QTest::newRow("unknown 00") << 0x00 << "5960"
                                    << "440 - 480MHz" << 300.0 << 650.0 << 440.0 << 480.0;
        QTest::newRow("unknown FF") << 0xFF << "5960"
                                    << "440 - 480MHz" << 300.0 << 650.0 << 440.0 << 480.0;
    }
    void bind()
    {
        QFETCH(int, code);
        DataModule dm { QString() };
        QVERIFY(BindModel(dm.All, uint8_t(code), true));
        QTEST(dm.All.ModelCode, "model");
        QTEST(dm.All.BandText, "band");
        QTEST(dm.All.ModelMinFreq, "modelMin");
        QTEST(dm.All.ModelMaxFreq, "modelMax");
        QTEST(dm.All.BandMinFreq, "bandMin");
        QTEST(dm.All.BandMaxFreq, "bandMax");
        QCOMPARE(dm.All.ChannelCount, 16);
        QCOMPARE(dm.All.CurrentModel, dm.Models.FindByCode(dm.All.ModelCode));
    }

    void bindWithoutBandKeepsEdges()
    {
        DataModule dm { QString() };
        dm.All.BandMinFreq = 1;
        dm.All.BandMaxFreq = 2;
        QVERIFY(BindModel(dm.All, 0xF1, false));
        QCOMPARE(dm.All.BandText, QStringLiteral("150 - 174MHz"));
        QCOMPARE(dm.All.BandMinFreq, 1.0);
        QCOMPARE(dm.All.BandMaxFreq, 2.0);

        dm.BindStartModel();
        QCOMPARE(dm.All.ModelName, QStringLiteral("TL-5960s(UHF)"));
        QCOMPARE(dm.All.BandText, QStringLiteral("450 - 470MHz"));
        QCOMPARE(dm.All.BandMaxFreq, 470.0);
    }

    void bandOfNoModelKeepsBinding()
    {
        DataModule dm { QString() };
        QVERIFY(BindModel(dm.All, 0xF1, true));
        QVERIFY(!BindModel(dm.All, 0xFD, true));
        QCOMPARE(dm.All.ModelCode, QStringLiteral("4960"));
        QCOMPARE(dm.All.BandText, QStringLiteral("136 - 150MHz"));
        QVERIFY(dm.All.CurrentModel);
    }
};

QTEST_GUILESS_MAIN(TestModels)
#include "test_models.moc"
