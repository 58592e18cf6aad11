#include "link/TransferDialogs.h"
#include "app/DataModule.h"
#include "i18n/TranslateForm.h"
#include "link/LinkSession.h"
#include "link/Ports.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TransferDialog::TransferDialog(DataModule &dm, TPrompter &prompter, std::unique_ptr<Link::Machine> machine,
    const QString &name, const QString &caption, QWidget *parent)
    : QDialog(parent)
    , m_dm(dm)
    , m_machine(std::move(machine))
{
    setObjectName(name);
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint);
    pBar = new QProgressBar(this);
    pBar->setObjectName(QStringLiteral("pBar"));
    pBar->setRange(0, Link::ProgressMaximum);
    pBar->setValue(0);
    btnOk = new QPushButton(tr("&Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnCancel = new QPushButton(tr("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pBar);
    layout->addLayout(buttons);
    setFixedSize(360, 100);

    m_session = std::make_unique<Link::Session>(*m_machine, prompter, dm.Texts);
    connect(m_session.get(), &Link::Session::progressChanged, pBar, &QProgressBar::setValue);
    connect(m_session.get(), &Link::Session::okEnabled, btnOk, &QWidget::setEnabled);
    connect(m_session.get(), &Link::Session::closeRequested, this, &QDialog::accept);
    connect(btnOk, &QPushButton::clicked, this, [this] { m_session->ok(); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TransferDialog::~TransferDialog() = default;

void TransferDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    if (m_dm.All.LanguageIndex > 0)
        TranslateForm(this, m_dm.All.AppFolder, m_dm.All.LanguageName, false);
    pBar->setMaximum(Link::ProgressMaximum);
    m_session->open(PortDevice(m_dm.All.PortName));
}

void TransferDialog::done(int r)
{
    // Cancel and the close box stop everything at once; the radio gets no end byte.
    m_session->cancel();
    QDialog::done(r);
}

TfReadRadio::TfReadRadio(DataModule &dm, TPrompter &prompter, QWidget *parent)
    : TransferDialog(dm, prompter, std::make_unique<Link::ReadMachine>(dm.All, dm.Texts), QStringLiteral("fReadRadio"),
        QStringLiteral("Read data From radio"), parent)
{
}

bool TfReadRadio::Succeeded() const
{
    return static_cast<const Link::ReadMachine &>(*m_machine).success();
}

TfWriteRadio::TfWriteRadio(DataModule &dm, TPrompter &prompter, QWidget *parent)
    : TransferDialog(dm, prompter, std::make_unique<Link::WriteMachine>(dm.All, dm.Texts),
        QStringLiteral("fWriteRadio"), QStringLiteral("Write data to radio"), parent)
{
}
