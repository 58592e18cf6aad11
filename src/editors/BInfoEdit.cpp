#include "editors/BInfoEdit.h"
#include "app/DataModule.h"
#include "app/EditorHost.h"
#include "editors/ToneBox.h"
#include "editors/ToneOption.h"
#include "i18n/TranslateForm.h"
#include "image/ChannelCodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace
{

template <typename T> T *named(T *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

QLabel *label(QWidget *parent, const char *name, const char *caption)
{
    auto *l = named(new QLabel(QLatin1String(caption), parent), name);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QLineEdit *frequencyEdit(QWidget *parent, const char *name)
{
    auto *e = named(new QLineEdit(parent), name);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), e));
    e->setAlignment(Qt::AlignRight);
    return e;
}

// The channel selector takes any number typed and corrects it into 1..16.
class ChannelSpin : public QSpinBox
{
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString &text, int &) const override
    {
        if (text.isEmpty())
            return QValidator::Intermediate;
        bool ok = false;
        const int v = text.toInt(&ok);
        if (!ok)
            return QValidator::Invalid;
        return v >= minimum() && v <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
    }
    void fixup(QString &text) const override { text = QString::number(std::clamp(text.toInt(), minimum(), maximum())); }
};

} // namespace

TfBInfoEdit::TfBInfoEdit(EditorHost &host, QWidget *parent)
    : QWidget(parent)
    , m_host(host)
{
    setObjectName(QStringLiteral("fBInfoEdit"));
    setWindowTitle(QStringLiteral("Channel Edit"));
    setAttribute(Qt::WA_DeleteOnClose);

    Label3 = label(this, "Label3", "Channel No.");
    sexd = named(new ChannelSpin(this), "sexd");
    sexd->setRange(1, 16);
    cxChInfo = named(new QTabWidget(this), "cxChInfo");
    cxtbBase = named(new QWidget, "cxtbBase");
    cxChInfo->addTab(cxtbBase, QStringLiteral("Information"));
    QWidget *page = cxtbBase;
    Label1 = label(page, "Label1", "RX Frequency[MHz]");
    Label2 = label(page, "Label2", "TX Frequency[MHz]");
    Label6 = label(page, "Label6", "QT/DQT Deconde");
    Label7 = label(page, "Label7", "QT/DQT Encode");
    Label11 = label(page, "Label11", "Wide/Narrow");
    Label10 = label(page, "Label10", "TX Power");
    eRx = frequencyEdit(page, "eRx");
    eTX = frequencyEdit(page, "eTX");
    cbQT = MakeToneBox(page, "cbQT");
    cbDQT = MakeToneBox(page, "cbDQT");
    cbkz = named(new QComboBox(page), "cbkz");
    cbkz->addItems({ QStringLiteral("Wide"), QStringLiteral("Narrow") });
    cbfsgl = named(new QComboBox(page), "cbfsgl");
    cbfsgl->addItems({ QStringLiteral("Low"), QStringLiteral("High") });
    chsmtj = named(new QCheckBox(QStringLiteral("Scan Add"), page), "chsmtj");
    chfm = named(new QCheckBox(QStringLiteral("Busy Lock"), page), "chfm");
    chCp = named(new QCheckBox(QStringLiteral("Compander"), page), "chCp");
    chSr = named(new QCheckBox(QStringLiteral("Scrambler"), page), "chSr");
    chWp = named(new QCheckBox(QStringLiteral("Whisper"), page), "chWp");
    chWp->hide();
    btnClose = named(new QPushButton(QStringLiteral("&Close"), this), "btnClose");

    auto *grid = new QGridLayout(page);
    const QList<std::pair<QWidget *, QWidget *>> rows = { { Label1, eRx }, { Label2, eTX }, { Label6, cbQT },
        { Label7, cbDQT }, { Label11, cbkz }, { Label10, cbfsgl } };
    for (int i = 0; i < rows.size(); ++i) {
        grid->addWidget(rows[i].first, i / 2, (i % 2) * 2);
        grid->addWidget(rows[i].second, i / 2, (i % 2) * 2 + 1);
    }
    grid->addWidget(chsmtj, 3, 1);
    grid->addWidget(chCp, 3, 3);
    grid->addWidget(chfm, 4, 1);
    grid->addWidget(chSr, 4, 3);
    grid->setRowStretch(5, 1);
    QWidget *order[] = { eRx, eTX, cbQT, cbDQT, cbkz, cbfsgl, chsmtj, chfm, chCp, chSr };
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    auto *top = new QHBoxLayout;
    top->addWidget(Label3);
    top->addWidget(sexd);
    top->addStretch();
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(cxChInfo, 1);
    layout->addLayout(bottom);
    setFixedSize(504, 338);

    connect(sexd, &QSpinBox::valueChanged, this, &TfBInfoEdit::sexdChange);
    connect(eRx, &QLineEdit::editingFinished, this, &TfBInfoEdit::eReceivePropertiesEditValueChanged);
    connect(eTX, &QLineEdit::editingFinished, this, &TfBInfoEdit::eSendPropertiesEditValueChanged);
    for (QComboBox *box : { cbQT, cbDQT }) {
        connect(box, &QComboBox::activated, this, [this, box] { toneBoxCommitted(box); });
        connect(box->lineEdit(), &QLineEdit::editingFinished, this, [this, box] { toneBoxCommitted(box); });
        box->lineEdit()->installEventFilter(this);
    }
    for (QComboBox *box : { cbkz, cbfsgl })
        connect(box, &QComboBox::activated, this, &TfBInfoEdit::StoreToImage);
    for (QCheckBox *check : { chsmtj, chfm, chCp, chSr })
        connect(check, &QCheckBox::clicked, this, &TfBInfoEdit::StoreToImage);
    connect(btnClose, &QPushButton::clicked, this, [this] {
        if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
            sub->close();
        else
            close();
    });
}

TfBInfoEdit::~TfBInfoEdit()
{
    m_host.EditorDestroyed(this);
}

void TfBInfoEdit::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Loading = true;
    const TALL &all = m_host.Data().All;
    if (all.LanguageIndex > 0)
        TranslateForm(this, all.AppFolder, all.LanguageName, true);
    Loading = false;
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->move(20, 20);
    LoadFromImage();
}

void TfBInfoEdit::EnableChannelControls(bool on)
{
    for (QWidget *w : std::initializer_list<QWidget *> { eTX, cbQT, cbDQT, cbkz, chfm, chsmtj, cbfsgl, chCp, chSr })
        w->setEnabled(on);
}

void TfBInfoEdit::ClearChannelControls()
{
    eRx->clear();
    eTX->clear();
    cbQT->setCurrentIndex(0);
    cbDQT->setCurrentIndex(0);
    cbkz->setCurrentIndex(0);
    for (QCheckBox *c : { chfm, chsmtj, chCp, chSr })
        c->setChecked(false);
}

void TfBInfoEdit::LoadFromImage()
{
    Loading = true;
    const TALL &all = m_host.Data().All;
    sexd->setValue(all.CurrentChannel);
    const DecodedChannel d = DecodeChannel(all.channelRecord(all.CurrentChannel));
    if (!d.valid) {
        eRx->clear();
        EnableChannelControls(false);
        ClearChannelControls();
    } else {
        EnableChannelControls(true);
        eRx->setText(FormatFrequency(d.rx));
        auto setTone = [](QComboBox *box, const QString &tone) {
            if (tone.isEmpty())
                box->setCurrentIndex(0);
            else
                box->setEditText(tone);
        };
        setTone(cbQT, d.rxTone);
        setTone(cbDQT, d.txTone);
        if (d.tx >= 0) {
            eTX->setText(FormatFrequency(d.tx));
            cbDQT->setEnabled(true);
        } else {
            eTX->clear();
            cbDQT->setCurrentIndex(0);
            cbDQT->setEnabled(false);
        }
        cbkz->setCurrentIndex(d.flags[2]);
        cbfsgl->setCurrentIndex(d.flags[3]);
        chsmtj->setChecked(d.flags[4] == 0);
        chCp->setChecked(d.flags[5] == 0);
        chfm->setChecked(d.flags[0] == 0);
        chSr->setChecked(d.flags[6] == 0);
    }
    m_committed[0] = cbQT->currentText();
    m_committed[1] = cbDQT->currentText();
    eRx->setModified(false);
    eTX->setModified(false);
    Loading = false;
}

void TfBInfoEdit::StoreToImage()
{
    if (Loading)
        return;
    TALL &all = m_host.Data().All;
    const int n = all.CurrentChannel;
    auto tone = [](QComboBox *box) { return box->currentText() == box->itemText(0) ? QString() : box->currentText(); };
    auto onBit = [](QCheckBox *c) { return c->isChecked() ? QStringLiteral("0") : QStringLiteral("1"); };
    EncodeChannelField(all, n, Field::RxFreq, eRx->text());
    EncodeChannelField(all, n, Field::TxFreq, eTX->text());
    EncodeChannelField(all, n, Field::RxTone, tone(cbQT));
    EncodeChannelField(all, n, Field::TxTone, tone(cbDQT));
    EncodeChannelField(all, n, Field::BusyLock, onBit(chfm));
    EncodeChannelField(all, n, Field::Wide, QString::number(cbkz->currentIndex()));
    EncodeChannelField(all, n, Field::Power, QString::number(cbfsgl->currentIndex()));
    EncodeChannelField(all, n, Field::ScanAdd, onBit(chsmtj));
    EncodeChannelField(all, n, Field::Compander, onBit(chCp));
    EncodeChannelField(all, n, Field::Scrambler, onBit(chSr));
    EncodeChannelField(all, n, Field::Whisper, onBit(chWp));
    all.Modified = true;
    m_host.NotifyImageChanged(0);
}

QString TfBInfoEdit::checkedFrequency(double v)
{
    v = CheckFrequency(m_host.Data().All, m_host.Data().Texts, m_host.Prompter(), v);
    return FormatFrequency(SnapToStep(v));
}

void TfBInfoEdit::eReceivePropertiesEditValueChanged()
{
    if (Loading || m_rxGuard)
        return;
    const QString text = eRx->text().trimmed();
    if (text.isEmpty()) {
        StoreToImage();
        ClearChannelControls();
        EnableChannelControls(false);
        return;
    }
    double v = 0;
    if (!ParseDecimal(text, &v)) {
        const TLanguage &t = m_host.Data().Texts;
        m_host.Prompter().ShowPrompt(t.Caution, t.ErrRange, Prompt::Info);
        return;
    }
    // The form writes the checked value back; that write is no new entry.
    m_rxGuard = true;
    eRx->setText(checkedFrequency(v));
    m_rxGuard = false;
    EnableChannelControls(true);
    if (eTX->text().isEmpty()) {
        m_txGuard = true;
        eTX->setText(eRx->text());
        m_txGuard = false;
        cbDQT->setEnabled(true);
    }
    StoreToImage();
}

void TfBInfoEdit::eSendPropertiesEditValueChanged()
{
    if (Loading || m_txGuard)
        return;
    const QString text = eTX->text().trimmed();
    if (text.isEmpty()) {
        cbDQT->setCurrentIndex(0);
        cbDQT->setEnabled(false);
    } else {
        double v = 0;
        if (!ParseDecimal(text, &v)) {
            const TLanguage &t = m_host.Data().Texts;
            m_host.Prompter().ShowPrompt(t.Caution, t.ErrRange, Prompt::Info);
        } else {
            m_txGuard = true;
            eTX->setText(checkedFrequency(v));
            m_txGuard = false;
            cbQT->setFocus();
            cbDQT->setEnabled(true);
        }
    }
    StoreToImage();
}

void TfBInfoEdit::toneBoxCommitted(QComboBox *box)
{
    if (Loading)
        return;
    QString &last = m_committed[box == cbQT ? 0 : 1];
    const QString text = box->currentText().trimmed();
    if (text.isEmpty())
        box->setCurrentIndex(0);
    else if (text != box->itemText(0))
        box->setEditText(NormaliseTone(text));
    if (box->currentText() == last)
        return; // Enter and then leaving the box commit the same value once
    last = box->currentText();
    StoreToImage();
}

void TfBInfoEdit::toneBoxDblClick(QComboBox *box)
{
    TfToneOption picker(m_host.Data().All, this);
    picker.exec();
    if (picker.Result.isEmpty())
        return;
    box->setEditText(picker.Result);
    toneBoxCommitted(box);
}

bool TfBInfoEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (QComboBox *box : { cbQT, cbDQT })
            if (watched == box->lineEdit() && box->isEnabled()) {
                toneBoxDblClick(box);
                return true;
            }
    }
    return QWidget::eventFilter(watched, event);
}

void TfBInfoEdit::sexdChange(int value)
{
    if (Loading)
        return; // the load itself set the selector
    m_host.Data().All.CurrentChannel = value;
    m_host.SelectChannelNode(0);
    LoadFromImage();
}
