#include "ui/clock.h"

namespace {
QDateTime fixedMoment;
}

namespace Clock {

QDateTime now()
{
    return fixedMoment.isValid() ? fixedMoment : QDateTime::currentDateTime();
}

void fixAt(const QDateTime &moment)
{
    fixedMoment = moment;
}

void release()
{
    fixedMoment = QDateTime();
}

}  // namespace Clock
