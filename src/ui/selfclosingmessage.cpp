#include "ui/selfclosingmessage.h"

#include "ui/prompts.h"

void ShowSelfClosingMessage(QWidget *owner, const QString &text, int periodMs)
{
    prompts().notice(owner, text, periodMs);
}
