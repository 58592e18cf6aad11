#pragma once
// The port dialog: twenty port buttons, the present ones enabled.

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TALL;

class TfSetPort : public QDialog
{
    Q_OBJECT
public:
    // presentDevices: the serial devices to offer; the system's when left out.
    explicit TfSetPort(TALL &all, QWidget *parent = nullptr, const QStringList *presentDevices = nullptr);

    void FormShow();
    void btnOKClick();

    QGroupBox *cxPort;
    QRadioButton *cxPorts[20];
    QLabel *lbName;
    QComboBox *cbCom;
    QPushButton *btnOk, *btnCancel;

protected:
    void showEvent(QShowEvent *event) override;

private:
    TALL &m_all;
    QStringList m_devices;
    bool m_shown = false;
};
