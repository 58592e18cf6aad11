#pragma once
// The main window: menus, tool bar, navigation tree, status bar, the MDI area
// for the editor windows, and the one command dispatcher.

#include "app/EditorHost.h"

#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <functional>
#include <map>

class DataModule;
class QAction;
class QComboBox;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QSplitter;
class QStatusBar;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;
class TfModel;
class TfSetLanguage;

// Command tags of the menu items, tool buttons and tree items.
namespace Cmd
{
enum : int {
    New = 1,
    Open = 2,
    Save = 3,
    SaveAs = 4,
    Print = 5,
    Preview = 6,
    Exit = 7,
    ChannelInfo = 10,
    ChannelEdit = 11,
    KeyFunction = 12,
    VoxFunction = 13,
    OptionalFunction = 14,
    RadioInfo = 15,
    PassWord = 16,
    TestFrequency = 17,
    EmbeddedMessage = 18,
    Read = 20,
    Write = 21,
    TestOnline = 22,
    Model = 30,
    Port = 31,
    Language = 32,
    TreeView = 40,
    ToolBar = 41,
    StatusBar = 42,
    Cascade = 50,
    TileHorizontally = 51,
    TileVertically = 52,
    ArrangeIcons = 53,
    CloseAll = 54,
    HelpTopics = 60,
    About = 61
};
}

class TfMainFrm : public QMainWindow, public EditorHost
{
    Q_OBJECT
public:
    // Without a prompter the window shows message boxes.
    explicit TfMainFrm(DataModule &data, TPrompter *prompter = nullptr, QWidget *parent = nullptr);
    ~TfMainFrm() override;

    // EditorHost
    DataModule &Data() override { return m_data; }
    TPrompter &Prompter() override { return *m_prompter; }
    void NotifyImageChanged(int mode) override;
    void SelectChannelNode(int mode) override;
    void EditorDestroyed(QWidget *editor) override;
    QWidget *FindEditor(int tag) override;

    void RunCommand(int tag);
    void CloseEditorWindows();
    void ShowChannelInformation();
    void RefreshStatus();
    void RefreshTreeTexts();
    void ImageLoadedFromRadio();

    // Returns true when the image was written.
    bool FileSave();
    void FileNew();
    void FileOpen();
    void ChangeModel();
    void ChangeLanguage();
    // The model change once the dialog is confirmed with a band text.
    void ApplyModelChoice(const QString &bandText);
    // The start-up steps of the first showing; runs once.
    void FormShow();
    // The tree double-click rule for the item under the pointer (may be null).
    void TreeDoubleClicked(QTreeWidgetItem *item);

    QString CurrentFileName;

    // Seams for tests and other desktops: the file chooser (empty = cancelled),
    // the URL opener of the help command and the compiled-help viewer check.
    std::function<QString(bool forSave)> ChooseFile;
    std::function<bool(const QUrl &)> OpenUrl;
    std::function<bool()> CompiledHelpViewer;
    // Runs a modal dialog and returns its exec() result; tests answer the
    // model and language dialogs through it.
    std::function<int(QDialog &)> ExecDialog;
    // The editor windows and modal commands by tag; CreateEditor and
    // RunModalCommand unless a test puts its own in.
    std::function<QWidget *(int tag, EditorHost &host, QWidget *parent)> MakeEditor;
    std::function<bool(int tag, EditorHost &host, QWidget *parent)> RunModal;

    // Widgets by their component names.
    QMdiArea *Mdi;
    QTreeWidget *cxTL5960;
    QStatusBar *MainBar;
    QComboBox *cbCom;
    QLabel *lCom, *Label5;
    QTimer *Timer;
    QWidget *pBar, *pTree, *topBar;
    QToolBar *tbar;
    QToolButton *TreeHide;
    QSplitter *Splitter1;
    QAction *action(const QString &name) const;
    QLabel *Panel(int i) const { return m_panels[i]; }
    QTreeWidgetItem *ChannelItem(int n) const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildTree();
    void buildStatusBar();
    QWidget *bringUp(int tag);
    QMdiSubWindow *subWindowOf(QWidget *editor) const;
    // Offers to save a modified image; false when the user wanted it saved
    // and it was not, so the caller must not discard it.
    bool querySave();
    // The open or save dialog; an empty text when the user cancels.
    QString chooseDataFile(bool forSave);
    void loadNewImage();
    void openHelp();
    void showAbout();
    void showFileError(const QString &text);
    int execDialog(QDialog &dialog);
    bool runModal(int tag);
    void timerTick();

    DataModule &m_data;
    TPrompter *m_prompter;
    std::unique_ptr<TPrompter> m_ownPrompter;
    std::map<int, QPointer<QWidget>> m_editors;
    QLabel *m_panels[7] {};
    QPixmap m_imBack;
    bool m_shown = false;
    QTreeWidgetItem *m_root = nullptr;
    QTreeWidgetItem *m_items[5] {}; // Radio Information, Channel Information, Key, Vox, Optional
};
