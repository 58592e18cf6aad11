#pragma once
// The read and write dialogs: a progress bar, Ok and Cancel around a transfer.

#include "link/LinkMachine.h"

#include <QDialog>
#include <memory>

class QProgressBar;
class QPushButton;
class DataModule;
class TPrompter;

namespace Link
{
class Session;
}

// Shared by both dialogs: opens the port when shown, runs the machine on Ok,
// closes the port when it closes.
class TransferDialog : public QDialog
{
    Q_OBJECT
public:
    QProgressBar *pBar;
    QPushButton *btnOk, *btnCancel;

protected:
    TransferDialog(DataModule &dm, TPrompter &prompter, std::unique_ptr<Link::Machine> machine, const QString &name,
        const QString &caption, QWidget *parent);
    ~TransferDialog() override;
    void showEvent(QShowEvent *event) override;
    void done(int r) override;

    DataModule &m_dm;
    std::unique_ptr<Link::Machine> m_machine;
    std::unique_ptr<Link::Session> m_session;
    bool m_shown = false;
};

// "Read data From radio"; Succeeded() tells the main window whether a read completed.
class TfReadRadio : public TransferDialog
{
    Q_OBJECT
public:
    TfReadRadio(DataModule &dm, TPrompter &prompter, QWidget *parent = nullptr);
    bool Succeeded() const;
};

// "Write data to radio"; stays open after a write so the next radio can follow.
class TfWriteRadio : public TransferDialog
{
    Q_OBJECT
public:
    TfWriteRadio(DataModule &dm, TPrompter &prompter, QWidget *parent = nullptr);
};
