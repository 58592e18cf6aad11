#include "app/MainFrm.h"
#include "app/DataModule.h"
#include "app/EditorFactories.h"
#include "app/EditorWindow.h"
#include "app/FrmAbout.h"
#include "app/Help.h"
#include "app/MessagePrompter.h"
#include "app/Print.h"
#include "app/StartupPort.h"
#include "i18n/SetLanguage.h"
#include "i18n/Settings.h"
#include "i18n/TranslateForm.h"
#include "image/DataFile.h"
#include "image/Defaults.h"
#include "models/Model.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

// Qt resources live in the GUI library, which is static: register them once.
static void initShellResources()
{
    Q_INIT_RESOURCE(tl5960s);
}

namespace
{

constexpr int StateRole = Qt::UserRole; // a tree item's state index = its command tag

struct MenuEntry {
    const char *name; // nullptr: separator
    const char *caption;
    const char *shortcut;
    int tag;
    bool visible;
    const char *hint;
};

struct MenuDef {
    const char *name;
    const char *caption;
    bool visible;
    std::initializer_list<MenuEntry> items;
};

const MenuEntry Sep { nullptr, nullptr, nullptr, 0, true, nullptr };

const MenuDef Menus[] = {
    { "nFile", "&File", true,
        { { "N1", "&New", "Ctrl+N", Cmd::New, true, nullptr }, { "O1", "&Open", "Ctrl+O", Cmd::Open, true, nullptr },
            { "S2", "&Save", "Ctrl+S", Cmd::Save, true, nullptr },
            { "A1", "Save &As", "Ctrl+A", Cmd::SaveAs, true, nullptr }, Sep,
            { "P2", "&Print", "Ctrl+P", Cmd::Print, true, nullptr },
            { "V2", "Print Pre&view", "Ctrl+V", Cmd::Preview, true, nullptr }, Sep,
            { "nExit", "&Exit", "Ctrl+X", Cmd::Exit, true, nullptr } } },
    { "nEdit", "&Edit", true,
        { { "nChInfo", "C&hannel Information", nullptr, Cmd::ChannelInfo, true, "Channel Information" },
            { "nChEdit", "&Channel Edit", nullptr, Cmd::ChannelEdit, true, nullptr }, Sep,
            { "nKey", "&Key Function", nullptr, Cmd::KeyFunction, true, "Key Function" },
            { "nVox", "&Vox Function", nullptr, Cmd::VoxFunction, true, "Vox Function" },
            { "nOpt", "&Optional Function", nullptr, Cmd::OptionalFunction, true, "Optional Function" },
            { "nInfo", "Radio &Information", nullptr, Cmd::RadioInfo, true, "Radio Information" },
            { "D5", nullptr, nullptr, 0, false, nullptr },
            { "P0", "&Pass Word", nullptr, Cmd::PassWord, false, nullptr },
            { "E10", "&Test Frequency", nullptr, Cmd::TestFrequency, false, nullptr },
            { "E11", "Embedded &Message", nullptr, Cmd::EmbeddedMessage, false, nullptr } } },
    { "nProgram", "&Program", true,
        { { "R1", "&Read From Radio", "Ctrl+R", Cmd::Read, true, nullptr },
            { "W2", "&Write To Radio", "Ctrl+W", Cmd::Write, true, nullptr }, Sep,
            { "T1", "&Test Online", nullptr, Cmd::TestOnline, false, nullptr } } },
    { "nSetup", "&Setup", true,
        { { "N4", "&Model Information", nullptr, Cmd::Model, true, nullptr }, Sep,
            { "C2", "&Communication Port", nullptr, Cmd::Port, true, nullptr },
            { "nLanguage", "Language File Setup", nullptr, Cmd::Language, true, nullptr } } },
    { "nView", "&View", true,
        { { "T4", "Tree &View", nullptr, Cmd::TreeView, true, nullptr }, Sep,
            { "nCool", "&Toolbar", nullptr, Cmd::ToolBar, true, nullptr },
            { "nBar", "&Status bar", nullptr, Cmd::StatusBar, true, nullptr } } },
    { "nWindow", "&Window", false,
        { { "nC", "&Cascade", nullptr, Cmd::Cascade, true, nullptr },
            { "nH", "Tile Windows &Horizontally", nullptr, Cmd::TileHorizontally, true, nullptr },
            { "nV", "Tile Windows &Vertically", nullptr, Cmd::TileVertically, true, nullptr },
            { "npl", "&Arrange Icons", nullptr, Cmd::ArrangeIcons, true, nullptr },
            { "nCloseAll", "Close All &Windows", nullptr, Cmd::CloseAll, true, nullptr } } },
    { "nHelp", "&Help", true,
        { { "nHelpTopics", "&Help Topics", nullptr, Cmd::HelpTopics, true, nullptr }, Sep,
            { "nAbout", "About...", nullptr, Cmd::About, true, nullptr } } },
};

// The 16 by 16 pictures of the tool bar and tree, by image index.
QIcon imageList(int index)
{
    static const char *const files[]
        = { "new", "open", "print", "save", nullptr, "write", "help", "read", "chedit", "root", "item", "itemsel" };
    if (index < 0 || index >= int(std::size(files)) || !files[index])
        return QIcon();
    return QIcon(QStringLiteral(":/images/%1.svg").arg(QLatin1String(files[index])));
}

// The tree shows picture 11 for the selected item and 10 otherwise.
QIcon itemIcon()
{
    QIcon icon;
    icon.addPixmap(imageList(10).pixmap(16, 16), QIcon::Normal);
    icon.addPixmap(imageList(11).pixmap(16, 16), QIcon::Selected);
    return icon;
}

// "yyyy/MM/dd" with the system's date separator in place of "/".
QString dateText(const QDate &date)
{
    QChar separator = QLatin1Char('/');
    for (const QChar c : QLocale::system().dateFormat(QLocale::ShortFormat))
        if (c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char('.')) {
            separator = c;
            break;
        }
    return date.toString(QStringLiteral("yyyy/MM/dd")).replace(QLatin1Char('/'), separator);
}

EditorWindow *asEditor(QWidget *w)
{
    return w ? dynamic_cast<EditorWindow *>(w) : nullptr;
}

} // namespace

TfMainFrm::TfMainFrm(DataModule &data, TPrompter *prompter, QWidget *parent)
    : QMainWindow(parent)
    , m_data(data)
    , m_prompter(prompter)
{
    initShellResources();
    if (!m_prompter) {
        m_ownPrompter = std::make_unique<TMessageBoxPrompter>(this);
        m_prompter = m_ownPrompter.get();
    }
    setObjectName("fMainFrm");
    setWindowTitle("TL5960");
    resize(893, 612);

    buildMenus();

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    topBar = new QWidget(central);
    topBar->setFixedHeight(29);
    auto *topLayout = new QHBoxLayout(topBar);
    topLayout->setContentsMargins(0, 0, 0, 0);
    pBar = new QWidget(topBar);
    pBar->setObjectName("pBar");
    pBar->setMinimumWidth(251);
    cbCom = new QComboBox(topBar);
    cbCom->setObjectName("cbCom");
    cbCom->setProperty(Tag::Property, Tag::NoEntries); // port names are data
    cbCom->hide();
    topLayout->addWidget(pBar);
    topLayout->addWidget(cbCom);
    topLayout->addStretch();
    buildToolBar();
    layout->addWidget(topBar);

    Splitter1 = new QSplitter(Qt::Horizontal, central);
    Splitter1->setObjectName("Splitter1");
    Splitter1->setChildrenCollapsible(false);
    buildTree();
    Mdi = new QMdiArea(Splitter1);
    Mdi->setObjectName("Mdi");
    Splitter1->addWidget(pTree);
    Splitter1->addWidget(Mdi);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({ 185, 700 });
    layout->addWidget(Splitter1, 1);
    setCentralWidget(central);

    buildStatusBar();

    // Hidden design labels whose captions a language file translates.
    lCom = new QLabel("Port: ", this);
    lCom->setObjectName("lCom");
    lCom->hide();
    Label5 = new QLabel("No. - ", this);
    Label5->setObjectName("Label5");
    Label5->hide();

    Timer = new QTimer(this);
    Timer->setObjectName("Timer");
    Timer->setInterval(1000);
    connect(Timer, &QTimer::timeout, this, &TfMainFrm::timerTick);
    Timer->start();
}

TfMainFrm::~TfMainFrm()
{
    // Editor windows call back into the host while they are destroyed.
    m_editors.clear();
    const auto subs = Mdi->subWindowList();
    for (QMdiSubWindow *sub : subs)
        delete sub;
}

void TfMainFrm::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName("MainMenu");
    for (const MenuDef &def : Menus) {
        QMenu *menu = bar->addMenu(QString::fromLatin1(def.caption));
        menu->setObjectName(QString::fromLatin1(def.name));
        menu->menuAction()->setObjectName(QString::fromLatin1(def.name));
        menu->menuAction()->setVisible(def.visible);
        for (const MenuEntry &e : def.items) {
            if (!e.caption) {
                QAction *sep = menu->addSeparator();
                if (e.name)
                    sep->setObjectName(QString::fromLatin1(e.name));
                sep->setVisible(e.visible);
                continue;
            }
            QAction *a = menu->addAction(QString::fromLatin1(e.caption));
            a->setObjectName(QString::fromLatin1(e.name));
            a->setProperty(Tag::Property, e.tag);
            a->setVisible(e.visible);
            if (e.shortcut)
                a->setShortcut(QKeySequence(QString::fromLatin1(e.shortcut)));
            // The hint is the caption without its accelerator, unless given.
            QString hint = e.hint ? QString::fromLatin1(e.hint) : a->text().remove(QLatin1Char('&'));
            if (hint.endsWith(QLatin1String("...")))
                hint.chop(3);
            a->setStatusTip(hint);
            a->setToolTip(hint);
            const int tag = e.tag;
            if (tag == Cmd::ToolBar || tag == Cmd::StatusBar) {
                a->setCheckable(true);
                a->setChecked(true);
                // The dispatcher does the toggling, so undo Qt's own first.
                connect(a, &QAction::triggered, this, [this, a, tag] {
                    a->setChecked(!a->isChecked());
                    RunCommand(tag);
                });
            } else {
                connect(a, &QAction::triggered, this, [this, tag] { RunCommand(tag); });
            }
        }
    }
}

void TfMainFrm::buildToolBar()
{
    auto *barLayout = new QHBoxLayout(pBar);
    barLayout->setContentsMargins(0, 0, 0, 0);
    tbar = new QToolBar(pBar);
    tbar->setObjectName("tbar");
    tbar->setIconSize(QSize(16, 16));
    tbar->setMovable(false);
    tbar->setFloatable(false);
    barLayout->addWidget(tbar);

    struct Button {
        const char *name; // nullptr: divider
        int image;
        const char *hint;
        int tag;
        bool visible;
    };
    const Button buttons[] = {
        { "tbNew", 0, "New", Cmd::New, true },
        { "tbOpen", 1, "Open", Cmd::Open, true },
        { "tbSave", 3, "Save", Cmd::Save, true },
        { nullptr, 0, nullptr, 0, true },
        { "ToolButton3", 8, "Channel Edit", Cmd::ChannelEdit, false },
        { nullptr, 0, nullptr, 0, false },
        { "tbPrint", 2, "Print", Cmd::Print, true },
        { nullptr, 0, nullptr, 0, true },
        { "tbRead", 7, "Read", Cmd::Read, true },
        { nullptr, 0, nullptr, 0, true },
        { "tbWrite", 5, "Write", Cmd::Write, true },
        { nullptr, 0, nullptr, 0, true },
        { "tbHelp", 6, "Help", Cmd::HelpTopics, true },
    };
    for (const Button &b : buttons) {
        if (!b.name) {
            tbar->addSeparator()->setVisible(b.visible);
            continue;
        }
        auto *button = new QToolButton(tbar);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setProperty(Tag::Property, b.tag);
        button->setIcon(imageList(b.image));
        button->setText(QString::fromLatin1(b.hint));
        button->setToolTip(QString::fromLatin1(b.hint));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setAutoRaise(true);
        button->setFixedWidth(25);
        const int tag = b.tag;
        connect(button, &QToolButton::clicked, this, [this, tag] { RunCommand(tag); });
        // A widget in a tool bar is hidden through its tool bar action.
        tbar->addWidget(button)->setVisible(b.visible);
    }
}

void TfMainFrm::buildTree()
{
    pTree = new QWidget(Splitter1);
    pTree->setObjectName("pTree");
    pTree->setMinimumWidth(80);
    auto *layout = new QVBoxLayout(pTree);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *strip = new QHBoxLayout;
    strip->setContentsMargins(0, 0, 0, 0);
    strip->addStretch();
    TreeHide = new QToolButton(pTree);
    TreeHide->setObjectName("TreeHide");
    TreeHide->setText("X");
    TreeHide->setToolTip("Hide the tree");
    TreeHide->setAutoRaise(true);
    TreeHide->setFixedSize(14, 12);
    QFont small = TreeHide->font();
    small.setPixelSize(9);
    TreeHide->setFont(small);
    connect(TreeHide, &QToolButton::clicked, pTree, &QWidget::hide);
    strip->addWidget(TreeHide);
    layout->addLayout(strip);

    cxTL5960 = new QTreeWidget(pTree);
    cxTL5960->setObjectName("cxTL5960");
    cxTL5960->setHeaderHidden(true);
    cxTL5960->setColumnCount(1);
    cxTL5960->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cxTL5960->setIconSize(QSize(16, 16));
    // Long translated texts scroll instead of being cut off.
    cxTL5960->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    cxTL5960->header()->setStretchLastSection(false);
    // A double click runs the item's command; it must not fold the branch too.
    cxTL5960->setExpandsOnDoubleClick(false);
    layout->addWidget(cxTL5960, 1);

    auto makeItem = [](QTreeWidgetItem *parent, const QString &text, int state, const QIcon &icon) {
        auto *item = new QTreeWidgetItem(parent, { text });
        item->setData(0, StateRole, state);
        item->setIcon(0, icon);
        return item;
    };
    m_root = new QTreeWidgetItem(cxTL5960, { QStringLiteral("TL5960") });
    m_root->setData(0, StateRole, -1);
    m_root->setIcon(0, imageList(9));
    const QIcon icon = itemIcon();
    m_items[0] = makeItem(m_root, "Radio Information", Cmd::RadioInfo, icon);
    m_items[1] = makeItem(m_root, "Channel Information", Cmd::ChannelInfo, icon);
    for (int n = 1; n <= 16; ++n)
        makeItem(m_items[1], QStringLiteral("No. - %1").arg(n), Cmd::ChannelEdit, icon);
    m_items[2] = makeItem(m_root, "Key Function", Cmd::KeyFunction, icon);
    m_items[3] = makeItem(m_root, "Vox Function", Cmd::VoxFunction, icon);
    m_items[4] = makeItem(m_root, "Optional Function", Cmd::OptionalFunction, icon);

    connect(cxTL5960, &QTreeWidget::itemDoubleClicked, this,
        [this](QTreeWidgetItem *item, int) { TreeDoubleClicked(item); });
}

void TfMainFrm::buildStatusBar()
{
    MainBar = new QStatusBar(this);
    MainBar->setObjectName("MainBar");
    MainBar->setSizeGripEnabled(true);
    const int widths[7] = { 50, 80, 120, 120, 120, 120, 100 };
    for (int i = 0; i < 7; ++i) {
        m_panels[i] = new QLabel(MainBar);
        m_panels[i]->setFixedWidth(widths[i]);
        m_panels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        MainBar->addWidget(m_panels[i]);
    }
    m_panels[4]->setText("TL5960");
    m_panels[5]->setText("TL5960");
    setStatusBar(MainBar);
}

QAction *TfMainFrm::action(const QString &name) const
{
    return findChild<QAction *>(name);
}

QTreeWidgetItem *TfMainFrm::ChannelItem(int n) const
{
    return n >= 1 && n <= m_items[1]->childCount() ? m_items[1]->child(n - 1) : nullptr;
}

bool TfMainFrm::event(QEvent *event)
{
    // Menu hints would replace the status panels while the pointer is on a menu.
    if (event->type() == QEvent::StatusTip)
        return true;
    return QMainWindow::event(event);
}

void TfMainFrm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    FormShow();
}

void TfMainFrm::FormShow()
{
    if (m_shown)
        return;
    m_shown = true;
    TALL &all = m_data.All;
    m_imBack = QPixmap(QStringLiteral(":/images/pic.svg"));
    if (!m_imBack.isNull())
        Mdi->setBackground(QBrush(m_imBack));
    action("T1")->setVisible(all.TestOnlineVisible);
    m_data.BindStartModel();
    LoadDefaults(all);
    SettlePortAtStartup(all, *cbCom);
    CurrentFileName.clear();
    if (all.LanguageIndex > 0)
        TranslateForm(this, all.AppFolder, all.LanguageName, true);
    RefreshTreeTexts();
    setWindowTitle(all.ProductName);
    RefreshStatus();
    ShowChannelInformation();
    all.Modified = false;
    cxTL5960->expandAll();
    cxTL5960->setCurrentItem(m_root);
}

void TfMainFrm::RefreshStatus()
{
    const TALL &all = m_data.All;
    m_panels[0]->clear();
    m_panels[1]->setText(dateText(QDate::currentDate()));
    timerTick();
    m_panels[3]->setText(lCom->text() + all.PortName);
    m_panels[4]->setText(all.ModelName);
    m_panels[5]->setText(all.BandText);
    setWindowTitle(CurrentFileName.isEmpty()
            ? all.ProductName
            : all.ProductName + QStringLiteral(" [") + CurrentFileName + QLatin1Char(']'));
}

void TfMainFrm::timerTick()
{
    m_panels[2]->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
}

void TfMainFrm::RefreshTreeTexts()
{
    m_root->setText(0, m_data.All.ProductName);
    const char *const sources[5] = { "nInfo", "nChInfo", "nKey", "nVox", "nOpt" };
    for (int i = 0; i < 5; ++i)
        m_items[i]->setText(0, action(QString::fromLatin1(sources[i]))->statusTip());
    for (int n = 1; n <= m_items[1]->childCount(); ++n)
        ChannelItem(n)->setText(0, Label5->text() + QLatin1Char(' ') + QString::number(n));
}

void TfMainFrm::TreeDoubleClicked(QTreeWidgetItem *item)
{
    if (!item || item != cxTL5960->currentItem())
        return;
    const int state = item->data(0, StateRole).toInt();
    if (state == Cmd::ChannelEdit && item->parent())
        m_data.All.CurrentChannel = item->parent()->indexOfChild(item) + 1;
    RunCommand(state);
}

// ---- editor windows ----

QWidget *TfMainFrm::FindEditor(int tag)
{
    const auto it = m_editors.find(tag);
    return it != m_editors.end() ? it->second.data() : nullptr;
}

void TfMainFrm::EditorDestroyed(QWidget *editor)
{
    for (auto it = m_editors.begin(); it != m_editors.end();) {
        if (it->second.isNull() || it->second.data() == editor)
            it = m_editors.erase(it);
        else
            ++it;
    }
}

QMdiSubWindow *TfMainFrm::subWindowOf(QWidget *editor) const
{
    for (QWidget *w = editor; w; w = w->parentWidget())
        if (auto *sub = qobject_cast<QMdiSubWindow *>(w))
            return sub;
    return nullptr;
}

QWidget *TfMainFrm::bringUp(int tag)
{
    QWidget *editor = FindEditor(tag);
    if (!editor) {
        editor = MakeEditor ? MakeEditor(tag, *this, Mdi) : CreateEditor(tag, *this, Mdi);
        if (!editor)
            return nullptr;
        auto *sub = qobject_cast<QMdiSubWindow *>(editor);
        sub = sub ? (Mdi->addSubWindow(sub), sub) : Mdi->addSubWindow(editor);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        m_editors[tag] = editor;
        connect(editor, &QObject::destroyed, this, [this, editor] { EditorDestroyed(editor); });
    }
    if (QMdiSubWindow *sub = subWindowOf(editor)) {
        sub->show();
        if (sub->isMinimized())
            sub->showNormal();
        Mdi->setActiveSubWindow(sub);
    }
    editor->setFocus();
    return editor;
}

void TfMainFrm::ShowChannelInformation()
{
    bringUp(Cmd::ChannelInfo);
}

void TfMainFrm::CloseEditorWindows()
{
    const auto subs = Mdi->subWindowList();
    for (QMdiSubWindow *sub : subs)
        sub->close();
    // The grid goes at once so that the next ShowChannelInformation builds a new one.
    if (QWidget *grid = FindEditor(Cmd::ChannelInfo)) {
        QMdiSubWindow *sub = subWindowOf(grid);
        m_editors.erase(Cmd::ChannelInfo);
        delete (sub ? static_cast<QWidget *>(sub) : grid);
    }
    // Closed windows are on their way out; no command may find them again.
    for (auto it = m_editors.begin(); it != m_editors.end();) {
        QMdiSubWindow *sub = subWindowOf(it->second.data());
        if (!it->second || !sub || !sub->isVisible())
            it = m_editors.erase(it);
        else
            ++it;
    }
}

void TfMainFrm::NotifyImageChanged(int mode)
{
    switch (mode) {
    case 0:
        if (EditorWindow *grid = asEditor(FindEditor(Cmd::ChannelInfo)))
            grid->FillRow(m_data.All.CurrentChannel);
        break;
    case 1:
        CloseEditorWindows();
        ShowChannelInformation();
        break;
    case 2:
        if (EditorWindow *edit = asEditor(FindEditor(Cmd::ChannelEdit)))
            edit->ShowCurrentChannel();
        break;
    default: break;
    }
}

void TfMainFrm::SelectChannelNode(int mode)
{
    if (QTreeWidgetItem *item = ChannelItem(m_data.All.CurrentChannel))
        cxTL5960->setCurrentItem(item);
    if (mode == 2)
        if (EditorWindow *edit = asEditor(FindEditor(Cmd::ChannelEdit)))
            edit->ShowCurrentChannel();
}

void TfMainFrm::ImageLoadedFromRadio()
{
    CurrentFileName.clear();
    RefreshStatus();
    NotifyImageChanged(1);
}

// ---- the dispatcher ----

void TfMainFrm::RunCommand(int tag)
{
    if (EditorWindow *grid = asEditor(FindEditor(Cmd::ChannelInfo)))
        grid->EndEditing();

    switch (tag) {
    case Cmd::New: FileNew(); break;
    case Cmd::Open: FileOpen(); break;
    case Cmd::Save: FileSave(); break;
    case Cmd::SaveAs:
        CurrentFileName.clear();
        FileSave();
        break;
    case Cmd::Print: PrintConfiguration(*this, this, PrintMode::Print); break;
    case Cmd::Preview: PrintConfiguration(*this, this, PrintMode::Preview); break;
    case Cmd::Exit: close(); break;
    case Cmd::ChannelInfo: ShowChannelInformation(); break;
    case Cmd::ChannelEdit:
        if (EditorWindow *edit = asEditor(bringUp(tag)))
            edit->ShowCurrentChannel();
        break;
    case Cmd::KeyFunction:
    case Cmd::VoxFunction:
    case Cmd::OptionalFunction:
    case Cmd::RadioInfo:
    case Cmd::PassWord: bringUp(tag); break;
    case Cmd::TestFrequency:
    case Cmd::EmbeddedMessage:
    case Cmd::Write: runModal(tag); break;
    case Cmd::Read:
        if (runModal(tag))
            ImageLoadedFromRadio();
        break;
    case Cmd::TestOnline: break;
    case Cmd::Model: ChangeModel(); break;
    case Cmd::Port:
        runModal(tag);
        RefreshStatus();
        break;
    case Cmd::Language: ChangeLanguage(); break;
    case Cmd::TreeView: pTree->setVisible(!pTree->isVisible()); break;
    case Cmd::ToolBar: {
        QAction *a = action("nCool");
        a->setChecked(!a->isChecked());
        pBar->setVisible(a->isChecked());
        topBar->setVisible(a->isChecked());
        break;
    }
    case Cmd::StatusBar: {
        QAction *a = action("nBar");
        a->setChecked(!a->isChecked());
        MainBar->setVisible(a->isChecked());
        break;
    }
    case Cmd::Cascade: Mdi->cascadeSubWindows(); break;
    case Cmd::TileHorizontally:
    case Cmd::TileVertically: {
        QList<QMdiSubWindow *> open;
        for (QMdiSubWindow *sub : Mdi->subWindowList())
            if (sub->isVisible() && !sub->isMinimized())
                open << sub;
        if (open.isEmpty())
            break;
        const QRect area = Mdi->viewport()->rect();
        const int n = int(open.size());
        for (int i = 0; i < n; ++i) {
            if (tag == Cmd::TileHorizontally)
                open[i]->setGeometry(0, area.height() * i / n, area.width(), area.height() / n);
            else
                open[i]->setGeometry(area.width() * i / n, 0, area.width() / n, area.height());
        }
        break;
    }
    case Cmd::ArrangeIcons: {
        int x = 0;
        const int bottom = Mdi->viewport()->height();
        for (QMdiSubWindow *sub : Mdi->subWindowList())
            if (sub->isMinimized()) {
                sub->move(x, bottom - sub->height());
                x += sub->width();
            }
        break;
    }
    case Cmd::CloseAll: {
        const auto subs = Mdi->subWindowList(QMdiArea::CreationOrder);
        for (auto it = subs.rbegin(); it != subs.rend(); ++it)
            (*it)->close();
        break;
    }
    case Cmd::HelpTopics: openHelp(); break;
    case Cmd::About: showAbout(); break;
    default: break;
    }
}

// ---- files ----

bool TfMainFrm::runModal(int tag)
{
    return RunModal ? RunModal(tag, *this, this) : RunModalCommand(tag, *this, this);
}

int TfMainFrm::execDialog(QDialog &dialog)
{
    return ExecDialog ? ExecDialog(dialog) : dialog.exec();
}

bool TfMainFrm::querySave()
{
    TALL &all = m_data.All;
    if (!all.Modified)
        return true;
    const TLanguage &t = m_data.Texts;
    if (m_prompter->ShowPrompt(t.Confirmation, t.SaveProgram, Prompt::YesNo) != Prompt::Yes)
        return true;
    return FileSave();
}

void TfMainFrm::loadNewImage()
{
    LoadDefaults(m_data.All);
    CurrentFileName.clear();
    RefreshStatus();
    NotifyImageChanged(1);
    m_data.All.Modified = false;
}

void TfMainFrm::FileNew()
{
    if (!querySave())
        return;
    loadNewImage();
}

void TfMainFrm::showFileError(const QString &text)
{
    m_prompter->ShowPrompt(m_data.Texts.Confirmation, text, Prompt::Info);
}

QString TfMainFrm::chooseDataFile(bool forSave)
{
    if (ChooseFile)
        return ChooseFile(forSave);
    QFileDialog dialog(this);
    dialog.setObjectName(forSave ? "sdSave" : "odOpen");
    dialog.setAcceptMode(forSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (!forSave)
        dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QString::fromLatin1(DataFile::Filter));
    dialog.setDefaultSuffix("dat");
    if (!CurrentFileName.isEmpty())
        dialog.setDirectory(QFileInfo(CurrentFileName).absolutePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

void TfMainFrm::FileOpen()
{
    if (!querySave())
        return;
    const QString path = chooseDataFile(false);
    if (path.isEmpty())
        return;
    const QString previous = CurrentFileName;
    CurrentFileName = path;
    const FileResult result = ReadDataFile(m_data.All, path);
    if (result.ok()) {
        RefreshStatus();
        NotifyImageChanged(1);
        m_data.All.Modified = false;
    } else {
        // The image stays; so does the name of the file it belongs to, except
        // for a file of an unknown model, after which the image has no file.
        CurrentFileName = result.status == FileResult::UnknownModel ? QString() : previous;
        showFileError(DescribeFileResult(result, path, m_data.Texts));
    }
    RefreshStatus();
}

bool TfMainFrm::FileSave()
{
    const QString previous = CurrentFileName;
    if (CurrentFileName.isEmpty())
        CurrentFileName = chooseDataFile(true);
    bool written = false;
    if (!CurrentFileName.isEmpty()) {
        const FileResult result = WriteDataFile(m_data.All, CurrentFileName);
        written = result.ok();
        if (!written) {
            showFileError(DescribeFileResult(result, CurrentFileName, m_data.Texts));
            CurrentFileName = previous; // a file that was not written is not the image's file
        }
    }
    RefreshStatus();
    return written;
}

// ---- setup ----

void TfMainFrm::ChangeModel()
{
    TfModel dialog(m_data.All, this);
    execDialog(dialog);
    if (dialog.Confirmed)
        ApplyModelChoice(dialog.BandText());
}

void TfMainFrm::ApplyModelChoice(const QString &bandText)
{
    TALL &all = m_data.All;
    const TLanguage &t = m_data.Texts;
    if (all.Modified && m_prompter->ShowPrompt(t.Confirmation, t.ClearData, Prompt::YesNo) != Prompt::Yes)
        return;
    // The old image is saved under its own model before the new one is bound.
    if (!querySave())
        return;
    BindModel(all, m_data.Bands.CodeOf(bandText), true);
    loadNewImage();
}

void TfMainFrm::ChangeLanguage()
{
    TALL &all = m_data.All;
    TfSetLanguage dialog(all, this);
    execDialog(dialog);
    if (!dialog.LanguageChanged)
        return;
    m_data.Texts.LoadTexts(all.AppFolder, all.LanguageName);
    TranslateForm(this, all.AppFolder, all.LanguageName, true);
    RefreshStatus();
    CloseEditorWindows();
    RefreshTreeTexts();
    ShowChannelInformation();
    // The image is unchanged, so unsaved changes stay unsaved.
}

// ---- help ----

void TfMainFrm::openHelp()
{
    const TALL &all = m_data.All;
    const bool viewer = CompiledHelpViewer ? CompiledHelpViewer() : HasCompiledHelpViewer();
    const auto opener = OpenUrl ? OpenUrl : [](const QUrl &url) { return QDesktopServices::openUrl(url); };
    if (OpenHelp(all, viewer, opener).isEmpty())
        m_prompter->ShowPrompt(m_data.Texts.Confirmation,
            QStringLiteral("%1: no help file found.").arg(QDir::toNativeSeparators(HtmlHelpPath(all))), Prompt::Info);
}

void TfMainFrm::showAbout()
{
    TfFrmAbout about(m_data.All, this);
    execDialog(about);
}

// ---- closing ----

void TfMainFrm::closeEvent(QCloseEvent *event)
{
    TALL &all = m_data.All;
    const TLanguage &t = m_data.Texts;
    if (m_prompter->ShowPrompt(t.Confirmation, t.ExitProgram, Prompt::YesNo) != Prompt::Yes) {
        event->ignore();
        return;
    }
    // Changes the user asked to keep are never dropped by a failed save.
    if (!querySave()) {
        event->ignore();
        return;
    }
    QString error;
    if (!SaveSettings(all, &error))
        m_prompter->ShowPrompt(t.Confirmation, error, Prompt::Info);
    event->accept();
}
