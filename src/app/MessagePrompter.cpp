#include "app/MessagePrompter.h"

#include <QMessageBox>

int TMessageBoxPrompter::ShowPrompt(const QString &caption, const QString &text, int kind)
{
    if (kind == Prompt::YesNo) {
        const auto answer
            = QMessageBox::question(m_parent, caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        return answer == QMessageBox::Yes ? Prompt::Yes : Prompt::No;
    }
    QMessageBox::information(m_parent, caption, text, QMessageBox::Ok);
    return Prompt::Ok;
}
