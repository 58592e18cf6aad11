#include "editors/TestFrequency.h"
#include "app/DataModule.h"
#include "i18n/TranslateForm.h"
#include "image/ChannelCodec.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{

QHBoxLayout *okCancel(QDialog *d, QPushButton *&ok, QPushButton *&cancel)
{
    ok = new QPushButton(QStringLiteral("&Ok"), d);
    ok->setObjectName(QStringLiteral("btnOk"));
    cancel = new QPushButton(QStringLiteral("&Cancel"), d);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    QObject::connect(ok, &QPushButton::clicked, d, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, d, &QDialog::reject);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

// The frequency cells are number cells: at most five integer and five decimal
// digits, no sign, so only digits and one point can be typed.
class NumberCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *line = qobject_cast<QLineEdit *>(editor))
            line->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]{0,5}(\\.[0-9]{0,5})?")), line));
        return editor;
    }
};

} // namespace

TfTestFrequency::TfTestFrequency(DataModule &dm, TPrompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_dm(dm)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("fTestFrequency"));
    setWindowTitle(QStringLiteral("Test Frequency"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint);
    gvData = new QTableWidget(16, 3, this);
    gvData->setObjectName(QStringLiteral("gvData"));
    gvData->setHorizontalHeaderLabels(
        { QStringLiteral("信道"), QStringLiteral("接收[MHz]"), QStringLiteral("发射[MHz]") });
    gvData->verticalHeader()->hide();
    gvData->setContextMenuPolicy(Qt::NoContextMenu);
    gvData->setColumnWidth(0, 60);
    gvData->setColumnWidth(1, 100);
    gvData->setColumnWidth(2, 100);
    gvData->verticalHeader()->setDefaultSectionSize(22);
    gvData->setItemDelegate(new NumberCellDelegate(gvData));
    for (int r = 0; r < 16; ++r) {
        auto *number = new QTableWidgetItem(QString::number(r + 1));
        number->setFlags(Qt::ItemIsEnabled);
        number->setTextAlignment(Qt::AlignCenter);
        number->setBackground(palette().button());
        gvData->setItem(r, 0, number);
        for (int c = 1; c <= 2; ++c) {
            auto *cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            gvData->setItem(r, c, cell);
        }
    }
    connect(gvData, &QTableWidget::itemChanged, this, &TfTestFrequency::gvDataSetForeText);
    Label1 = new QLabel(
        QStringLiteral("Test Frequency mismatch.#10#13Execute read data from radio or write to radio."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->hide();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(gvData);
    layout->addLayout(okCancel(this, btnOk, btnCancel));
    // The grid shows all 16 rows and 3 columns whole; a widened column scrolls.
    const int frame = 2 * gvData->frameWidth();
    gvData->setFixedSize(60 + 100 + 100 + frame, gvData->horizontalHeader()->sizeHint().height() + 16 * 22 + frame);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfTestFrequency::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    const TALL &all = m_dm.All;
    if (all.LanguageIndex > 0)
        TranslateForm(this, all.AppFolder, all.LanguageName, true);
    Edited = false;
}

void TfTestFrequency::gvDataSetForeText(QTableWidgetItem *item)
{
    if (m_setting || item->column() == 0)
        return;
    const QScopedValueRollback<bool> guard(m_setting, true);
    double v = 0;
    if (item->text().isEmpty()) {
        // Emptying a cell takes its frequency away; that is no value to check.
        item->setData(Qt::UserRole, QString());
        return;
    }
    if (!ParseDecimal(item->text(), &v)) {
        // A lone point is no number: the cell keeps the frequency it had.
        item->setText(item->data(Qt::UserRole).toString());
        return;
    }
    v = CheckFrequency(m_dm.All, m_dm.Texts, m_prompter, v);
    item->setText(FormatFrequency(v));
    item->setData(Qt::UserRole, item->text());
    Edited = true;
}

void TfTestFrequency::done(int r)
{
    if (Edited)
        m_prompter.ShowPrompt(m_dm.Texts.Confirmation, Label1->text(), Prompt::Info);
    Edited = false;
    QDialog::done(r);
}

TfEmbeddedMessage::TfEmbeddedMessage(DataModule &dm, QWidget *parent)
    : QDialog(parent)
    , m_dm(dm)
{
    setObjectName(QStringLiteral("fEmbeddedMessage"));
    setWindowTitle(QStringLiteral("Embedded Message"));
    auto *layout = new QVBoxLayout(this);
    // Letters, digits and blanks only, as the radio's display can show them.
    const QRegularExpression allowed(QStringLiteral("[A-Za-z0-9 ]*"));
    for (QLineEdit **e : { &edEMA, &edEMB }) {
        *e = new QLineEdit(this);
        (*e)->setMaxLength(32);
        (*e)->setValidator(new QRegularExpressionValidator(allowed, *e));
        layout->addWidget(*e);
    }
    edEMA->setObjectName(QStringLiteral("edEMA"));
    edEMB->setObjectName(QStringLiteral("edEMB"));
    layout->addLayout(okCancel(this, btnOk, btnCancel));
    setFixedSize(320, 120);
}

void TfEmbeddedMessage::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_dm.All.LanguageIndex > 0)
        TranslateForm(this, m_dm.All.AppFolder, m_dm.All.LanguageName, true);
}
