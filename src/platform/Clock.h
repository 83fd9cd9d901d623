#pragma once

#include <QDateTime>

// The program's one reading of the system clock. The random source, the calendar and the results
// table all ask here, so a test can fix the time for all of them at once.

// The current time in UTC, or the time fixed by setNowForTesting.
QDateTime nowUtc();

// Fixes the time every later nowUtc() returns (converted to UTC).
void setNowForTesting(const QDateTime &moment);

// Returns nowUtc() to the running system clock.
void clearNowForTesting();

// Today's date in local time, from nowUtc(): the day the calendar shows and a stored result
// carries.
QDate todayLocal();
