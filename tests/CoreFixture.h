#pragma once
// Small helpers the core tests share: a working state bound like the program's,
// a prompter that records what it was asked, and byte fixtures from hex text.

#include "app/DataModule.h"
#include "i18n/Language.h"
#include "image/Defaults.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct RecordingPrompter : TPrompter {
    QStringList captions, texts;
    QList<int> answers; // for Yes/No questions, taken in order; No when empty
    int ShowPrompt(const QString &caption, const QString &text, int kind) override
    {
        captions << caption;
        texts << text;
        if (kind == Prompt::YesNo)
            return answers.isEmpty() ? Prompt::No : answers.takeFirst();
        return Prompt::Ok;
    }
};

// A data module bound to a band, with a new image made at a fixed time.
struct BoundModule : DataModule {
    explicit BoundModule(uint8_t bandCode = 0xF7, const QString &appFolder = QString())
        : DataModule(appFolder)
    {
        BindModel(All, bandCode, true);
        LoadDefaults(All, QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)));
    }
};

inline QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

inline QByteArray bytesAt(const RadioImageBytes &img, int offset, int count)
{
    return QByteArray(reinterpret_cast<const char *>(img.data()) + offset, count);
}
