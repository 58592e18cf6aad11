#include "editors/OptFun.h"
#include "app/PrintData.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

// A framed panel holding the controls, with Close at the bottom right.
QGridLayout *framedLayout(QWidget *window, QPushButton *close)
{
    auto *frame = new QFrame(window);
    frame->setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(frame);
    auto *outer = new QVBoxLayout(window);
    outer->addWidget(frame);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    outer->addLayout(buttons);
    return grid;
}

// The framed panel of a small window with its title label L0 in the first row.
QGridLayout *titledLayout(QWidget *window, QPushButton *close, const QString &title)
{
    QGridLayout *grid = framedLayout(window, close);
    auto *label = new QLabel(title, window);
    label->setObjectName(QStringLiteral("L0"));
    grid->addWidget(label, 0, 0, 1, 2);
    return grid;
}

QString comboText(const OptionEditor *w, const char *name)
{
    auto *box = qobject_cast<QComboBox *>(w->Control(name));
    return box ? box->currentText() : QString();
}

QString labelText(const OptionEditor *w, const char *name)
{
    auto *label = w->findChild<QLabel *>(QLatin1String(name));
    return label ? label->text() : QString();
}

QString checkText(const OptionEditor *w, const char *name)
{
    auto *check = qobject_cast<QCheckBox *>(w->Control(name));
    return check ? check->text() : QString();
}

bool isChecked(const OptionEditor *w, const char *name)
{
    auto *check = qobject_cast<QCheckBox *>(w->Control(name));
    return check && check->isChecked();
}

PrintDetail row(const QWidget *w, const QString &field, const QString &value)
{
    PrintDetail d;
    d.TypeID = 9;
    d.TypeName = w->windowTitle();
    d.AField = field;
    d.AValue = value;
    return d;
}

} // namespace

TfOptFun::TfOptFun(EditorHost &host, QWidget *parent)
    : OptionEditor(host, "fOptFun", QStringLiteral("Optional Function"), parent)
{
    QGridLayout *grid = framedLayout(this, btnCancel);
    // Where each control sits: row, column (0 left pair, 2 right pair).
    const struct {
        const char *name;
        int row, column;
    } places[] = {
        { "cbSQvelch", 0, 0 },
        { "cbTxTimeout", 0, 2 },
        { "cxWaveof", 1, 0 },
        { "cbVoice", 1, 2 },
        { "cxScan", 2, 0 },
        { "cxFM", 2, 2 },
        { "cxAlt", 3, 0 },
        { "cxRevTx", 3, 2 },
        { "cxRate", 4, 0 },
        { "cxWhisper", 4, 2 },
        { "cbVolhigh", 5, 0 },
        { "cbVolLow", 5, 2 },
        { "cbBeepTone", 6, 0 },
        { "cxRxShape", 7, 0 },
        { "cxTxShape", 7, 2 },
        { "cxComp", 8, 0 },
        { "cxScrm", 8, 2 },
    };
    for (const OptionControl *c : tableControls())
        for (const auto &p : places)
            if (qstrcmp(p.name, c->control) == 0) {
                QWidget *w = addControl(*c, grid, p.row, p.column);
                // A check box has no label: it takes the label's column too, so its caption shows whole.
                if (qobject_cast<QCheckBox *>(w))
                    grid->addWidget(w, p.row, p.column, 1, 2);
            }
    grid->setColumnMinimumWidth(1, 120);
    grid->setColumnMinimumWidth(3, 120);
    QWidget *previous = nullptr;
    for (const char *name : { "cbSQvelch", "cbTxTimeout", "cxWaveof", "cbVoice", "cxScan", "cxFM", "cxAlt", "cxRevTx",
             "cxRate", "cbVolhigh", "cbVolLow", "cbBeepTone" }) {
        QWidget *w = Control(name);
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }
    setTabOrder(previous, btnCancel);
    setFixedSize(513, 264);
}

void TfOptFun::AddPrintRows(PrintData &data)
{
    RefreshFromImage();
    for (int n = 1; n <= 12; ++n) {
        auto *label = findChild<QLabel *>(QStringLiteral("L%1").arg(n));
        if (!label || label->isHidden())
            continue;
        data.Rows.append(
            row(this, label->text(), comboText(this, label->property("hint").toString().toLatin1().constData())));
    }
    for (const char *name : { "cbBeepTone", "cbVolhigh", "cbVolLow" })
        data.Rows.append(row(this, checkText(this, name), onOffText(isChecked(this, name))));
}

TfKeyFun::TfKeyFun(EditorHost &host, QWidget *parent)
    : OptionEditor(host, "fKeyFun", QStringLiteral("Key Function"), parent)
{
    QGridLayout *grid = titledLayout(this, btnCancel, QStringLiteral("Key Function"));
    int r = 1;
    for (const OptionControl *c : tableControls())
        addControl(*c, grid, r++, 0);
    grid->setRowStretch(r, 1);
    setFixedSize(313, 159);
}

void TfKeyFun::AddPrintRows(PrintData &data)
{
    RefreshFromImage();
    data.Rows.append(row(this, labelText(this, "L1"), comboText(this, "cbKey1")));
}

TfVoxFun::TfVoxFun(EditorHost &host, QWidget *parent)
    : OptionEditor(host, "fVoxFun", QStringLiteral("Vox Function"), parent)
{
    QGridLayout *grid = titledLayout(this, btnCancel, QStringLiteral("Vox Function"));
    int r = 1;
    for (const OptionControl *c : tableControls()) {
        QWidget *w = addControl(*c, grid, r++, 0);
        if (auto *check = qobject_cast<QCheckBox *>(w); check && check->objectName() == QLatin1String("chVoxFun"))
            connect(check, &QCheckBox::toggled, this, &TfVoxFun::applyEnablingRule);
        if (auto *check = qobject_cast<QCheckBox *>(w))
            grid->addWidget(check, r - 1, 0, 1, 2);
    }
    applyEnablingRule();
    setFixedSize(313, 173);
}

void TfVoxFun::applyEnablingRule()
{
    const bool on = isChecked(this, "chVoxFun");
    Control("cbVoxLevel")->setEnabled(on);
    Control("chVoxInhibit")->setEnabled(on);
}

void TfVoxFun::LoadFromImage()
{
    OptionEditor::LoadFromImage();
    applyEnablingRule();
}

void TfVoxFun::AddPrintRows(PrintData &data)
{
    RefreshFromImage();
    data.Rows.append(row(this, checkText(this, "chVoxFun"), onOffText(isChecked(this, "chVoxFun"))));
    data.Rows.append(row(this, labelText(this, "L1"), comboText(this, "cbVoxLevel")));
    data.Rows.append(row(this, checkText(this, "chVoxInhibit"), onOffText(isChecked(this, "chVoxInhibit"))));
}
