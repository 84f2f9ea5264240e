#pragma once

#include <QString>

class QWidget;

// Shows text in a box captioned "پيام" with one OK button and no icon, which
// closes by itself periodMs after it opened. Returns when the box has closed;
// the caller goes on the same way whether OK was pressed or the time ran out.
void ShowSelfClosingMessage(QWidget *owner, const QString &text, int periodMs = 1000);
