// TranslateForm against small language files: every kind of control, the
// combo and list tags, missing keys, empty values and a GBK file.

#include "i18n/TranslateForm.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{

template <class T> T *add(QWidget *parent, const char *name, int tag = 0)
{
    auto *w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    if (tag)
        w->setProperty(Tag::Property, tag);
    return w;
}

QComboBox *combo(QWidget *parent, const char *name, int tag, const QStringList &items, int selected)
{
    auto *c = add<QComboBox>(parent, name, tag);
    c->addItems(items);
    c->setCurrentIndex(selected);
    return c;
}

QListWidget *list(QWidget *parent, const char *name, int tag, const QStringList &items)
{
    auto *l = add<QListWidget>(parent, name, tag);
    l->addItems(items);
    return l;
}

QTableWidget *table(QWidget *parent, const char *name, int tag)
{
    auto *t = add<QTableWidget>(parent, name, tag);
    t->setColumnCount(3);
    t->setHorizontalHeaderLabels({ "RX", "TX", "Tone" });
    return t;
}

// A window with one control of every kind, all with design texts "d...".
struct Form : QWidget {
    QMenu *menu;
    QMdiArea *mdi;
    QWidget *child;
    Form()
    {
        setObjectName("fTest");
        setWindowTitle("dTitle");
        add<QLabel>(this, "L1")->setText("dLabel");
        add<QLabel>(this, "LMissing")->setText("dMissing");
        add<QLabel>(this, "LEmpty")->setText("dEmpty");
        auto *bar = add<QMenuBar>(this, "mm");
        menu = bar->addMenu("dFile");
        menu->setObjectName("nFile");
        menu->menuAction()->setObjectName("nFile");
        QAction *item = menu->addAction("dNew");
        item->setObjectName("N1");
        item->setStatusTip("dNewHint");
        add<QPushButton>(this, "btnOk")->setText("dOk");
        auto *tb = add<QToolButton>(this, "tbNew");
        tb->setText("dTb");
        tb->setToolTip("dTbHint");
        add<QCheckBox>(this, "chA")->setText("dCheck");
        add<QRadioButton>(this, "rbA")->setText("dRadio");
        add<QGroupBox>(this, "gbA")->setTitle("dGroup");
        auto *tabs = add<QTabWidget>(this, "pc");
        auto *page = new QWidget;
        page->setObjectName("tsA");
        tabs->addTab(page, "dPage");
        combo(this, "cbAll", 0, { "dOff", "d1", "d2" }, 2);
        combo(this, "cbFirst", Tag::FirstEntryOnly, { "dOff", "d1", "d2" }, 1);
        combo(this, "cbNone", Tag::NoEntries, { "d0", "d1" }, 1);
        list(this, "lbAll", 0, { "dA", "dB" });
        list(this, "lbNone", Tag::NoEntries, { "dA", "dB" });
        table(this, "gvA", 0);
        table(this, "gvNone", Tag::NoEntries);
        // An editor window inside the MDI area is its own form.
        mdi = add<QMdiArea>(this, "mdi");
        child = new QWidget;
        child->setObjectName("fChild");
        add<QLabel>(child, "L1")->setText("dChildLabel");
        mdi->addSubWindow(child);
    }
};

QString textOf(QWidget *form, const QString &name, const QString &what)
{
    if (name == form->objectName())
        return form->windowTitle();
    if (what == "entries") {
        QStringList out;
        if (auto *c = form->findChild<QComboBox *>(name)) {
            for (int i = 0; i < c->count(); ++i)
                out << c->itemText(i);
            return out.join('|') + '@' + QString::number(c->currentIndex());
        }
        auto *l = form->findChild<QListWidget *>(name);
        for (int i = 0; i < l->count(); ++i)
            out << l->item(i)->text();
        return out.join('|');
    }
    if (what == "header") {
        auto *t = form->findChild<QTableWidget *>(name);
        QStringList out;
        for (int c = 0; c < t->columnCount(); ++c)
            out << t->model()->headerData(c, Qt::Horizontal).toString();
        return out.join('|');
    }
    if (auto *a = form->findChild<QAction *>(name))
        return what == "hint" ? a->statusTip() + '/' + a->toolTip() : a->text();
    if (auto *t = form->findChild<QToolButton *>(name))
        return what == "hint" ? t->toolTip() : t->text();
    if (auto *l = form->findChild<QLabel *>(name))
        return l->text();
    if (auto *b = form->findChild<QAbstractButton *>(name))
        return b->text();
    if (auto *g = form->findChild<QGroupBox *>(name))
        return g->title();
    if (auto *p = form->findChild<QWidget *>(name)) {
        auto *tabs = form->findChild<QTabWidget *>();
        return tabs->tabText(tabs->indexOf(p));
    }
    return "?";
}

const char *const EnglishFile = "[Language]\r\n"
                                "ReadOk=Done\r\n"
                                "[FTEST]\r\n" // section and keys match without regard to case
                                "ftest.caption=Title\r\n"
                                "L1.Caption=Label\r\n"
                                "LEmpty.Caption=\r\n"
                                "nFile.Caption=&File\r\n"
                                "nFile.Hint=File menu\r\n"
                                "N1.Caption=&New\r\n"
                                "N1.Hint=New file\r\n"
                                "btnOk.Caption=\"&Ok \"\r\n"
                                "tbNew.Caption=New\r\n"
                                "tbNew.Hint=New\r\n"
                                "chA.Caption=Check\r\n"
                                "rbA.Caption=Radio\r\n"
                                "gbA.Caption=Group\r\n"
                                "tsA.Caption=Page\r\n"
                                "cbAll.0=Off\r\ncbAll.1=One\r\ncbAll.2=Two\r\n"
                                "cbFirst.0=Off\r\ncbFirst.1=One\r\ncbFirst.2=Two\r\n"
                                "cbNone.0=Zero\r\ncbNone.1=One\r\n"
                                "lbAll.0=A\r\nlbAll.1=\r\n"
                                "lbNone.0=A\r\nlbNone.1=B\r\n"
                                "gvA.0=Title\r\ngvA.1=RX Frequency\r\ngvA.3=QT/DQT\r\n"
                                "gvNone.1=RX Frequency\r\n"
                                "[fChild]\r\nL1.Caption=Child\r\n";

} // namespace

class TestTranslate : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString folder() const { return m_dir.path() + '/'; }

    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile f(folder() + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        writeFile("English.Ini", EnglishFile);
    }

    void controls_data()
    {
        QTest::addColumn<bool>("includeCombos");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("expected");
        auto row = [](bool combos, const char *name, const char *what, const char *expected) {
            QTest::addRow("%s %s %s", combos ? "with" : "without", name, what)
                << combos << QString(name) << QString(what) << QString::fromUtf8(expected);
        };
        for (bool c : { true, false }) {
            row(c, "fTest", "caption", "Title");
            row(c, "L1", "caption", "Label");
            row(c, "LMissing", "caption", "dMissing");
            row(c, "LEmpty", "caption", "");
            row(c, "nFile", "caption", "&File");
            row(c, "nFile", "hint", "File menu/File menu");
            row(c, "N1", "caption", "&New");
            row(c, "N1", "hint", "New file/New file");
            row(c, "btnOk", "caption", "&Ok ");
            row(c, "tbNew", "caption", "New");
            row(c, "tbNew", "hint", "New");
            row(c, "chA", "caption", "Check");
            row(c, "rbA", "caption", "Radio");
            row(c, "gbA", "caption", "Group");
            row(c, "tsA", "caption", "Page");
            row(c, "cbNone", "entries", "d0|d1@1");
            row(c, "lbAll", "entries", "A|");
            row(c, "lbNone", "entries", "dA|dB");
            // Column 0 answers to key 1, column 2 to key 3; key 0 is the title column.
            row(c, "gvA", "header", "RX Frequency|TX|QT/DQT");
            row(c, "gvNone", "header", "RX|TX|Tone");
        }
        row(true, "cbAll", "entries", "Off|One|Two@2");
        row(true, "cbFirst", "entries", "Off|d1|d2@1");
        row(false, "cbAll", "entries", "dOff|d1|d2@2");
        row(false, "cbFirst", "entries", "dOff|d1|d2@1");
    }

    void controls()
    {
        QFETCH(bool, includeCombos);
        QFETCH(QString, name);
        QFETCH(QString, what);
        QFETCH(QString, expected);
        Form form;
        TranslateForm(&form, folder(), "English", includeCombos);
        QCOMPARE(textOf(&form, name, what), expected);
        // The window inside the MDI area keeps its own texts.
        QCOMPARE(form.child->findChild<QLabel *>("L1")->text(), QString("dChildLabel"));
    }

    void missingFileKeepsDesignTexts()
    {
        Form form;
        TranslateForm(&form, folder(), "Klingon", true);
        QCOMPARE(form.windowTitle(), QString("dTitle"));
        QCOMPARE(textOf(&form, "LEmpty", "caption"), QString("dEmpty"));
        QCOMPARE(textOf(&form, "cbAll", "entries"), QString("dOff|d1|d2@2"));
    }

    void translatingTwiceIsStable()
    {
        Form form;
        TranslateForm(&form, folder(), "English", true);
        TranslateForm(&form, folder(), "English", true);
        QCOMPARE(textOf(&form, "cbAll", "entries"), QString("Off|One|Two@2"));
        QCOMPARE(textOf(&form, "gvA", "header"), QString("RX Frequency|TX|QT/DQT"));
    }

    void gbkFile()
    {
        const QString caption = QString::fromUtf8("信道信息");
        const QString off = QString::fromUtf8("关");
        QStringEncoder gbk("GBK");
        QVERIFY(gbk.isValid());
        const QByteArray bytes = gbk.encode(QString("[fTest]\r\nL1.Caption=%1\r\ncbFirst.0=%2\r\n").arg(caption, off));
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString asUtf8 = utf8.decode(bytes);
        QVERIFY2(utf8.hasError(), "the fixture must not be valid UTF-8");
        writeFile("Chinese.Ini", bytes);
        Form form;
        TranslateForm(&form, folder(), "Chinese", true);
        QCOMPARE(textOf(&form, "L1", "caption"), caption);
        QCOMPARE(textOf(&form, "cbFirst", "entries"), off + "|d1|d2@1");
    }

    void comboSelectionSurvivesWithoutSignals()
    {
        // Windows reload from the image on a change signal; translation must
        // not move the selection.
        Form form;
        auto *c = form.findChild<QComboBox *>("cbAll");
        int indexChanges = 0;
        connect(c, &QComboBox::currentIndexChanged, this, [&] { ++indexChanges; });
        TranslateForm(&form, folder(), "English", true);
        QCOMPARE(indexChanges, 0);
        QCOMPARE(c->currentText(), QString("Two"));
    }
};

QTEST_MAIN(TestTranslate)
#include "test_translate.moc"
