#include "analysis/progresswatch.h"

#include "analysis/frmanalysistext.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <algorithm>
#include <climits>

ProgressWatch::ProgressWatch(QWidget *owner, const QString &objectName, const QString &label)
    : m_dialog(std::make_unique<QProgressDialog>(label, FrmAnalysisText::CancelButton, 0, 0, owner))
{
    m_dialog->setObjectName(objectName);
    m_dialog->setWindowTitle(FrmAnalysisText::WindowCaption);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(kShowAfterMs);
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
    m_dialog->setValue(0);
}

ProgressWatch::~ProgressWatch() = default;

Analysis::Progress ProgressWatch::progress() const
{
    QProgressDialog *dialog = m_dialog.get();
    return [dialog](qint64 done, qint64 total) {
        const int maximum = int(std::min<qint64>(std::max<qint64>(total, 1), INT_MAX));
        if (dialog->maximum() != maximum)
            dialog->setMaximum(maximum);
        dialog->setValue(int(std::min<qint64>(done, maximum)));
        // The box's own timer shows it; the work's window takes no clicks meanwhile.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return !dialog->wasCanceled();
    };
}
