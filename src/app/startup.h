#pragma once

#include "store/database.h"

class QWidget;

// Opens the program folder's database for the windows, or the server that
// database (the --database address) or else quorvel.conf names. A missing
// file may be created fresh with the operator's consent; a file that is not
// ours is left alone. False when the program cannot go on.
// pageCheck says when SQLite's check of every page runs: at the open, or
// later through CheckProgramDatabasePages.
bool OpenProgramDatabase(QWidget *parent = nullptr, Store::PageCheck pageCheck = Store::PageCheck::AtOpen,
                         const QString &database = QString());

// Runs the page check that the open left for later: a damaged file is named,
// with the advice to restore a backup, before anything has been written to
// it. False when the program cannot go on.
bool CheckProgramDatabasePages(QWidget *parent = nullptr);

// Why the database did not open, in Persian, from the store's words (which
// go to the error output): the program's own Persian words as they are, or
// the cause the driver's words name (held by another program, read-only,
// damaged, a full disk, no server); empty when they name none.
QString OpenFailureCause(const QString &detail);

// Prepares the application: its folder as the current folder, right to left,
// fonts, the Qt translation and the shared style.
void PrepareApplication();

// Shows the second-copy refusal; true when another copy already runs.
bool RefuseSecondCopy(class SingleInstance &instance);

// The whole program, from start to the last window closing, on the database
// --database named (empty when it was not given).
int RunQuorvel(const QString &database);
