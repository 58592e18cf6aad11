#include "link/SetPort.h"
#include "i18n/TranslateForm.h"
#include "image/AllClass.h"
#include "link/Ports.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPortInfo>
#include <QVBoxLayout>

TfSetPort::TfSetPort(TALL &all, QWidget *parent, const QStringList *presentDevices)
    : QDialog(parent)
    , m_all(all)
    , m_devices(presentDevices ? *presentDevices : PresentSerialDevices())
{
    setObjectName(QStringLiteral("fSetPort"));
    setWindowTitle(QStringLiteral("Communication Port"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint);

    cxPort = new QGroupBox(QStringLiteral("Port"), this);
    cxPort->setObjectName(QStringLiteral("cxPort"));
    auto *grid = new QGridLayout(cxPort);
    for (int n = 1; n <= 20; ++n) {
        auto *b = new QRadioButton(QStringLiteral("COM%1").arg(n), cxPort);
        b->setObjectName(QStringLiteral("cxPort%1").arg(n));
        b->setEnabled(false);
        grid->addWidget(b, (n - 1) % 5, (n - 1) / 5); // four columns of five, top to bottom
        cxPorts[n - 1] = b;
    }
    // Only lists and a caption prefix: never shown.
    lbName = new QLabel(QStringLiteral("Port:"), this);
    lbName->setObjectName(QStringLiteral("lbName"));
    lbName->hide();
    cbCom = new QComboBox(this);
    cbCom->setObjectName(QStringLiteral("cbCom"));
    cbCom->setProperty(Tag::Property, Tag::NoEntries);
    cbCom->hide();

    btnOk = new QPushButton(QStringLiteral("&Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(btnOk, &QPushButton::clicked, this, &TfSetPort::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(cxPort);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(380, 0)));
}

void TfSetPort::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfSetPort::FormShow()
{
    if (m_all.LanguageIndex > 0) {
        TranslateForm(this, m_all.AppFolder, m_all.LanguageName, true);
        for (int n = 1; n <= 20; ++n)
            cxPorts[n - 1]->setText(lbName->text() + QString::number(n));
    }
    cxPort->setTitle(windowTitle());

    cbCom->clear();
    cbCom->addItems(ListSerialPorts(m_devices));
    for (int i = 0; i < cbCom->count(); ++i) {
        const int n = PortNumber(cbCom->itemText(i));
        if (n < 1 || n > 20)
            continue;
        QRadioButton *b = cxPorts[n - 1];
        b->setEnabled(true);
        // Which device and which cable sit behind the button.
        const QString device = PortDevice(cbCom->itemText(i));
        QString tip = device;
        const QSerialPortInfo info(device);
        if (info.hasVendorIdentifier())
            tip += QStringLiteral("\n%1 %2 (%3:%4)")
                       .arg(info.manufacturer(), info.description())
                       .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                       .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
        else if (!info.description().isEmpty())
            tip += QLatin1Char('\n') + info.description();
        b->setToolTip(tip);
    }
    // A stored device path has no button; then none is selected.
    const int n = PortNumber(m_all.PortName);
    if (n >= 1 && n <= 20)
        cxPorts[n - 1]->setChecked(true);
}

void TfSetPort::btnOKClick()
{
    for (int n = 1; n <= 20; ++n)
        if (cxPorts[n - 1]->isChecked())
            m_all.PortName = QStringLiteral("COM%1").arg(n);
    accept();
}
