#pragma once
// What the editor windows need from the main window, as a small interface so
// that the windows can be tested without it.

class DataModule;
class TPrompter;
class QWidget;

class EditorHost
{
public:
    virtual ~EditorHost();
    virtual DataModule &Data() = 0;
    virtual TPrompter &Prompter() = 0;
    // 0: the channel edit form changed a channel, redisplay the grid row of CurrentChannel;
    // 1: the whole image was replaced; 2: the grid changed a cell, reload the edit form.
    virtual void NotifyImageChanged(int mode) = 0;
    // Selects the tree item of CurrentChannel; mode 2 also reloads the edit form.
    virtual void SelectChannelNode(int mode) = 0;
    // An editor window is being destroyed: forget the reference to it.
    virtual void EditorDestroyed(QWidget *editor) = 0;
    // The open editor window of a command tag (10 to 16), or nullptr.
    virtual QWidget *FindEditor(int tag) = 0;
};
