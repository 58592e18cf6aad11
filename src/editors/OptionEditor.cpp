#include "editors/OptionEditor.h"
#include "app/DataModule.h"
#include "app/EditorHost.h"
#include "i18n/TranslateForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>

OptionEditor::OptionEditor(EditorHost &host, const char *formName, const QString &caption, QWidget *parent)
    : QWidget(parent)
    , m_host(host)
{
    setObjectName(QLatin1String(formName));
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    btnCancel = new QPushButton(QStringLiteral("&Close"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(btnCancel, &QPushButton::clicked, this, &OptionEditor::closeWindow);
}

OptionEditor::~OptionEditor()
{
    m_host.EditorDestroyed(this);
}

void OptionEditor::closeWindow()
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
    else
        close();
}

void OptionEditor::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Placed when it opens; showing it again after minimising keeps where the user put it.
    auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (sub && !m_placed) {
        sub->move(20, 20);
        m_placed = true;
    }
    RefreshFromImage();
}

bool OptionEditor::event(QEvent *event)
{
    // A fixed-size window: its frame in the main window offers minimise and
    // close, no maximise; set while the frame is new and not yet shown.
    if (event->type() == QEvent::ParentChange)
        if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()); sub && !sub->isVisible())
            sub->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    return QWidget::event(event);
}

std::vector<const OptionControl *> OptionEditor::tableControls() const
{
    std::vector<const OptionControl *> out;
    for (const OptionControl &c : OptionControls())
        if (objectName() == QLatin1String(c.form))
            out.push_back(&c);
    return out;
}

QWidget *OptionEditor::addControl(const OptionControl &c, QGridLayout *grid, int row, int column)
{
    QWidget *w = nullptr;
    if (c.kind == OptionControl::Combo) {
        auto *label = new QLabel(QLatin1String(c.label), this);
        label->setObjectName(QLatin1String(c.labelName));
        // The printout finds a label's control through this name; it is never translated.
        label->setProperty("hint", QLatin1String(c.control));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto *box = new QComboBox(this);
        box->addItems(c.entries);
        box->setCurrentIndex(c.initialIndex);
        if (c.tag != 0)
            box->setProperty(Tag::Property, c.tag);
        // Visible bound boxes store on a change; so does the key window's hidden
        // second key, although it is bound to nothing. The hidden Whisper box has no handler.
        if ((c.offset >= 0 && !c.hidden) || objectName() == QLatin1String("fKeyFun"))
            connect(box, &QComboBox::currentIndexChanged, this, &OptionEditor::ComborPropertiesChange);
        label->setBuddy(box);
        label->setVisible(!c.hidden);
        if (grid)
            grid->addWidget(label, row, column);
        w = box;
        column += 1;
    } else {
        auto *check = new QCheckBox(QLatin1String(c.label), this);
        if (c.offset >= 0)
            connect(check, &QCheckBox::clicked, this, &OptionEditor::ComborPropertiesChange);
        w = check;
    }
    w->setObjectName(QLatin1String(c.control));
    w->setVisible(!c.hidden);
    if (grid)
        grid->addWidget(w, row, column);
    m_controls.emplace_back(&c, w);
    return w;
}

QWidget *OptionEditor::Control(const char *name) const
{
    return findChild<QWidget *>(QLatin1String(name));
}

QString OptionEditor::onOffText(bool on) const
{
    const TLanguage &t = m_host.Data().Texts;
    return on ? t.Open : t.Close;
}

void OptionEditor::RefreshFromImage()
{
    Loading = true;
    const TALL &all = m_host.Data().All;
    if (all.LanguageIndex > 0)
        TranslateForm(this, all.AppFolder, all.LanguageName, true);
    LoadFromImage();
    Loading = false;
}

void OptionEditor::LoadFromImage()
{
    const auto &img = m_host.Data().All.RadioImage;
    for (const auto &[c, w] : m_controls) {
        if (c->offset < 0)
            continue;
        const uint8_t byte = img[size_t(c->offset)];
        if (auto *box = qobject_cast<QComboBox *>(w))
            box->setCurrentIndex(OptionShownIndex(*c, byte, box->currentIndex()));
        else if (auto *check = qobject_cast<QCheckBox *>(w))
            check->setChecked(OptionShownChecked(*c, byte));
    }
}

void OptionEditor::StoreToImage()
{
    auto &all = m_host.Data().All;
    for (const auto &[c, w] : m_controls) {
        if (c->offset < 0)
            continue;
        uint8_t &byte = all.RadioImage[size_t(c->offset)];
        if (auto *box = qobject_cast<QComboBox *>(w)) {
            byte = box->currentIndex() < 0 ? 0xFF : uint8_t(box->currentIndex());
        } else if (auto *check = qobject_cast<QCheckBox *>(w)) {
            if (c->kind == OptionControl::CheckBit0)
                byte = check->isChecked() ? uint8_t(byte | 1) : uint8_t(byte & ~1);
            else
                byte = check->isChecked() ? 1 : 0;
        }
    }
    all.Modified = true;
}

void OptionEditor::ComborPropertiesChange()
{
    if (!Loading)
        StoreToImage();
}
