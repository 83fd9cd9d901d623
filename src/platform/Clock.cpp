#include "Clock.h"

#include <optional>

namespace {
std::optional<QDateTime> &fixedMoment()
{
    static std::optional<QDateTime> moment;
    return moment;
}
} // namespace

QDateTime nowUtc()
{
    if (fixedMoment())
        return *fixedMoment();
    return QDateTime::currentDateTimeUtc();
}

void setNowForTesting(const QDateTime &moment)
{
    fixedMoment() = moment.toUTC();
}

void clearNowForTesting()
{
    fixedMoment().reset();
}

QDate todayLocal()
{
    return nowUtc().toLocalTime().date();
}
