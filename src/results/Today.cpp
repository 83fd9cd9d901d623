#include "Today.h"

#include <QDateTime>

namespace {
QDate fixedDay;
}

QDate TodayLocal()
{
    if (fixedDay.isValid())
        return fixedDay;
    return QDateTime::currentDateTime().date();
}

void setTodayForTesting(QDate day)
{
    fixedDay = day;
}
