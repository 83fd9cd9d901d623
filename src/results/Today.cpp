#include "Today.h"

#include "Clock.h"

QDate TodayLocal()
{
    return nowUtc().toLocalTime().date();
}
