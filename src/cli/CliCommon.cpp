#include "cli/CliCommon.h"

#include <algorithm>
#include <cstdio>

int CliPrompter::ShowPrompt(const QString &caption, const QString &text, int kind)
{
    printError(caption + QStringLiteral(": ") + text);
    if (kind == Prompt::YesNo)
        return m_answerYes ? Prompt::Yes : Prompt::No;
    return Prompt::Ok;
}

namespace
{
bool progressLineOpen = false;
}

void printProgress(const char *what, int value, int maximum)
{
    std::fprintf(stderr, "\r%s: %3d%%", what, 100 * std::min(value, maximum) / maximum);
    std::fflush(stderr);
    progressLineOpen = true;
}

void printError(const QString &line)
{
    if (progressLineOpen)
        std::fputc('\n', stderr);
    progressLineOpen = false;
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}
