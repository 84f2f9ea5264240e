#pragma once

#include "store/storefailure.h"

#include <QString>

class QWidget;
class RecordSet;

// What the operator reads when the store refuses: the cause in Persian. The
// store's own words (detail) go to the error output; when the failure is not
// classified (Other), the cause they name, if any, is told (SQLite's "database
// or disk is full" reads as a full disk).
QString StoreFailureText(StoreFailure failure, const QString &detail);

// Shows why the store refused, in an error box that stays until it is closed;
// with a lead, the window's own line of what was not done comes first.
void ShowStoreFailure(QWidget *window, StoreFailure failure, const QString &detail);
void ShowStoreFailure(QWidget *window, const QString &lead, StoreFailure failure, const QString &detail);
void ShowStoreFailure(QWidget *window, const RecordSet &recordSet);

// True when the operation succeeded; otherwise shows why and returns false.
bool StoreSucceeded(QWidget *window, bool succeeded, const RecordSet &recordSet);
