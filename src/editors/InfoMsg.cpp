#include "editors/InfoMsg.h"
#include "app/DataModule.h"
#include "app/EditorHost.h"
#include "app/PrintData.h"
#include "image/ChannelCodec.h"
#include "image/Defaults.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

namespace
{

QLabel *rightLabel(QWidget *parent, const char *name, const char *caption)
{
    auto *l = new QLabel(QLatin1String(caption), parent);
    l->setObjectName(QLatin1String(name));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

// A read-only box shows the button face, so the user sees it takes no typing;
// an editable one the normal text background.
void setEditable(QLineEdit *e, bool editable)
{
    e->setReadOnly(!editable);
    QPalette p = e->palette();
    const QPalette normal = e->parentWidget() ? e->parentWidget()->palette() : QPalette();
    p.setColor(QPalette::Base, normal.color(editable ? QPalette::Base : QPalette::Button));
    e->setPalette(p);
}

QLineEdit *edit(QWidget *parent, const char *name, bool readOnly)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    setEditable(e, !readOnly);
    return e;
}

// The image holds one byte per character: anything beyond printable ASCII
// would reach it as a substitute byte, so such characters are refused as
// typed or pasted. The serial number takes letters as capitals.
class ByteCharValidator : public QValidator
{
public:
    ByteCharValidator(bool capitals, QObject *parent)
        : QValidator(parent)
        , m_capitals(capitals)
    {
    }
    State validate(QString &input, int &) const override
    {
        for (const QChar c : input)
            if (c.unicode() < 0x20 || c.unicode() > 0x7E)
                return Invalid;
        if (m_capitals)
            input = input.toUpper();
        return Acceptable;
    }

private:
    bool m_capitals;
};

QPushButton *hiddenOk(QWidget *parent)
{
    auto *b = new QPushButton(QStringLiteral("&Ok"), parent);
    b->setObjectName(QStringLiteral("btnOk"));
    b->hide();
    return b;
}

// The characters of image bytes as the windows show them: letters and digits, else blanks.
QString filtered(const RadioImageBytes &img, int offset, int count)
{
    QString s;
    for (int i = 0; i < count; ++i)
        s += FilterSerialChar(img[size_t(offset + i)]);
    return s;
}

void writePadded(RadioImageBytes &img, int offset, int count, const QString &text)
{
    const QByteArray bytes = (text + QString(count + 1, QLatin1Char(' '))).left(count).toLatin1();
    std::copy(bytes.begin(), bytes.end(), img.begin() + offset);
}

QVBoxLayout *withClose(QWidget *window, QGridLayout *grid, QPushButton *ok, QPushButton *close)
{
    auto *outer = new QVBoxLayout(window);
    outer->addLayout(grid);
    outer->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(close);
    outer->addLayout(buttons);
    return outer;
}

} // namespace

TfInfoMsg::TfInfoMsg(EditorHost &host, QWidget *parent)
    : OptionEditor(host, "fInfoMsg", QStringLiteral("Radio Information"), parent)
{
    auto *grid = new QGridLayout;
    Label1 = rightLabel(this, "Label1", "Model Type");
    Label2 = rightLabel(this, "Label2", "Frequency[MHz]");
    Label3 = rightLabel(this, "Label3", "Serial Number");
    Label4 = rightLabel(this, "Label4", "Write Time");
    cxModel = edit(this, "cxModel", true);
    cxFreq = edit(this, "cxFreq", true);
    cxSerial = edit(this, "cxSerial", true);
    cxSerial->setMaxLength(16);
    cxSerial->setValidator(new ByteCharValidator(true, cxSerial));
    cxRadioTime = edit(this, "cxRadioTime", true);
    int r = 0;
    for (auto [label, box] :
        { std::pair { Label1, cxModel }, { Label2, cxFreq }, { Label3, cxSerial }, { Label4, cxRadioTime } }) {
        grid->addWidget(label, r, 0);
        grid->addWidget(box, r++, 1);
    }
    btnOk = hiddenOk(this);
    connect(btnOk, &QPushButton::clicked, this, [this] {
        StoreToImage();
        closeWindow();
    });
    withClose(this, grid, btnOk, btnCancel);
    connect(cxSerial, &QLineEdit::textChanged, this, &OptionEditor::ComborPropertiesChange);
    setFixedSize(314, 183);
}

void TfInfoMsg::LoadFromImage()
{
    const TALL &all = m_host.Data().All;
    cxModel->setText(all.ModelName);
    cxFreq->setText(all.BandText);
    if (all.SerialEditable)
        setEditable(cxSerial, true);
    // The box shows letters as capitals, as it takes them; the bytes stay as they are until an edit.
    cxSerial->setText(filtered(all.RadioImage, Image::Serial, Image::SerialSize).toUpper());
    cxRadioTime->setText(FormatWriteTime(all.RadioImage.data() + Image::WriteTime));
}

void TfInfoMsg::StoreToImage()
{
    TALL &all = m_host.Data().All;
    if (!all.SerialEditable)
        return;
    writePadded(all.RadioImage, Image::Serial, Image::SerialSize, cxSerial->text());
    all.Modified = true;
}

void TfInfoMsg::AddPrintRows(PrintData &data)
{
    RefreshFromImage();
    PrintHeader &h = data.Header;
    h.Title = m_host.Data().All.ProductName;
    h.AField = Label1->text();
    h.AValue = cxModel->text();
    h.BField = Label2->text();
    h.BValue = cxFreq->text();
    h.CField = Label3->text();
    h.CValue = cxSerial->text();
}

TfPassWord::TfPassWord(EditorHost &host, QWidget *parent)
    : OptionEditor(host, "fPassWord", QStringLiteral("PassWord"), parent)
{
    auto *grid = new QGridLayout;
    Label1 = rightLabel(this, "Label1", "PassWard");
    Label2 = rightLabel(this, "Label2", "New PassWard");
    cxoPasd = edit(this, "cxoPasd", false);
    cxoPasd->setMaxLength(8);
    cxoPasd->setValidator(new ByteCharValidator(false, cxoPasd));
    cxnPasd = edit(this, "cxnPasd", false);
    cxnPasd->setMaxLength(8);
    cxnPasd->setValidator(new ByteCharValidator(false, cxnPasd));
    cxnPasd->setEnabled(false);
    cbNps = new QCheckBox(this);
    cbNps->setObjectName(QStringLiteral("cbNps"));
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(cxoPasd, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(cxnPasd, 1, 1);
    grid->addWidget(cbNps, 1, 2);
    btnOk = hiddenOk(this);
    connect(btnOk, &QPushButton::clicked, this, [this] {
        StoreToImage();
        closeWindow();
    });
    withClose(this, grid, btnOk, btnCancel);
    connect(cxoPasd, &QLineEdit::textChanged, this, &OptionEditor::ComborPropertiesChange);
    connect(cxnPasd, &QLineEdit::textChanged, this, &OptionEditor::ComborPropertiesChange);
    connect(cbNps, &QCheckBox::toggled, this, &TfPassWord::cbNpsPropertiesEditValueChanged);
    setFixedSize(287, 158);
}

void TfPassWord::cbNpsPropertiesEditValueChanged(bool checked)
{
    cxnPasd->setEnabled(checked);
    m_host.Data().All.NewPasswordEnabled = checked;
}

void TfPassWord::LoadFromImage()
{
    const TALL &all = m_host.Data().All;
    cxoPasd->setText(filtered(all.RadioImage, Image::Password, 8).trimmed());
    if (all.NewPasswordEnabled) {
        cbNps->setChecked(true);
        cxnPasd->setText(filtered(all.RadioImage, Image::NewPassword, 8).trimmed());
    }
}

void TfPassWord::StoreToImage()
{
    TALL &all = m_host.Data().All;
    writePadded(all.RadioImage, Image::Password, 8, cxoPasd->text().trimmed());
    if (all.NewPasswordEnabled)
        writePadded(all.RadioImage, Image::NewPassword, 8, cxnPasd->text().trimmed());
}
