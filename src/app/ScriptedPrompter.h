#pragma once
// A prompter for tests: records every prompt and answers from a queue.

#include "i18n/Language.h"

#include <QList>
#include <QString>

// Yes/No questions take their answers from `answers` in order; when the queue
// is empty the question is counted in `unanswered` and answered No, so a test
// can tell an unexpected question from an expected one.
class ScriptedPrompter : public TPrompter
{
public:
    struct Shown {
        QString caption, text;
        int kind;
    };
    QList<Shown> shown;
    QList<int> answers;
    int unanswered = 0;

    int ShowPrompt(const QString &caption, const QString &text, int kind) override
    {
        shown.append({ caption, text, kind });
        if (kind != Prompt::YesNo)
            return Prompt::Ok;
        if (answers.isEmpty()) {
            ++unanswered;
            return Prompt::No;
        }
        return answers.takeFirst();
    }

    void answer(std::initializer_list<int> list) { answers.append(QList<int>(list)); }
    QStringList texts() const
    {
        QStringList out;
        for (const Shown &s : shown)
            out << s.text;
        return out;
    }
    void clear()
    {
        shown.clear();
        answers.clear();
        unanswered = 0;
    }
};
