#pragma once

#include "analysis/subjectrecords.h"

#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

// A progress box over a window for a long read or write: it shows itself
// only when the work lasts longer than half a second, and its cancel button
// asks the work to stop. Timers keep running meanwhile; the operator's
// clicks reach only the box once it is up.
class ProgressWatch
{
public:
    ProgressWatch(QWidget *owner, const QString &objectName, const QString &label);
    ~ProgressWatch();
    ProgressWatch(const ProgressWatch &) = delete;
    ProgressWatch &operator=(const ProgressWatch &) = delete;

    // What the work calls now and then; false once the operator cancelled.
    Analysis::Progress progress() const;

    static constexpr int kShowAfterMs = 500;

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};
