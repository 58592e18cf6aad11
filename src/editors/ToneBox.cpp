#include "editors/ToneBox.h"
#include "i18n/TranslateForm.h"
#include "image/ChannelCodec.h"

#include <QComboBox>
#include <QRegularExpressionValidator>

QComboBox *MakeToneBox(QWidget *parent, const char *name)
{
    auto *b = new QComboBox(parent);
    b->setObjectName(QLatin1String(name));
    b->addItems(ToneBoxEntries());
    b->setEditable(true);
    b->setInsertPolicy(QComboBox::NoInsert);
    // Completing "12" to "123.0" would store a tone nobody typed.
    b->setCompleter(nullptr);
    b->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.DINdin]*")), b));
    b->setProperty(Tag::Property, Tag::FirstEntryOnly);
    return b;
}
