#include "models/Model.h"
#include "i18n/TranslateForm.h"
#include "image/AllClass.h"
#include "models/MacType.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace
{

// Sets the text of a fixed-list box; falls back to the first item when the
// text is not in the list.
void selectText(QComboBox *box, const QString &text)
{
    const int i = box->findText(text);
    box->setCurrentIndex(i >= 0 ? i : (box->count() > 0 ? 0 : -1));
}

} // namespace

TfModel::TfModel(const TALL &all, QWidget *parent)
    : QDialog(parent)
    , m_all(all)
{
    setObjectName("fModel");
    setWindowTitle("Model Information");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);

    Label1 = new QLabel("Model Type: ", this);
    Label1->setObjectName("Label1");
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label2 = new QLabel("Frequency: ", this);
    Label2->setObjectName("Label2");
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cbCopmut = new QComboBox(this);
    cbCopmut->setObjectName("cbCopmut");
    cbCopmut->setProperty(Tag::Property, Tag::NoEntries);
    cbPd = new QComboBox(this);
    cbPd->setObjectName("cbPd");
    cbPd->setProperty(Tag::Property, Tag::NoEntries);
    btnOk = new QPushButton("&Ok", this);
    btnOk->setObjectName("btnOk");
    btnOk->setDefault(true);
    btnCancel = new QPushButton("&Cancel", this);
    btnCancel->setObjectName("btnCancel");

    auto *grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(cbCopmut, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(cbPd, 1, 1);
    grid->setColumnStretch(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    setFixedSize(320, 130);

    connect(cbCopmut, &QComboBox::currentIndexChanged, this, &TfModel::cbCopmutChange);
    connect(btnOk, &QPushButton::clicked, this, [this] {
        Confirmed = true;
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TfModel::ModelText() const
{
    return cbCopmut->currentText();
}

QString TfModel::BandText() const
{
    return cbPd->currentText();
}

void TfModel::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TfModel::FormShow()
{
    if (m_all.LanguageIndex > 0)
        TranslateForm(this, m_all.AppFolder, m_all.LanguageName, false);
    QStringList names;
    m_all.Models->FillNames(names);
    cbCopmut->clear();
    cbCopmut->addItems(names);
    selectText(cbCopmut, m_all.ModelName);
    cbCopmutChange();
    selectText(cbPd, m_all.BandText);
    Confirmed = false;
}

void TfModel::cbCopmutChange()
{
    cbPd->clear();
    const TMacType *model = m_all.Models->FindByName(cbCopmut->currentText());
    if (!model)
        return;
    cbPd->addItems(model->Bands);
    selectText(cbPd, model->DefaultBand);
}
