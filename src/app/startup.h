#pragma once

class QWidget;

// Opens the program folder's database for the windows. A missing file may be
// created fresh with the operator's consent; a file that is not ours is left
// alone. False when the program cannot go on.
bool OpenProgramDatabase(QWidget *parent = nullptr);

// Prepares the application: its folder as the current folder, right to left,
// fonts, the Qt translation and the shared style.
void PrepareApplication();

// Shows the second-copy refusal; true when another copy already runs.
bool RefuseSecondCopy(class SingleInstance &instance);

// The whole program, from start to the last window closing.
int RunQuorvel();
