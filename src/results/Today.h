#pragma once

#include <QDate>

// Today's date in local time, the day a stored result carries.
QDate TodayLocal();

// Tests fix the day; an invalid date returns to the clock.
void setTodayForTesting(QDate day);
