#include "editors/ChInfo.h"
#include "app/DataModule.h"
#include "app/EditorHost.h"
#include "app/PrintData.h"
#include "editors/ToneBox.h"
#include "editors/ToneOption.h"
#include "i18n/TranslateForm.h"
#include "image/ChannelCodec.h"
#include "image/ChannelEntry.h"

#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

// The in-place editor of the frequency cells: digits and a point only; the
// committed text goes to the window's frequency rule, not straight into the cell.
class FrequencyDelegate : public QStyledItemDelegate
{
public:
    FrequencyDelegate(TfChInfo *window)
        : QStyledItemDelegate(window->gvData)
        , m_window(window)
    {
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        auto *e = new QLineEdit(parent);
        e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), e));
        m_editor = e;
        return e;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *e = static_cast<QLineEdit *>(editor);
        e->setText(index.data().toString());
        e->selectAll();
    }
    void setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const override
    {
        const QString text = static_cast<QLineEdit *>(editor)->text();
        if (text == index.data().toString())
            return; // nothing typed: no entry to handle
        m_window->gvDataSetForeText(index.row() + 1, index.column() + 1, text);
    }
    // Ends the editing the way leaving the cell does.
    void finish()
    {
        if (QWidget *e = m_editor.data()) {
            emit commitData(e);
            emit closeEditor(e);
        }
    }

private:
    TfChInfo *m_window;
    mutable QPointer<QWidget> m_editor;
};

namespace
{

const char *const DesignColumns[] = { "Channel No.", "RX Frequency", "TX Frequency", "QT/DQT Dec", "QT/DQT Enc",
    "TX Power", "W/N", "Scan Add", "Compander", "Scrambler", "Busy Lock" };
const int DesignWidths[] = { 70, 90, 90, 80, 80, 60, 60, 60, 60, 60, 60 };
const int DesignAligns[] = { 2, 3, 3, 3, 3, 2, 2, 2, 2, 2, 2 };

QComboBox *makeBox(QWidget *parent, const char *name, const QStringList &entries)
{
    auto *b = new QComboBox(parent);
    b->setObjectName(QLatin1String(name));
    b->addItems(entries);
    b->hide();
    return b;
}

} // namespace

TfChInfo::TfChInfo(EditorHost &host, QWidget *parent)
    : QWidget(parent)
    , m_host(host)
{
    setObjectName(QStringLiteral("fChInfo"));
    setWindowTitle(QStringLiteral("Channel Information"));
    setAttribute(Qt::WA_DeleteOnClose);

    gvData = new QTableWidget(this);
    gvData->setObjectName(QStringLiteral("gvData"));
    gvData->setProperty(Tag::Property, Tag::NoEntries);
    gvData->verticalHeader()->hide();
    gvData->setContextMenuPolicy(Qt::NoContextMenu);
    gvData->setSelectionMode(QAbstractItemView::SingleSelection);
    gvData->setEditTriggers(
        QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    gvData->horizontalHeader()->setFixedHeight(23);
    gvData->verticalHeader()->setDefaultSectionSize(20);
    m_delegate = new FrequencyDelegate(this);
    gvData->setItemDelegate(m_delegate);

    BColText = new QListWidget(this);
    BColText->setObjectName(QStringLiteral("BColText"));
    for (const char *t : DesignColumns)
        BColText->addItem(QLatin1String(t));
    for (int w : DesignWidths)
        BColText->addItem(QString::number(w));
    for (int a : DesignAligns)
        BColText->addItem(QString::number(a));
    BColText->hide();
    lNone = new QLabel(QStringLiteral("None"), this);
    lNone->setObjectName(QStringLiteral("lNone"));
    lNone->hide();

    QWidget *boxParent = gvData->viewport();
    cbQT = MakeToneBox(boxParent, "cbQT");
    cbDQT = MakeToneBox(boxParent, "cbDQT");
    cbQT->hide();
    cbDQT->hide();
    cbfsgl = makeBox(boxParent, "cbfsgl", { QStringLiteral("Low"), QStringLiteral("High") });
    cbkz = makeBox(boxParent, "cbkz", { QStringLiteral("Wide"), QStringLiteral("Narrow") });
    cbHave = makeBox(boxParent, "cbHave", { QStringLiteral("Yes"), QStringLiteral("No") });
    for (QComboBox *b : { cbQT, cbDQT, cbfsgl, cbkz, cbHave }) {
        b->installEventFilter(this);
        connect(b, &QComboBox::activated, this, [this, b] { ComBoxSetData(b); });
        if (b->isEditable()) {
            b->lineEdit()->installEventFilter(this);
            connect(b->lineEdit(), &QLineEdit::editingFinished, this, [this, b] {
                if (b->isVisible())
                    ComBoxSetData(b);
            });
        }
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(gvData);

    connect(gvData, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (row >= 0 && column >= 0)
            gvDataSelectCell(row + 1, column + 1);
    });
    connect(gvData, &QTableWidget::cellPressed, this, [this](int row, int column) {
        setFocus();
        m_row = row + 1;
        m_column = column + 1;
        if (m_column == ColRx || (m_column == ColTx && !DisplayText(m_row, ColRx).isEmpty()))
            gvData->editItem(gvData->item(row, column));
        else
            ShowCellBox();
        if (m_row != m_host.Data().All.CurrentChannel) {
            m_host.Data().All.CurrentChannel = m_row;
            m_host.SelectChannelNode(2);
        }
    });
    BuildColumns();
}

TfChInfo::~TfChInfo()
{
    m_host.EditorDestroyed(this);
}

void TfChInfo::closeWindow()
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
    else
        close();
}

void TfChInfo::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    const TALL &all = m_host.Data().All;
    if (all.LanguageIndex > 0)
        TranslateForm(this, all.AppFolder, all.LanguageName, true);
    lNone->setText(cbQT->itemText(0));
    BuildColumns();
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget())) {
        sub->resize(sub->sizeHint());
        sub->move(20, 20);
    }
    FillAllRows();
}

void TfChInfo::BuildColumns()
{
    const int n = BColText->count() / 3;
    gvData->setUpdatesEnabled(false);
    gvData->setColumnCount(n);
    QStringList titles;
    int sum = 0;
    for (int c = 0; c < n; ++c) {
        titles << BColText->item(c)->text();
        const int width = BColText->item(n + c)->text().toInt();
        gvData->setColumnWidth(c, width);
        sum += width;
    }
    gvData->setHorizontalHeaderLabels(titles);
    // Wide enough for every column, tall enough for every channel row.
    m_size = QSize(sum + 30, 23 + 20 * Image::ChannelCount + 6);
    updateGeometry();
    gvData->setUpdatesEnabled(true);
    BuildRows();
}

void TfChInfo::BuildRows()
{
    gvData->setUpdatesEnabled(false);
    const int n = BColText->count() / 3;
    const int channels = Image::ChannelCount;
    if (gvData->rowCount() != channels) {
        gvData->setRowCount(channels);
        for (int r = 0; r < channels; ++r)
            for (int c = 0; c < n; ++c) {
                auto *item = new QTableWidgetItem;
                Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
                if (c + 1 == ColRx)
                    flags |= Qt::ItemIsEditable;
                item->setFlags(flags);
                const int align = BColText->item(2 * n + c)->text().toInt();
                if (align == 1)
                    item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
                else if (align == 2)
                    item->setTextAlignment(Qt::AlignCenter);
                else if (align == 3)
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                if (c == 0) {
                    item->setText(QString::number(r + 1));
                    item->setBackground(palette().button());
                }
                gvData->setItem(r, c, item);
            }
    } else {
        for (int ch = 1; ch <= channels; ++ch) {
            for (int c = ColRx; c <= ColBusy; ++c)
                setTexts(ch, c, QString(), QString());
            Cell(ch, ColNo)->setData(Qt::UserRole, QString());
            setTxEditable(ch, false);
        }
    }
    gvData->setUpdatesEnabled(true);
}

QTableWidgetItem *TfChInfo::Cell(int channel, int column) const
{
    return gvData->item(channel - 1, column - 1);
}

QString TfChInfo::DisplayText(int channel, int column) const
{
    const QTableWidgetItem *i = Cell(channel, column);
    return i ? i->text() : QString();
}

QString TfChInfo::ValueText(int channel, int column) const
{
    const QTableWidgetItem *i = Cell(channel, column);
    return i ? i->data(Qt::UserRole).toString() : QString();
}

void TfChInfo::setTexts(int channel, int column, const QString &display, const QString &value)
{
    QTableWidgetItem *i = Cell(channel, column);
    i->setText(display);
    i->setData(Qt::UserRole, value);
}

void TfChInfo::setTxEditable(int channel, bool editable)
{
    QTableWidgetItem *i = Cell(channel, ColTx);
    i->setFlags(editable ? i->flags() | Qt::ItemIsEditable : i->flags() & ~Qt::ItemIsEditable);
}

bool TfChInfo::isChannel(int channel) const
{
    return ValueText(channel, ColNo) == QLatin1String("1");
}

QComboBox *TfChInfo::boxFor(int column) const
{
    switch (column) {
    case ColDec: return cbQT;
    case ColEnc: return cbDQT;
    case ColPower: return cbfsgl;
    case ColWn: return cbkz;
    case ColScan:
    case ColCompander:
    case ColScrambler:
    case ColBusy: return cbHave;
    default: return nullptr;
    }
}

void TfChInfo::FillRow(int channel)
{
    if (channel < 1 || channel > gvData->rowCount())
        return;
    gvData->setUpdatesEnabled(false);
    const TALL &all = m_host.Data().All;
    const DecodedChannel d = DecodeChannel(all.channelRecord(channel));
    if (d.valid) {
        ChannelTexts t;
        t.none = lNone->text();
        t.low = cbfsgl->itemText(0);
        t.high = cbfsgl->itemText(1);
        t.wide = cbkz->itemText(0);
        t.narrow = cbkz->itemText(1);
        t.yes = cbHave->itemText(0);
        t.no = cbHave->itemText(1);
        const QStringList texts = ChannelRowTexts(all, channel, t);
        Cell(channel, ColNo)->setData(Qt::UserRole, QStringLiteral("1"));
        setTxEditable(channel, true);
        for (int c = ColRx; c <= ColEnc; ++c)
            setTexts(channel, c, texts[c - 1], QString());
        for (int c = ColPower; c <= ColBusy; ++c) {
            const int bit = Field::flagBit(GridColumn::fieldKind(c));
            setTexts(channel, c, texts[c - 1], QString::number(d.flags[size_t(bit)]));
        }
    } else {
        Cell(channel, ColNo)->setData(Qt::UserRole, QString());
        for (int c = ColRx; c <= ColBusy; ++c)
            setTexts(channel, c, QString(), QString());
        setTxEditable(channel, false);
    }
    gvData->setUpdatesEnabled(true);
}

void TfChInfo::FillAllRows()
{
    m_filling = true;
    gvData->setUpdatesEnabled(false);
    for (int ch = 1; ch <= gvData->rowCount(); ++ch)
        FillRow(ch);
    gvData->setUpdatesEnabled(true);
    m_filling = false;
}

void TfChInfo::StoreCell(int channel, int column)
{
    TALL &all = m_host.Data().All;
    QString text;
    switch (column) {
    case ColRx:
    case ColTx: text = DisplayText(channel, column); break;
    case ColDec:
    case ColEnc:
        text = DisplayText(channel, column);
        if (text == lNone->text())
            text.clear();
        break;
    default: text = ValueText(channel, column); break;
    }
    EncodeChannelField(all, channel, GridColumn::fieldKind(column), text);
    m_host.NotifyImageChanged(2);
}

void TfChInfo::NewChannel(int channel)
{
    gvData->setUpdatesEnabled(false);
    Cell(channel, ColNo)->setData(Qt::UserRole, QStringLiteral("1"));
    if (DisplayText(channel, ColTx).isEmpty())
        Cell(channel, ColTx)->setText(DisplayText(channel, ColRx));
    setTexts(channel, ColDec, cbQT->itemText(0), QStringLiteral("0"));
    setTexts(channel, ColEnc, cbDQT->itemText(0), QStringLiteral("0"));
    setTexts(channel, ColPower, cbfsgl->itemText(1), QStringLiteral("1"));
    setTexts(channel, ColWn, cbkz->itemText(0), QStringLiteral("0"));
    for (int c : { ColScan, ColCompander, ColScrambler, ColBusy })
        setTexts(channel, c, cbHave->itemText(1), QStringLiteral("1"));
    setTxEditable(channel, true);
    gvData->setUpdatesEnabled(true);
    for (int c = ColRx; c <= ColBusy; ++c)
        StoreCell(channel, c);
}

void TfChInfo::DeleteChannel(int channel)
{
    Cell(channel, ColNo)->setData(Qt::UserRole, QString());
    for (int c = ColRx; c <= ColBusy; ++c)
        setTexts(channel, c, QString(), QString());
    setTxEditable(channel, false);
    StoreCell(channel, ColRx);
}

void TfChInfo::gvDataSetForeText(int channel, int column, const QString &text)
{
    TALL &all = m_host.Data().All;
    all.Modified = true;
    if (column != ColRx && column != ColTx)
        return;
    if (text.trimmed().isEmpty()) {
        if (column == ColRx) {
            DeleteChannel(channel);
        } else {
            Cell(channel, ColTx)->setText(QString());
            EncodeChannelField(all, channel, Field::TxFreq, QString());
            m_host.NotifyImageChanged(2);
            Cell(channel, ColEnc)->setText(cbDQT->itemText(0));
        }
        return;
    }
    const QString value = FrequencyEntryText(all, m_host.Data().Texts, m_host.Prompter(), text);
    Cell(channel, column)->setText(value);
    if (column == ColRx && !isChannel(channel)) {
        NewChannel(channel);
    } else {
        EncodeChannelField(all, channel, column == ColRx ? Field::RxFreq : Field::TxFreq, value);
        m_host.NotifyImageChanged(2);
    }
}

void TfChInfo::gvDataSelectCell(int channel, int column)
{
    m_row = channel;
    m_column = column;
    ShowCellBox();
    TALL &all = m_host.Data().All;
    if (channel != all.CurrentChannel) {
        all.CurrentChannel = channel;
        m_host.SelectChannelNode(2);
    }
}

void TfChInfo::SelectCell(int channel, int column)
{
    gvData->setCurrentCell(channel - 1, column - 1);
    emit gvData->cellPressed(channel - 1, column - 1);
}

void TfChInfo::HideBoxes()
{
    for (QComboBox *b : { cbQT, cbDQT, cbfsgl, cbkz, cbHave })
        b->hide();
}

QComboBox *TfChInfo::ShownBox() const
{
    for (QComboBox *b : { cbQT, cbDQT, cbfsgl, cbkz, cbHave })
        if (b->isVisible())
            return b;
    return nullptr;
}

void TfChInfo::ShowCellBox()
{
    HideBoxes();
    const int c = m_column, r = m_row;
    if (DisplayText(r, ColRx).isEmpty())
        return;
    QComboBox *box = boxFor(c);
    if (!box || (c == ColEnc && DisplayText(r, ColTx).isEmpty()))
        return;
    const QRect cell = gvData->visualItemRect(Cell(r, c));
    box->setGeometry(cell.left() + 2, cell.top() + 2, gvData->columnWidth(c - 1), cell.height());
    // Loading the cell's value into the box raises no commit: only user picks and typing do.
    if (box == cbQT || box == cbDQT) {
        box->setEditText(DisplayText(r, c));
    } else {
        bool ok = false;
        const int index = ValueText(r, c).toInt(&ok);
        box->setCurrentIndex(ok ? index : 0);
    }
    m_committed = box->currentText();
    box->show();
    box->setFocus();
}

void TfChInfo::ComBoxSetData(QComboBox *box)
{
    const int r = m_row, c = m_column;
    if (boxFor(c) != box || !isChannel(r))
        return;
    if (box == cbQT || box == cbDQT) {
        const QString t = box->currentText();
        if (t == m_committed)
            return; // the same value reported again (Enter after a pick, leaving the box)
        m_committed = t;
        const QString display = (t.isEmpty() || t == lNone->text()) ? lNone->text() : NormaliseTone(t);
        Cell(r, c)->setText(display);
    } else {
        setTexts(r, c, box->currentText(), QString::number(box->currentIndex()));
    }
    StoreCell(r, c);
    m_host.Data().All.Modified = true;
}

void TfChInfo::ComBoxDblClick(QComboBox *box)
{
    TfToneOption picker(m_host.Data().All, this);
    picker.exec();
    const QString t = picker.Result;
    if (t.isEmpty())
        return;
    Cell(m_row, m_column)->setText(t);
    StoreCell(m_row, m_column);
    m_committed = t;
    box->setEditText(t);
}

bool TfChInfo::eventFilter(QObject *watched, QEvent *event)
{
    QComboBox *box = qobject_cast<QComboBox *>(watched);
    if (!box && watched->parent())
        box = qobject_cast<QComboBox *>(watched->parent());
    if (!box)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (box->isEditable())
                ComBoxSetData(box);
            // Focus first: hiding a focused box would pass the focus on like Tab.
            gvData->setFocus();
            box->hide();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        auto *focus = static_cast<QFocusEvent *>(event);
        // The box's own drop-down list takes the focus for a moment: that is no leaving.
        if (focus->reason() != Qt::PopupFocusReason && !box->view()->isVisible()) {
            if (box->isEditable() && box->isVisible())
                ComBoxSetData(box);
            if (!box->hasFocus() && !(box->lineEdit() && box->lineEdit()->hasFocus()))
                box->hide();
        }
    } else if (event->type() == QEvent::MouseButtonDblClick && (box == cbQT || box == cbDQT)) {
        ComBoxDblClick(box);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TfChInfo::EndEditing()
{
    m_delegate->finish();
    HideBoxes();
}

void TfChInfo::AddPrintRows(PrintData &data)
{
    const TLanguage &t = m_host.Data().Texts;
    PrintDetail base;
    base.TypeID = 8;
    base.TypeName = t.Channel + t.Info;
    data.Rows.append(base);
    auto header = [this](int c) {
        QTableWidgetItem *h = gvData->horizontalHeaderItem(c - 1);
        return h ? h->text() : QString();
    };
    for (int ch = 1; ch <= gvData->rowCount(); ++ch) {
        if (DisplayText(ch, ColRx).isEmpty())
            continue;
        PrintDetail first = base;
        first.AField = header(ColNo) + DisplayText(ch, ColNo);
        data.Rows.append(first);
        for (int c = ColRx; c <= ColScrambler; c += 2) {
            PrintDetail d = base;
            d.AField = header(c);
            d.AValue = DisplayText(ch, c);
            d.BField = header(c + 1);
            d.BValue = DisplayText(ch, c + 1);
            data.Rows.append(d);
        }
    }
}
