#pragma once

#include "store/database.h"
#include "store/sqlitefile.h"

#include <QString>

#include <functional>

// Checks of a database file offered from outside: a backup to restore, or a
// copy about to become a backup. Nothing is ever written at or beside the
// file, not even a journal.
namespace Store {

enum class CheckDepth {
    Shape,  // header, length, schema, settings row and items: cheap, before any copying
    Whole,  // all that and SQLite's integrity check of every page
};

// Opened when the file at path is exactly a database of this program: its
// length is its pages, its tables, columns and keys are ours, its indexes
// are ours (or some of them are missing, as in older files), it holds no
// trigger, view or other object, one settings row and the twenty items.
// NotOurs names the first difference; Damaged says what is broken.
// keepGoing, when given, is asked now and then during the check of every
// page (so that a window can paint); returning false stops the check, which
// then fails with Cancelled in the detail and nothing written.
OpenResult checkBackupFile(const QString &path, CheckDepth depth, const std::function<bool()> &keepGoing = {});

// The check of every page (CheckDepth::Whole) on a thread of its own, while
// progress is told (kChecking, kChecking) every few hundredths of a second on
// this one, so that a window keeps painting even where SQLite checks a large
// tree in one step; progress returning false stops the check.
OpenResult checkWholeBeside(const QString &path, const std::function<bool(qint64, qint64)> &progress);

// The detail of a check that keepGoing stopped.
inline const QString kCheckCancelled = QStringLiteral("cancelled");

}  // namespace Store
