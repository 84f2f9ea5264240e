#pragma once

#include <QString>

class QWidget;

// Types text into widget key by key, as an operator would; Persian letters
// included, which QTest::keyClicks cannot type.
void typeText(QWidget *widget, const QString &text);
