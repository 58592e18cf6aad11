#pragma once
// The language dialog: the user picks the language of the windows and texts.

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class TALL;

// Modal "Language File Setup" dialog. Ok with another entry sets
// LanguageIndex and LanguageName of the working state and LanguageChanged.
class TfSetLanguage : public QDialog
{
    Q_OBJECT
public:
    explicit TfSetLanguage(TALL &all, QWidget *parent = nullptr);

    bool LanguageChanged = false;

    void FormShow();
    void btnOkClick();

    QLabel *lbName;
    QComboBox *cbLanguage;
    QListWidget *Language; // the language file names, never shown
    QPushButton *btnOk, *btnCancel;

protected:
    void showEvent(QShowEvent *event) override;

private:
    TALL &m_all;
};
