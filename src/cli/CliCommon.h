#pragma once
// Shared pieces of the command-line tool's verbs: exit codes and the prompter.

#include "i18n/Language.h"

#include <QString>

namespace Exit
{
constexpr int Ok = 0;
constexpr int Usage = 2;
constexpr int File = 3;
constexpr int Link = 4;
} // namespace Exit

// Prints messages on standard error and answers questions from a flag, so
// scripts never hang on a prompt.
class CliPrompter : public TPrompter
{
public:
    explicit CliPrompter(bool answerYes = false)
        : m_answerYes(answerYes)
    {
    }
    int ShowPrompt(const QString &caption, const QString &text, int kind) override;

private:
    bool m_answerYes;
};

// Writes one line to standard error, below a progress line if one is open.
void printError(const QString &line);
// Rewrites the progress line on standard error.
void printProgress(const char *what, int value, int maximum);
