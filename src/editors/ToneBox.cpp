#include "editors/ToneBox.h"
#include "i18n/TranslateForm.h"
#include "image/ChannelCodec.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace
{

// Drops typed characters outside the tone alphabet. A filter on keys rather
// than a validator on the text: the box must stay editable while it shows a
// text outside that alphabet, such as "None" or its translation.
class ToneKeyFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && !IsToneKey(static_cast<QKeyEvent *>(event)))
            return true;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

bool IsToneKey(const QKeyEvent *key)
{
    const QString text = key->text();
    // Editing and moving keys carry no printable text; shortcuts carry Ctrl.
    if (text.isEmpty() || !text.at(0).isPrint() || (key->modifiers() & Qt::ControlModifier))
        return true;
    static const QString allowed = QStringLiteral("0123456789.DINdin");
    for (QChar c : text)
        if (!allowed.contains(c))
            return false;
    return true;
}

QComboBox *MakeToneBox(QWidget *parent, const char *name)
{
    auto *b = new QComboBox(parent);
    b->setObjectName(QLatin1String(name));
    b->addItems(ToneBoxEntries());
    b->setEditable(true);
    b->setInsertPolicy(QComboBox::NoInsert);
    // Completing "12" to "123.0" would store a tone nobody typed.
    b->setCompleter(nullptr);
    b->lineEdit()->installEventFilter(new ToneKeyFilter(b));
    b->setProperty(Tag::Property, Tag::FirstEntryOnly);
    return b;
}
