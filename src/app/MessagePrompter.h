#pragma once
// The program's message box: ShowPrompt as the user sees it.

#include "i18n/Language.h"

class QWidget;

// Shows a modal message box over the given window: kind 1 with OK and the
// information icon, kind 2 with Yes and No and the question icon.
class TMessageBoxPrompter : public TPrompter
{
public:
    explicit TMessageBoxPrompter(QWidget *parent = nullptr)
        : m_parent(parent)
    {
    }
    int ShowPrompt(const QString &caption, const QString &text, int kind) override;

private:
    QWidget *m_parent;
};
