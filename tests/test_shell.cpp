// The main window: start-up, the dispatcher, the tree, the file commands with
// their questions, the close query, the model and language changes, the
// about box and help. Prompts and dialogs are answered through the seams.

#include "app/DataModule.h"
#include "app/EditorWindow.h"
#include "app/FrmAbout.h"
#include "app/Help.h"
#include "app/MainFrm.h"
#include "app/ScriptedPrompter.h"
#include "i18n/IniFile.h"
#include "i18n/SetLanguage.h"
#include "i18n/TranslateForm.h"
#include "image/DataFile.h"
#include "link/Ports.h"
#include "models/Model.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>

namespace
{

// Stands in for every editor window: counts what the main window asks of it.
struct FakeEditor : QWidget, EditorWindow {
    int tag;
    QStringList *log;
    FakeEditor(int t, QStringList *l)
        : tag(t)
        , log(l)
    {
    }
    void RefreshFromImage() override { *log << QString("refresh %1").arg(tag); }
    void FillRow(int channel) override { *log << QString("row %1:%2").arg(tag).arg(channel); }
    void EndEditing() override { *log << QString("end %1").arg(tag); }
    void ShowCurrentChannel() override { *log << QString("show %1").arg(tag); }
};

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const char *const SysInfo = "[SysInfo]\r\nCom=com3\r\nDefaultLanguage=0\r\nHelp=TL\r\nLanguage=English|Chinese\r\n"
                            "English=English|Chinese\r\n";

// A second language whose texts are easy to tell apart.
QByteArray chineseFile()
{
    QStringEncoder gbk("GBK");
    return gbk.encode(QString::fromUtf8("[Language]\r\nExitProgram=退出吗?\r\n"
                                        "[fMainFrm]\r\nnFile.Caption=文件(&F)\r\nN1.Caption=新建(&N)\r\n"
                                        "nInfo.Hint=电台信息\r\nnChInfo.Hint=信道信息\r\nnKey.Hint=按键功能\r\n"
                                        "nVox.Hint=声控功能\r\nnOpt.Hint=可选功能\r\nlCom.Caption=\"端口: \"\r\n"
                                        "Label5.Caption=信道\r\ntbNew.Hint=新建\r\n"
                                        "[fSetLanguage]\r\nlbName.Caption=\"语言: \"\r\n"
                                        "[fFrmAbout]\r\nfFrmAbout.Caption=关于\r\nLabel1.Caption=第一行\r\n"
                                        "Label5.Caption=甲\r\nLabel6.Caption=乙\r\nLabel7.Caption=丙\r\n"
                                        "[fModel]\r\nLabel1.Caption=机型: \r\n"));
}

// The stored "com3" as the start-up port step settles it on this machine.
QString settledCom3()
{
    const QStringList present = ListSerialPorts(PresentSerialDevices());
    return present.isEmpty() || present.contains(QStringLiteral("COM3")) ? QStringLiteral("COM3") : present.first();
}

} // namespace

class TestShell : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString folder() const { return m_dir.path() + '/'; }

    struct Run {
        DataModule data;
        ScriptedPrompter prompter;
        TfMainFrm main;
        QStringList log;
        QList<int> created;
        QList<int> modal;
        bool readCompletes = false;
        QStringList chosen; // answers of the file chooser, in order; "" = cancelled
        QList<bool> chooserForSave;

        explicit Run(const QString &folder)
            : data(folder)
            , main((data.LoadSettingsAndTexts(), data), &prompter)
        {
            main.MakeEditor = [this](int tag, EditorHost &, QWidget *parent) -> QWidget * {
                created << tag;
                auto *e = new FakeEditor(tag, &log);
                e->setParent(parent);
                return e;
            };
            main.RunModal = [this](int tag, EditorHost &, QWidget *) {
                modal << tag;
                return tag == Cmd::Read && readCompletes;
            };
            main.ChooseFile = [this](bool forSave) {
                chooserForSave << forSave;
                return chosen.isEmpty() ? QString() : chosen.takeFirst();
            };
            main.show();
            log.clear();
            created.clear();
        }
        TALL &all() { return data.All; }
        FakeEditor *editor(int tag) { return dynamic_cast<FakeEditor *>(main.FindEditor(tag)); }
    };

    QString dataPath(const char *name) const { return folder() + name; }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        writeFile(folder() + "SysInfo.Ini", SysInfo);
        writeFile(folder() + "English.Ini",
            "[Language]\r\n[fMainFrm]\r\nnFile.Caption=&File\r\nN1.Caption=&New\r\n"
            "nInfo.Hint=Radio Information\r\nnChInfo.Hint=Channel Information\r\n"
            "nKey.Hint=Key Function\r\nnVox.Hint=Vox Function\r\n"
            "nOpt.Hint=Optional Function\r\nlCom.Caption=\"Port: \"\r\n"
            "Label5.Caption=\"No. - \"\r\ntbNew.Hint=New\r\n"
            "[fFrmAbout]\r\nfFrmAbout.Caption=About\r\nLabel1.Caption=Line one\r\n"
            "Label5.Caption=A\r\nLabel6.Caption=B\r\nLabel7.Caption=C\r\n");
        writeFile(folder() + "Chinese.Ini", chineseFile());
    }

    void init()
    {
        writeFile(folder() + "SysInfo.Ini", SysInfo);
        for (const char *f : { "a.dat", "b.dat", "short.dat", "other.dat" })
            QFile::remove(dataPath(f));
    }

    void startUp()
    {
        Run r(folder());
        TALL &all = r.all();
        QCOMPARE(all.ModelName, QString("TL-5960s(UHF)"));
        QCOMPARE(all.BandText, QString("450 - 470MHz"));
        QCOMPARE(all.BandMinFreq, 450.0);
        QCOMPARE(all.BandMaxFreq, 470.0);
        QCOMPARE(all.PortName, settledCom3());
        QVERIFY(!all.Modified);
        QVERIFY(r.main.CurrentFileName.isEmpty());
        QCOMPARE(r.main.windowTitle(), QString("TL-5960s"));
        QVERIFY(r.main.FindEditor(Cmd::ChannelInfo)); // the grid is open from the start
        QCOMPARE(r.main.Panel(3)->text(), QString("Port: ") + settledCom3());
        QCOMPARE(r.main.Panel(4)->text(), QString("TL-5960s(UHF)"));
        QCOMPARE(r.main.Panel(5)->text(), QString("450 - 470MHz"));
        QVERIFY(QRegularExpression("^\\d{4}.\\d\\d.\\d\\d$").match(r.main.Panel(1)->text()).hasMatch());
        QVERIFY(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(r.main.Panel(2)->text()).hasMatch());
        QCOMPARE(r.main.cxTL5960->currentItem(), r.main.cxTL5960->topLevelItem(0));
        QCOMPARE(r.main.cxTL5960->topLevelItem(0)->text(0), QString("TL-5960s"));
        QCOMPARE(r.main.ChannelItem(1)->text(0), QString("No. -  1"));
        QCOMPARE(r.main.ChannelItem(16)->text(0), QString("No. -  16"));
        // A new image: no channel programmed.
        for (int n = 1; n <= 16; ++n)
            QCOMPARE(all.channelRecord(n)[0], uint8_t(0xFF));
    }

    void menuItems_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<int>("tag");
        QTest::addColumn<bool>("visible");
        auto row = [](const char *n, const char *c, const char *s, int t, bool v) {
            QTest::newRow(n) << QString(n) << QString(c) << QString(s) << t << v;
        };
        row("N1", "&New", "Ctrl+N", 1, true);
        row("O1", "&Open", "Ctrl+O", 2, true);
        row("S2", "&Save", "Ctrl+S", 3, true);
        row("A1", "Save &As", "Ctrl+A", 4, true);
        row("P2", "&Print", "Ctrl+P", 5, true);
        row("V2", "Print Pre&view", "Ctrl+V", 6, true);
        row("nExit", "&Exit", "Ctrl+X", 7, true);
        row("nChInfo", "C&hannel Information", "", 10, true);
        row("nChEdit", "&Channel Edit", "", 11, true);
        row("nKey", "&Key Function", "", 12, true);
        row("nVox", "&Vox Function", "", 13, true);
        row("nOpt", "&Optional Function", "", 14, true);
        row("nInfo", "Radio &Information", "", 15, true);
        row("P0", "&Pass Word", "", 16, false);
        row("E10", "&Test Frequency", "", 17, false);
        row("E11", "Embedded &Message", "", 18, false);
        row("R1", "&Read From Radio", "Ctrl+R", 20, true);
        row("W2", "&Write To Radio", "Ctrl+W", 21, true);
        row("T1", "&Test Online", "", 22, false);
        row("N4", "&Model Information", "", 30, true);
        row("C2", "&Communication Port", "", 31, true);
        row("nLanguage", "Language File Setup", "", 32, true);
        row("T4", "Tree &View", "", 40, true);
        row("nCool", "&Toolbar", "", 41, true);
        row("nBar", "&Status bar", "", 42, true);
        row("nCloseAll", "Close All &Windows", "", 54, true);
        row("nHelpTopics", "&Help Topics", "", 60, true);
        row("nAbout", "About...", "", 61, true);
        row("nWindow", "&Window", "", 0, false);
        row("D5", "", "", 0, false);
    }

    void menuItems()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        QFETCH(int, tag);
        QFETCH(bool, visible);
        Run r(folder());
        QAction *a = r.main.action(name);
        QVERIFY(a);
        QCOMPARE(a->text(), caption);
        QCOMPARE(a->shortcut().toString(), shortcut);
        QCOMPARE(a->property("tag").toInt(), tag);
        QCOMPARE(a->isVisible(), visible);
    }

    void toolBar()
    {
        Run r(folder());
        QStringList shown;
        for (QToolButton *b : r.main.tbar->findChildren<QToolButton *>())
            if (!b->objectName().isEmpty() && b->isVisibleTo(&r.main))
                shown << QString("%1:%2:%3").arg(b->objectName(), b->toolTip()).arg(b->property("tag").toInt());
        QCOMPARE(shown,
            QStringList({ "tbNew:New:1", "tbOpen:Open:2", "tbSave:Save:3", "tbPrint:Print:5", "tbRead:Read:20",
                "tbWrite:Write:21", "tbHelp:Help:60" }));
        QVERIFY(r.main.findChild<QToolButton *>("ToolButton3"));
        r.main.findChild<QToolButton *>("tbRead")->click();
        QCOMPARE(r.modal, QList<int>({ Cmd::Read }));
    }

    void dispatcherEndsGridEditingFirst_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<QList<int>>("created");
        QTest::addColumn<QList<int>>("modal");
        QTest::newRow("unknown tag") << 99 << QList<int>() << QList<int>();
        QTest::newRow("root") << -1 << QList<int>() << QList<int>();
        QTest::newRow("channel edit") << 11 << QList<int>({ 11 }) << QList<int>();
        QTest::newRow("key") << 12 << QList<int>({ 12 }) << QList<int>();
        QTest::newRow("vox") << 13 << QList<int>({ 13 }) << QList<int>();
        QTest::newRow("optional") << 14 << QList<int>({ 14 }) << QList<int>();
        QTest::newRow("info") << 15 << QList<int>({ 15 }) << QList<int>();
        QTest::newRow("password") << 16 << QList<int>({ 16 }) << QList<int>();
        QTest::newRow("test frequency") << 17 << QList<int>() << QList<int>({ 17 });
        QTest::newRow("embedded message") << 18 << QList<int>() << QList<int>({ 18 });
        QTest::newRow("read") << 20 << QList<int>() << QList<int>({ 20 });
        QTest::newRow("write") << 21 << QList<int>() << QList<int>({ 21 });
        QTest::newRow("test online") << 22 << QList<int>() << QList<int>();
        QTest::newRow("port") << 31 << QList<int>() << QList<int>({ 31 });
    }

    void dispatcherEndsGridEditingFirst()
    {
        QFETCH(int, tag);
        QFETCH(QList<int>, created);
        QFETCH(QList<int>, modal);
        Run r(folder());
        r.main.RunCommand(tag);
        QCOMPARE(r.log.value(0), QString("end 10"));
        QCOMPARE(r.created, created);
        QCOMPARE(r.modal, modal);
        // Bringing a window up again focuses the one that exists.
        r.main.RunCommand(tag);
        QCOMPARE(r.created, created);
        QVERIFY(r.prompter.shown.isEmpty());
    }

    void editorWindowsComeBackAfterClosingAndMinimising()
    {
        Run r(folder());
        r.main.RunCommand(Cmd::KeyFunction);
        QWidget *key = r.main.FindEditor(Cmd::KeyFunction);
        QMdiSubWindow *sub = r.main.Mdi->subWindowList().last();
        sub->showMinimized();
        r.main.RunCommand(Cmd::KeyFunction);
        QCOMPARE(r.main.FindEditor(Cmd::KeyFunction), key);
        QVERIFY(!sub->isMinimized());
        QCOMPARE(r.main.Mdi->activeSubWindow(), sub);
        sub->close();
        QTRY_VERIFY(!r.main.FindEditor(Cmd::KeyFunction));
        r.main.RunCommand(Cmd::KeyFunction);
        QCOMPARE(r.created, QList<int>({ 12, 12 }));
    }

    void channelEditShowsCurrentChannel()
    {
        Run r(folder());
        r.main.RunCommand(Cmd::ChannelEdit);
        QCOMPARE(r.log, QStringList({ "end 10", "show 11" }));
        r.log.clear();
        r.main.NotifyImageChanged(0);
        r.main.NotifyImageChanged(2);
        r.all().CurrentChannel = 5;
        r.main.SelectChannelNode(0);
        QCOMPARE(r.main.cxTL5960->currentItem(), r.main.ChannelItem(5));
        r.main.SelectChannelNode(2);
        QCOMPARE(r.log, QStringList({ "row 10:1", "show 11", "show 11" }));
    }

    void completedReadReplacesEveryWindow()
    {
        Run r(folder());
        r.main.RunCommand(Cmd::OptionalFunction);
        r.main.CurrentFileName = "x.dat";
        r.main.RunCommand(Cmd::Read); // not completed: nothing changes
        QCOMPARE(r.main.CurrentFileName, QString("x.dat"));
        r.readCompletes = true;
        QWidget *oldGrid = r.main.FindEditor(Cmd::ChannelInfo);
        QPointer<QWidget> guard(oldGrid);
        r.main.RunCommand(Cmd::Read);
        QVERIFY(r.main.CurrentFileName.isEmpty());
        QVERIFY(guard.isNull()); // the grid went at once
        QVERIFY(!r.main.FindEditor(Cmd::OptionalFunction));
        QVERIFY(r.main.FindEditor(Cmd::ChannelInfo));
        QCOMPARE(r.created, QList<int>({ 14, 10 }));
    }

    void treeDoubleClick_data()
    {
        QTest::addColumn<int>("item"); // -1 root, 0 none, 1..16 channel, 100+tag a first-level item
        QTest::addColumn<bool>("selectFirst");
        QTest::addColumn<int>("channel");
        QTest::addColumn<QList<int>>("created");
        QTest::newRow("channel 7") << 7 << true << 7 << QList<int>({ 11 });
        QTest::newRow("channel 7 not selected") << 7 << false << 1 << QList<int>();
        QTest::newRow("key function") << 112 << true << 1 << QList<int>({ 12 });
        QTest::newRow("vox function") << 113 << true << 1 << QList<int>({ 13 });
        QTest::newRow("radio information") << 115 << true << 1 << QList<int>({ 15 });
        QTest::newRow("root") << -1 << true << 1 << QList<int>();
        QTest::newRow("no item") << 0 << true << 1 << QList<int>();
    }

    void treeDoubleClick()
    {
        QFETCH(int, item);
        QFETCH(bool, selectFirst);
        QFETCH(int, channel);
        QFETCH(QList<int>, created);
        Run r(folder());
        QTreeWidget *tree = r.main.cxTL5960;
        QTreeWidgetItem *target = nullptr;
        if (item == -1)
            target = tree->topLevelItem(0);
        else if (item >= 1 && item <= 16)
            target = r.main.ChannelItem(item);
        else if (item > 100)
            for (int i = 0; i < tree->topLevelItem(0)->childCount(); ++i)
                if (tree->topLevelItem(0)->child(i)->data(0, Qt::UserRole).toInt() == item - 100)
                    target = tree->topLevelItem(0)->child(i);
        if (selectFirst && target)
            tree->setCurrentItem(target);
        r.main.TreeDoubleClicked(target);
        QCOMPARE(r.all().CurrentChannel, channel);
        QCOMPARE(r.created, created);
        const bool ran = target && selectFirst;
        QCOMPARE(r.log.contains("end 10"), ran);
        if (item >= 1 && item <= 16 && ran)
            QVERIFY(r.log.contains("show 11"));
    }

    void treeDoubleClickWithTheMouse()
    {
        Run r(folder());
        QTreeWidget *tree = r.main.cxTL5960;
        QTreeWidgetItem *item = r.main.ChannelItem(4);
        tree->scrollToItem(item);
        const QPoint at = tree->visualItemRect(item).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(r.all().CurrentChannel, 4);
        QVERIFY(r.main.FindEditor(Cmd::ChannelEdit));
        QVERIFY(item->parent()->isExpanded());
    }

    void viewCommands()
    {
        Run r(folder());
        QAction *cool = r.main.action("nCool");
        QAction *bar = r.main.action("nBar");
        QVERIFY(cool->isChecked() && bar->isChecked());
        cool->trigger();
        QVERIFY(!cool->isChecked());
        QVERIFY(!r.main.pBar->isVisibleTo(&r.main));
        r.main.RunCommand(Cmd::ToolBar);
        QVERIFY(cool->isChecked());
        QVERIFY(r.main.pBar->isVisibleTo(&r.main));
        bar->trigger();
        QVERIFY(!bar->isChecked());
        QVERIFY(!r.main.MainBar->isVisibleTo(&r.main));
        bar->trigger();
        QVERIFY(r.main.MainBar->isVisibleTo(&r.main));
        r.main.TreeHide->click();
        QVERIFY(!r.main.pTree->isVisibleTo(&r.main));
        r.main.action("T4")->trigger();
        QVERIFY(r.main.pTree->isVisibleTo(&r.main));
    }

    // ---- files ----

    void saveAndOpen()
    {
        Run r(folder());
        // No name yet: the save dialog; cancelling writes nothing.
        r.all().Modified = true;
        r.main.RunCommand(Cmd::Save);
        QCOMPARE(r.chooserForSave, QList<bool>({ true }));
        QVERIFY(r.main.CurrentFileName.isEmpty());
        QVERIFY(r.all().Modified);

        r.chosen = QStringList({ dataPath("a.dat") });
        r.main.RunCommand(Cmd::Save);
        QCOMPARE(QFileInfo(dataPath("a.dat")).size(), qint64(448));
        QCOMPARE(r.main.CurrentFileName, dataPath("a.dat"));
        QCOMPARE(r.main.windowTitle(), "TL-5960s [" + dataPath("a.dat") + "]");
        QVERIFY(!r.all().Modified);

        // Save As always asks, even with a name.
        r.chosen = QStringList({ dataPath("b.dat") });
        r.main.RunCommand(Cmd::SaveAs);
        QCOMPARE(r.chooserForSave.size(), 3);
        QVERIFY(QFile::exists(dataPath("b.dat")));

        // Open brings the file's image, binding and name.
        r.all().channelRecord(3)[0] = 0x12;
        r.all().Modified = false;
        r.chosen = QStringList({ dataPath("a.dat") });
        QWidget *grid = r.main.FindEditor(Cmd::ChannelInfo);
        r.main.RunCommand(Cmd::Open);
        QCOMPARE(r.all().channelRecord(3)[0], uint8_t(0xFF));
        QCOMPARE(r.main.CurrentFileName, dataPath("a.dat"));
        QVERIFY(r.main.FindEditor(Cmd::ChannelInfo) != grid || r.created.contains(10));
        QVERIFY(r.prompter.shown.isEmpty());
    }

    void refusedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("nameKept");
        QTest::addColumn<QString>("reason");
        QTest::newRow("too short") << QByteArray(100, '\xFF') << true << "shorter than 448 bytes";
        // A header naming model "9999", which is in no catalogue.
        QByteArray unknown(448, '\xFF');
        unknown.replace(0, 16, QByteArray("P9999\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00", 16));
        QTest::newRow("unknown model") << unknown << false << "Model Type Wrong.";
        QTest::newRow("missing") << QByteArray() << true << "";
    }

    void refusedFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, nameKept);
        QFETCH(QString, reason);
        Run r(folder());
        r.chosen = QStringList({ dataPath("a.dat") });
        r.main.RunCommand(Cmd::Save); // the image now has a file
        const RadioImageBytes before = r.all().RadioImage;
        const QString path = dataPath("other.dat");
        if (!bytes.isEmpty())
            writeFile(path, bytes);
        r.chosen = QStringList({ path });
        r.main.RunCommand(Cmd::Open);
        QCOMPARE(r.prompter.shown.size(), 1);
        QCOMPARE(r.prompter.shown[0].caption, QString("Confirmation"));
        QCOMPARE(r.prompter.shown[0].kind, Prompt::Info);
        QVERIFY2(
            r.prompter.shown[0].text.contains(QDir::toNativeSeparators(path)), qPrintable(r.prompter.shown[0].text));
        QVERIFY(r.prompter.shown[0].text.contains(reason));
        QVERIFY(r.all().RadioImage == before);
        QCOMPARE(r.all().ModelName, QString("TL-5960s(UHF)"));
        QCOMPARE(r.main.CurrentFileName, nameKept ? dataPath("a.dat") : QString());
    }

    void failedSaveKeepsChangesAndSays()
    {
        Run r(folder());
        r.all().Modified = true;
        const QString bad = folder() + "no/such/folder/x.dat";
        r.chosen = QStringList({ bad });
        QVERIFY(!r.main.FileSave());
        QCOMPARE(r.prompter.shown.size(), 1);
        QVERIFY(r.prompter.shown[0].text.contains(QDir::toNativeSeparators(bad)));
        QVERIFY(r.all().Modified);
        QVERIFY(r.main.CurrentFileName.isEmpty());
    }

    void newAsksToSave_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("renewed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("unmodified") << false << QList<int>() << "" << true << false;
        QTest::newRow("no") << true << QList<int>({ Prompt::No }) << "" << true << false;
        QTest::newRow("yes, saved") << true << QList<int>({ Prompt::Yes }) << "a.dat" << true << true;
        // The user wanted the changes kept; they were not saved, so New stops.
        QTest::newRow("yes, dialog cancelled") << true << QList<int>({ Prompt::Yes }) << "" << false << false;
    }

    void newAsksToSave()
    {
        QFETCH(bool, modified);
        QFETCH(QList<int>, answers);
        QFETCH(QString, chosen);
        QFETCH(bool, renewed);
        QFETCH(bool, saved);
        Run r(folder());
        r.all().channelRecord(2)[0] = 0x45;
        r.all().Modified = modified;
        r.prompter.answers = answers;
        if (!chosen.isEmpty())
            r.chosen = QStringList({ dataPath(qPrintable(chosen)) });
        r.main.RunCommand(Cmd::New);
        QCOMPARE(r.prompter.shown.size(), modified ? 1 : 0);
        if (modified)
            QCOMPARE(r.prompter.shown[0].text, QString("Do you wish to save the changes?"));
        QCOMPARE(r.all().channelRecord(2)[0], renewed ? uint8_t(0xFF) : uint8_t(0x45));
        QCOMPARE(r.all().Modified, !renewed);
        QCOMPARE(QFile::exists(dataPath("a.dat")), saved);
        if (renewed)
            QVERIFY(r.main.CurrentFileName.isEmpty());
        QCOMPARE(r.prompter.unanswered, 0);
    }

    void closeQuery_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<int>("questions");
        QTest::newRow("no") << false << QList<int>({ Prompt::No }) << "" << false << 1;
        QTest::newRow("yes, unmodified") << false << QList<int>({ Prompt::Yes }) << "" << true << 1;
        QTest::newRow("yes, modified, no save") << true << QList<int>({ Prompt::Yes, Prompt::No }) << "" << true << 2;
        QTest::newRow("yes, modified, saved")
            << true << QList<int>({ Prompt::Yes, Prompt::Yes }) << "a.dat" << true << 2;
        QTest::newRow("yes, modified, save cancelled")
            << true << QList<int>({ Prompt::Yes, Prompt::Yes }) << "" << false << 2;
    }

    void closeQuery()
    {
        QFETCH(bool, modified);
        QFETCH(QList<int>, answers);
        QFETCH(QString, chosen);
        QFETCH(bool, closed);
        QFETCH(int, questions);
        writeFile(folder() + "SysInfo.Ini", "[SysInfo]\r\nCom=com3\r\nLanguage=English|Chinese\r\n");
        Run r(folder());
        r.all().PortName = "COM9";
        r.all().Modified = modified;
        r.prompter.answers = answers;
        if (!chosen.isEmpty())
            r.chosen = QStringList({ dataPath(qPrintable(chosen)) });
        QCOMPARE(r.main.close(), closed);
        QCOMPARE(r.prompter.shown.size(), questions);
        QCOMPARE(r.prompter.shown[0].text, QString("Do you wish to exit program?"));
        if (questions > 1)
            QCOMPARE(r.prompter.shown[1].text, QString("Do you wish to save the changes?"));
        QCOMPARE(QFile::exists(dataPath("a.dat")), !chosen.isEmpty());
        // The settings are written when, and only when, the window closes.
        const IniFile ini(folder() + "SysInfo.Ini");
        QCOMPARE(ini.readString("SysInfo", "Com", ""), closed ? QString("COM9") : QString("com3"));
        if (closed)
            QCOMPARE(ini.readString("SysInfo", "DefaultLanguage", ""), QString("0"));
    }

    // ---- model ----

    void modelChange_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QStringList>("questions");
        const QString clear = "Do you wish to Clear Data?", save = "Do you wish to save the changes?";
        QTest::newRow("unmodified") << false << QList<int>() << true << QStringList();
        QTest::newRow("clear: no") << true << QList<int>({ Prompt::No }) << false << QStringList({ clear });
        QTest::newRow("clear: yes, save: no")
            << true << QList<int>({ Prompt::Yes, Prompt::No }) << true << QStringList({ clear, save });
    }

    void modelChange()
    {
        QFETCH(bool, modified);
        QFETCH(QList<int>, answers);
        QFETCH(bool, changed);
        QFETCH(QStringList, questions);
        Run r(folder());
        r.all().channelRecord(1)[0] = 0x45;
        r.all().Modified = modified;
        r.prompter.answers = answers;
        r.main.ExecDialog = [](QDialog &d) {
            auto &m = static_cast<TfModel &>(d);
            d.show();
            m.cbCopmut->setCurrentIndex(m.cbCopmut->findText("TL-5960s(VHF)"));
            m.cbPd->setCurrentIndex(m.cbPd->findText("136 - 150MHz"));
            m.btnOk->click();
            return d.result();
        };
        r.main.RunCommand(Cmd::Model);
        QCOMPARE(r.prompter.texts(), questions);
        QCOMPARE(r.all().ModelName, changed ? QString("TL-5960s(VHF)") : QString("TL-5960s(UHF)"));
        QCOMPARE(r.all().BandText, changed ? QString("136 - 150MHz") : QString("450 - 470MHz"));
        QCOMPARE(r.all().RadioImage[Image::BandCode], changed ? uint8_t(0xF1) : uint8_t(0xF4));
        QCOMPARE(r.all().channelRecord(1)[0], changed ? uint8_t(0xFF) : uint8_t(0x45));
        QCOMPARE(r.all().Modified, !changed && modified);
        QCOMPARE(r.main.Panel(5)->text(), r.all().BandText);
    }

    void modelDialogCancelChangesNothing()
    {
        Run r(folder());
        r.main.ExecDialog = [](QDialog &d) {
            auto &m = static_cast<TfModel &>(d);
            d.show();
            m.cbCopmut->setCurrentIndex(1);
            m.btnCancel->click();
            return d.result();
        };
        r.main.RunCommand(Cmd::Model);
        QCOMPARE(r.all().ModelName, QString("TL-5960s(UHF)"));
        QVERIFY(r.created.isEmpty());
    }

    void modelDialogLists()
    {
        DataModule data(folder());
        BindModel(data.All, 0xF7, true); // UHF, 400 - 470MHz
        TfModel dialog(data.All);
        dialog.show();
        QCOMPARE(dialog.cbCopmut->currentText(), QString("TL-5960s(UHF)"));
        QCOMPARE(dialog.cbPd->currentText(), QString("400 - 470MHz"));
        dialog.cbCopmut->setCurrentIndex(dialog.cbCopmut->findText("TL-5960s(VHF)"));
        QCOMPARE(dialog.cbPd->count(), 4);
        QCOMPARE(dialog.cbPd->currentText(), QString("150 - 174MHz"));
        QVERIFY(!dialog.Confirmed);
    }

    // ---- language ----

    void languageChange()
    {
        Run r(folder());
        r.main.RunCommand(Cmd::OptionalFunction);
        r.all().Modified = true;
        r.main.ExecDialog = [](QDialog &d) {
            auto &l = static_cast<TfSetLanguage &>(d);
            d.show();
            l.cbLanguage->setCurrentIndex(1);
            l.btnOk->click();
            return d.result();
        };
        r.main.RunCommand(Cmd::Language);
        QCOMPARE(r.all().LanguageIndex, 1);
        QCOMPARE(r.all().LanguageName, QString("Chinese"));
        QCOMPARE(r.data.Texts.ExitProgram, QString::fromUtf8("退出吗?"));
        QCOMPARE(r.main.action("nFile")->text(), QString::fromUtf8("文件(&F)"));
        QCOMPARE(r.main.action("N1")->text(), QString::fromUtf8("新建(&N)"));
        QCOMPARE(r.main.findChild<QToolButton *>("tbNew")->toolTip(), QString::fromUtf8("新建"));
        QCOMPARE(r.main.ChannelItem(2)->text(0), QString::fromUtf8("信道 2"));
        QCOMPARE(r.main.cxTL5960->topLevelItem(0)->child(0)->text(0), QString::fromUtf8("电台信息"));
        QCOMPARE(r.main.Panel(3)->text(), QString::fromUtf8("端口: ") + settledCom3());
        QVERIFY(!r.main.FindEditor(Cmd::OptionalFunction));
        QVERIFY(r.main.FindEditor(Cmd::ChannelInfo));
        QCOMPARE(r.created, QList<int>({ 14, 10 }));
        QVERIFY(r.all().Modified); // the image did not change, so its changes are still unsaved

        // And back: the first language's file puts the design texts back.
        r.main.ExecDialog = [](QDialog &d) {
            auto &l = static_cast<TfSetLanguage &>(d);
            d.show();
            l.cbLanguage->setCurrentIndex(0);
            l.btnOk->click();
            return d.result();
        };
        r.main.RunCommand(Cmd::Language);
        QCOMPARE(r.main.action("nFile")->text(), QString("&File"));
        QCOMPARE(r.main.ChannelItem(2)->text(0), QString("No. -  2"));
        QCOMPARE(r.data.Texts.ExitProgram, QString("Do you wish to exit program?"));
    }

    void languageDialog_data()
    {
        QTest::addColumn<QByteArray>("sysInfo");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("display");
        QTest::addColumn<QString>("label");
        QTest::newRow("display key of the language")
            << QByteArray(SysInfo) << 0 << "English" << QStringList({ "English", "Chinese" }) << "Language Mode: ";
        QTest::newRow("no display key") << QByteArray("[SysInfo]\r\nLanguage=English|Chinese\r\n") << 1 << "Chinese"
                                        << QString::fromUtf8("中文|英文").split('|') << QString::fromUtf8("语言: ");
    }

    void languageDialog()
    {
        QFETCH(QByteArray, sysInfo);
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(QStringList, display);
        QFETCH(QString, label);
        writeFile(folder() + "SysInfo.Ini", sysInfo);
        DataModule data(folder());
        data.LoadSettingsAndTexts();
        data.All.LanguageIndex = index;
        data.All.LanguageName = name;
        TfSetLanguage dialog(data.All);
        dialog.show();
        QStringList shown;
        for (int i = 0; i < dialog.cbLanguage->count(); ++i)
            shown << dialog.cbLanguage->itemText(i);
        QCOMPARE(shown, display);
        QCOMPARE(dialog.cbLanguage->currentIndex(), index);
        QCOMPARE(dialog.lbName->text(), label);
        QCOMPARE(dialog.Language->count(), 2);
        // The entry already chosen changes nothing.
        dialog.btnOk->click();
        QVERIFY(!dialog.LanguageChanged);
        QCOMPARE(data.All.LanguageName, name);
    }

    // ---- shipped language files ----

    void shippedLanguageFiles_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("encoding");
        QTest::newRow("English") << "English" << int(IniFile::Encoding::Utf8);
        QTest::newRow("Chinese") << "Chinese" << int(IniFile::Encoding::Gb18030);
    }

    void shippedLanguageFiles()
    {
        QFETCH(QString, language);
        QFETCH(int, encoding);
        const IniFile ini(QStringLiteral(LANG_DIR) + language + ".Ini");
        QVERIFY(ini.exists());
        QCOMPARE(int(ini.encoding()), encoding);
        for (const char *key :
            { "Confirmation", "ExitProgram", "SaveProgram", "Channel", "Info", "OutRange", "Caution", "Close", "Open",
                "ComError", "ModError", "ClearData", "Modforce", "ErrRange", "ReadOk", "WriteOk", "LPortError" })
            QVERIFY2(ini.value("Language", key), key);
        for (const char *form : { "fMainFrm", "fOptFun", "fKeyFun", "fVoxFun", "fInfoMsg", "fPassWord", "fChInfo",
                 "fBInfoEdit", "fToneOption", "fSetPort", "fModel", "fReadRadio", "fWriteRadio", "fTestFrequency",
                 "fEmbeddedMessage", "fSetLanguage", "fFrmAbout" })
            QVERIFY2(ini.value(form, QString(form) + ".Caption"), form);
        if (language == "English") {
            TLanguage defaults;
            TLanguage loaded;
            loaded.LoadTexts(LANG_DIR, language);
            QCOMPARE(loaded.ExitProgram, defaults.ExitProgram);
            QCOMPARE(loaded.Info, defaults.Info);
            QCOMPARE(loaded.LPortError, defaults.LPortError);
        }
    }

    // Switching to Chinese changes every text of the main window and its
    // dialogs; switching back to English gives the design texts again.
    void shippedFilesTranslateEveryText()
    {
        QTemporaryDir dir;
        const QString f = dir.path() + '/';
        for (const char *n : { "English.Ini", "Chinese.Ini" })
            QVERIFY(QFile::copy(QStringLiteral(LANG_DIR) + n, f + n));
        writeFile(f + "SysInfo.Ini", "[SysInfo]\r\nLanguage=English|Chinese\r\n");
        DataModule data(f);
        data.LoadSettingsAndTexts();
        ScriptedPrompter prompter;
        TfMainFrm main(data, &prompter);
        main.MakeEditor = [](int, EditorHost &, QWidget *) { return nullptr; };
        main.show();
        TfModel model(data.All);
        TfSetLanguage language(data.All);
        const QList<QWidget *> forms { &main, &model, &language };

        auto texts = [&] {
            QMap<QString, QString> out;
            for (QWidget *form : forms) {
                const QString p = form->objectName() + '/';
                for (QAction *a : form->findChildren<QAction *>())
                    if (!a->objectName().isEmpty() && !a->isSeparator())
                        out[p + a->objectName()] = a->text() + '|' + a->statusTip();
                for (QAbstractButton *b : form->findChildren<QAbstractButton *>())
                    if (!b->objectName().isEmpty())
                        out[p + b->objectName()] = b->text() + '|' + b->toolTip();
                for (QLabel *l : form->findChildren<QLabel *>())
                    if (!l->objectName().isEmpty())
                        out[p + l->objectName()] = l->text();
            }
            QTreeWidgetItemIterator it(main.cxTL5960);
            for (int i = 0; *it; ++it, ++i)
                out[QString("tree/%1").arg(i)] = (*it)->text(0);
            return out;
        };
        auto translate = [&](int index, const QString &name) {
            data.All.LanguageIndex = index;
            data.All.LanguageName = name;
            for (QWidget *form : forms)
                TranslateForm(form, f, name, true);
            main.RefreshTreeTexts();
        };
        const auto design = texts();
        translate(1, "Chinese");
        const auto chinese = texts();
        for (auto it = design.cbegin(); it != design.cend(); ++it) {
            // Only the product name and the tree's hide button stay as they are.
            if (it.value() == "TL-5960s" || it.key().endsWith("TreeHide") || it.key().contains("/qt_"))
                continue;
            QVERIFY2(chinese.value(it.key()) != it.value(), qPrintable(it.key() + " = " + it.value()));
        }
        translate(0, "English");
        QCOMPARE(texts(), design);
    }

    // ---- about and help ----

    void aboutBox_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("line1");
        QTest::addColumn<QString>("memo");
        QTest::newRow("first language, translated too") << 0 << "English"
                                                        << "Line one"
                                                        << "A\nB\n\nC";
        QTest::newRow("chinese") << 1 << "Chinese" << QString::fromUtf8("第一行") << QString::fromUtf8("甲\n乙\n\n丙");
        QTest::newRow("no file") << 1 << "Klingon"
                                 << "1"
                                 << "7\n8\n\n9";
    }

    void aboutBox()
    {
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(QString, line1);
        QFETCH(QString, memo);
        DataModule data(folder());
        data.All.LanguageIndex = index;
        data.All.LanguageName = name;
        TfFrmAbout about(data.All);
        about.show();
        QCOMPARE(about.windowTitle(), QString("TL-5960s"));
        QCOMPARE(about.Label1->text(), line1);
        QCOMPARE(about.Label2->text(), QString("2"));
        QCOMPARE(about.Memo1->toPlainText(), memo);
        QVERIFY(about.isVisible());
        QTest::mouseClick(about.Label3, Qt::LeftButton);
        QVERIFY(!about.isVisible());
    }

    void help_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("viewer");
        QTest::addColumn<QString>("opened");
        QTest::newRow("compiled help with viewer")
            << QStringList({ "TL_English.chm", "TL_English.html" }) << true << "TL_English.chm";
        QTest::newRow("no viewer") << QStringList({ "TL_English.chm", "TL_English.html" }) << false
                                   << "TL_English.html";
        QTest::newRow("only html") << QStringList({ "TL_English.html" }) << true << "TL_English.html";
        QTest::newRow("none") << QStringList() << true << "";
    }

    void help()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, viewer);
        QFETCH(QString, opened);
        QTemporaryDir dir;
        for (const QString &f : files)
            writeFile(dir.path() + '/' + f, "x");
        writeFile(dir.path() + "/SysInfo.Ini", "[SysInfo]\r\nHelp=TL\r\nLanguage=English|Chinese\r\n");
        DataModule data(dir.path() + '/');
        data.LoadSettingsAndTexts();
        ScriptedPrompter prompter;
        TfMainFrm main(data, &prompter);
        main.MakeEditor = [](int, EditorHost &, QWidget *) { return nullptr; };
        QStringList urls;
        main.OpenUrl = [&](const QUrl &u) {
            urls << u.toLocalFile();
            return true;
        };
        main.CompiledHelpViewer = [=] { return viewer; };
        main.findChild<QToolButton *>("tbHelp")->click();
        QCOMPARE(urls, opened.isEmpty() ? QStringList() : QStringList({ dir.path() + '/' + opened }));
        QCOMPARE(prompter.shown.size(), opened.isEmpty() ? 1 : 0);
    }
};

QTEST_MAIN(TestShell)
#include "test_shell.moc"
