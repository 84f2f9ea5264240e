#pragma once

#include <QDateTime>

// Date and time now, for registration stamps and backup names. Tests fix it.
namespace Clock {
QDateTime now();
void fixAt(const QDateTime &moment);
void release();
}  // namespace Clock
