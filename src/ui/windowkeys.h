#pragma once

class QWidget;

// Escape and Ctrl+W close window, as its own close button or close box does.
void CloseByKeyboard(QWidget *window);
