#pragma once

class QWidget;

// Escape and Ctrl+W close window, as its own close button or close box does.
void CloseByKeyboard(QWidget *window);

class QAbstractButton;

// Enter presses button whenever the focus is inside container and on no
// button of its own; and, once any window has asked for this, Enter presses
// whichever push button has the focus, as Space does. Dialogs do both
// themselves and are left to it.
void SetDefaultButton(QWidget *container, QAbstractButton *button);
