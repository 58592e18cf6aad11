#pragma once
// Radio information (model, band, serial number, write time) and the password window.

#include "editors/OptionEditor.h"

class QCheckBox;
class QLineEdit;

// "Radio Information": shows model, band and write time; edits the serial number.
class TfInfoMsg : public OptionEditor
{
    Q_OBJECT
public:
    TfInfoMsg(EditorHost &host, QWidget *parent = nullptr);
    void LoadFromImage() override;
    void StoreToImage() override;
    void AddPrintRows(PrintData &data) override;

    QLabel *Label1, *Label2, *Label3, *Label4;
    QLineEdit *cxModel, *cxFreq, *cxSerial, *cxRadioTime;
    QPushButton *btnOk;
};

// "PassWord": the password and a new password the next write programs.
class TfPassWord : public OptionEditor
{
    Q_OBJECT
public:
    TfPassWord(EditorHost &host, QWidget *parent = nullptr);
    void LoadFromImage() override;
    // Writes the trimmed passwords; a password is no radio setting, so Modified stays.
    void StoreToImage() override;

    QLabel *Label1, *Label2;
    QLineEdit *cxoPasd, *cxnPasd;
    QCheckBox *cbNps;
    QPushButton *btnOk;

private:
    void cbNpsPropertiesEditValueChanged(bool checked);
};
