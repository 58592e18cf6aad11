#pragma once
// The editor window pattern shared by the option, key, VOX, radio information
// and password windows: reload under a loading guard, store every bound byte,
// one change handler, and the rows the printout takes.

#include "app/EditorWindow.h"
#include "image/OptionTable.h"

#include <QWidget>
#include <vector>

class EditorHost;
class QGridLayout;
class QLabel;
class QPushButton;

class OptionEditor : public QWidget, public EditorWindow
{
    Q_OBJECT
public:
    ~OptionEditor() override;

    bool Loading = false;
    QPushButton *btnCancel;

    // Sets Loading, translates the window, loads it from the image, clears Loading.
    void RefreshFromImage() override;
    virtual void LoadFromImage();
    // Writes every bound control's byte, then marks the image modified.
    virtual void StoreToImage();
    // The one change handler: stores unless the window is loading.
    void ComborPropertiesChange();

    // The control of a component name, for tests and the printout.
    QWidget *Control(const char *name) const;

protected:
    OptionEditor(EditorHost &host, const char *formName, const QString &caption, QWidget *parent);
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

    // Adds the label and control of one table entry at the grid cell; hidden
    // entries are built too, since they are loaded, stored and translated alike.
    QWidget *addControl(const OptionControl &c, QGridLayout *grid, int row, int column);
    // The table's controls of this window, bound or not.
    std::vector<const OptionControl *> tableControls() const;
    // "Opened" or "Closed" in the current language.
    QString onOffText(bool on) const;
    void closeWindow();

    EditorHost &m_host;
    bool m_placed = false;
    std::vector<std::pair<const OptionControl *, QWidget *>> m_controls;
};
