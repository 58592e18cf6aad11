#pragma once
// Two dialogs that hold no radio data: test frequencies and an embedded message.

#include <QDialog>

class DataModule;
class TPrompter;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

// "Test Frequency": receive and transmit test frequencies per channel,
// checked against the model and band but stored nowhere.
class TfTestFrequency : public QDialog
{
    Q_OBJECT
public:
    TfTestFrequency(DataModule &dm, TPrompter &prompter, QWidget *parent = nullptr);

    QTableWidget *gvData;
    QLabel *Label1;
    QPushButton *btnOk, *btnCancel;
    bool Edited = false;

protected:
    void showEvent(QShowEvent *event) override;
    void done(int r) override;

private:
    void gvDataSetForeText(QTableWidgetItem *item);

    DataModule &m_dm;
    TPrompter &m_prompter;
    bool m_setting = false;
};

// "Embedded Message": two lines of letters, digits and blanks, stored nowhere.
class TfEmbeddedMessage : public QDialog
{
    Q_OBJECT
public:
    TfEmbeddedMessage(DataModule &dm, QWidget *parent = nullptr);

    QLineEdit *edEMA, *edEMB;
    QPushButton *btnOk, *btnCancel;

protected:
    void showEvent(QShowEvent *event) override;

private:
    DataModule &m_dm;
};
