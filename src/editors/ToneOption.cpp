#include "editors/ToneOption.h"
#include "i18n/TranslateForm.h"
#include "image/AllClass.h"
#include "image/ChannelCodec.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPainter>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{

constexpr int ValueColumnRole = Qt::UserRole;

// Draws each cell with a black line on all four sides.
class BorderDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(p, option, index);
        p->save();
        p->setPen(Qt::black);
        p->drawRect(option.rect.adjusted(0, 0, -1, -1));
        p->restore();
    }
};

QTableWidget *makeGrid(QWidget *parent, const char *name, int rows, int columns, int rowHeight)
{
    auto *g = new QTableWidget(rows, columns, parent);
    g->setObjectName(QLatin1String(name));
    g->setProperty(Tag::Property, Tag::NoEntries);
    g->horizontalHeader()->hide();
    g->verticalHeader()->hide();
    g->verticalHeader()->setDefaultSectionSize(rowHeight);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setContextMenuPolicy(Qt::NoContextMenu);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setItemDelegate(new BorderDelegate(g));
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont f = g->font();
    f.setPointSizeF(8);
    g->setFont(f);
    return g;
}

void setCell(QTableWidget *g, int row, int column, const QString &text, const QColor &colour, bool bold)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    item->setBackground(colour);
    item->setForeground(Qt::black);
    if (bold) {
        QFont f = item->font();
        f.setBold(true);
        item->setFont(f);
    }
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    g->setItem(row, column, item);
}

} // namespace

QStringList TfToneOption::SplitItem(const QString &item)
{
    if (item.isEmpty())
        return { QString(), QString(), QString() };
    const int first = item.indexOf(QLatin1Char('-'));
    if (first < 0)
        return { item, item, item };
    const QString rest = item.mid(first + 1);
    const int second = rest.indexOf(QLatin1Char('-'));
    if (second < 0)
        return { item.left(first), rest, rest };
    return { item.left(first), rest.left(second), rest.mid(second + 1) };
}

TfToneOption::TfToneOption(const TALL &all, QWidget *parent)
    : QDialog(parent)
    , m_all(all)
{
    setObjectName(QStringLiteral("fToneOption"));
    setWindowTitle(QStringLiteral("Channel Tone Option"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint);

    GroupBox1 = new QGroupBox(QStringLiteral("Channel Voice Selection"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto *radios = new QHBoxLayout(GroupBox1);
    int tag = 0;
    for (auto [button, name, caption] :
        { std::tuple { &rCTCSS, "rCTCSS", "CTCSS" }, { &rDCSN, "rDCSN", "DCS-N" }, { &rDCSI, "rDCSI", "DCS-I" } }) {
        *button = new QRadioButton(QLatin1String(caption), GroupBox1);
        (*button)->setObjectName(QLatin1String(name));
        (*button)->setProperty(Tag::Property, tag);
        connect(*button, &QRadioButton::clicked, this, [this, tag] { rCTCSSClick(tag); });
        radios->addWidget(*button);
        ++tag;
    }
    rCTCSS->setChecked(true);

    lbSel = new QListWidget(this);
    lbSel->setObjectName(QStringLiteral("lbSel"));
    lbSel->addItems({ QStringLiteral("CTCSS"), QStringLiteral("DCS-N"), QStringLiteral("DCS-I") });
    lbSel->hide();
    lbValue = new QListWidget(this);
    lbValue->setObjectName(QStringLiteral("lbValue"));
    lbValue->setProperty(Tag::Property, Tag::NoEntries);
    lbValue->addItems(ToneTableItems());
    lbValue->hide();

    gbList = new QGroupBox(QStringLiteral(" Code List"), this);
    gbList->setObjectName(QStringLiteral("gbList"));
    gvCtcss = makeGrid(gbList, "gvCtcss", 9, 15, 24);
    gvDcsN = makeGrid(gbList, "gvDcsN", 11, 16, 20);
    gvDcsI = makeGrid(gbList, "gvDcsI", 11, 16, 20);
    auto *tables = new QVBoxLayout(gbList);
    for (QTableWidget *g : { gvCtcss, gvDcsN, gvDcsI }) {
        tables->addWidget(g);
        connect(g, &QTableWidget::cellDoubleClicked, this,
            [this, g](int row, int column) { CellDoubleClicked(g, row, column); });
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addWidget(gbList, 1);
    // Room for every column of the widest table at a readable size.
    setFixedSize(680, 380);
}

void TfToneOption::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    BuildTables();
    Result.clear();
    if (m_all.LanguageIndex > 0)
        TranslateForm(this, m_all.AppFolder, m_all.LanguageName, false);
    rCTCSSClick(0);
}

void TfToneOption::BuildTables()
{
    const QStringList items = ToneTableItems();
    for (int g = 0; g < 5; ++g) {
        const int c = 3 * g;
        gvCtcss->setColumnWidth(c, 32);
        gvCtcss->setColumnWidth(c + 1, 50);
        gvCtcss->setColumnWidth(c + 2, 32);
        for (int r = 0; r < 9; ++r) {
            const QStringList parts = SplitItem(items.value(g * 9 + r));
            setCell(gvCtcss, r, c, parts[0], QColor(249, 141, 227), false);
            setCell(gvCtcss, r, c + 1, parts[1], Qt::white, true);
            setCell(gvCtcss, r, c + 2, parts[2], QColor(225, 249, 112), false);
        }
        gvCtcss->item(0, c + 1)->setData(ValueColumnRole, QStringLiteral("1"));
    }
    for (int g = 0; g < 8; ++g) {
        const int c = 2 * g;
        for (int r = 0; r < 11; ++r) {
            const QStringList parts = SplitItem(items.value(45 + g * 11 + r));
            const QString code = parts[1];
            for (QTableWidget *grid : { gvDcsN, gvDcsI }) {
                grid->setColumnWidth(c, 25);
                grid->setColumnWidth(c + 1, 52);
                const QString value
                    = code.isEmpty() ? QString() : code + (grid == gvDcsN ? QLatin1Char('N') : QLatin1Char('I'));
                setCell(grid, r, c, parts[0], QColor(47, 231, 220), false);
                setCell(grid, r, c + 1, value, Qt::white, true);
            }
        }
        gvDcsN->item(0, c + 1)->setData(ValueColumnRole, QStringLiteral("1"));
        gvDcsI->item(0, c + 1)->setData(ValueColumnRole, QStringLiteral("1"));
    }
}

void TfToneOption::rCTCSSClick(int tag)
{
    gbList->setEnabled(false);
    gvCtcss->setVisible(rCTCSS->isChecked());
    gvDcsI->setVisible(rDCSI->isChecked());
    gvDcsN->setVisible(rDCSN->isChecked());
    if (QListWidgetItem *caption = lbSel->item(tag))
        gbList->setTitle(caption->text());
    gbList->setEnabled(true);
}

void TfToneOption::CellDoubleClicked(QTableWidget *grid, int row, int column)
{
    QTableWidgetItem *marker = grid->item(0, column);
    if (!marker || marker->data(ValueColumnRole).toString() != QLatin1String("1"))
        return;
    QTableWidgetItem *cell = grid->item(row, column);
    Result = cell ? cell->text() : QString();
    accept();
}
