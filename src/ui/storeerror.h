#pragma once

#include "store/storefailure.h"

#include <QString>

class QWidget;
class RecordSet;

// What the operator reads when the store refuses: the cause in Persian, then
// the store's own words.
QString StoreFailureText(StoreFailure failure, const QString &detail);

// Shows why the store refused, in an error box that stays until it is closed.
void ShowStoreFailure(QWidget *window, StoreFailure failure, const QString &detail);
void ShowStoreFailure(QWidget *window, const RecordSet &recordSet);

// True when the operation succeeded; otherwise shows why and returns false.
bool StoreSucceeded(QWidget *window, bool succeeded, const RecordSet &recordSet);
