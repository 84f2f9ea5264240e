#include "selfclosingmessage.h"

#include "prompts.h"

void ShowSelfClosingMessage(QWidget *owner, const QString &text, int periodMs)
{
    prompts().notice(owner, text, periodMs);
}
