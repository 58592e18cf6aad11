#include "i18n/SetLanguage.h"
#include "i18n/Settings.h"
#include "i18n/TranslateForm.h"
#include "image/AllClass.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

TfSetLanguage::TfSetLanguage(TALL &all, QWidget *parent)
    : QDialog(parent)
    , m_all(all)
{
    setObjectName("fSetLanguage");
    setWindowTitle("Language File Setup");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);

    lbName = new QLabel("Language Mode: ", this);
    lbName->setObjectName("lbName");
    cbLanguage = new QComboBox(this);
    cbLanguage->setObjectName("cbLanguage");
    cbLanguage->setProperty(Tag::Property, Tag::NoEntries);
    cbLanguage->addItems({ "English", "Chinese" });
    Language = new QListWidget(this);
    Language->setObjectName("Language");
    Language->addItems({ "English", "Chinese" });
    Language->hide();
    btnOk = new QPushButton("&Ok", this);
    btnOk->setObjectName("btnOk");
    btnOk->setDefault(true);
    btnCancel = new QPushButton("&Cancel", this);
    btnCancel->setObjectName("btnCancel");

    auto *row = new QHBoxLayout;
    row->addWidget(lbName);
    row->addWidget(cbLanguage, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addStretch();
    layout->addLayout(buttons);
    setFixedSize(297, 104);

    connect(btnOk, &QPushButton::clicked, this, &TfSetLanguage::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfSetLanguage::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TfSetLanguage::FormShow()
{
    cbLanguage->clear();
    Language->clear();
    QStringList display, files;
    ReadLanguageList(m_all, display, files);
    cbLanguage->addItems(display);
    Language->addItems(files);
    if (m_all.LanguageIndex > 0)
        TranslateForm(this, m_all.AppFolder, m_all.LanguageName, false);
    cbLanguage->setCurrentIndex(m_all.LanguageIndex < cbLanguage->count() ? m_all.LanguageIndex : -1);
    LanguageChanged = false;
}

void TfSetLanguage::btnOkClick()
{
    const int index = cbLanguage->currentIndex();
    // A display entry without a file name behind it cannot be chosen.
    if (index >= 0 && index < Language->count() && index != m_all.LanguageIndex) {
        LanguageChanged = true;
        m_all.LanguageName = Language->item(index)->text();
        m_all.LanguageIndex = index;
    }
    accept();
}
