#pragma once

#include <QDate>

// Today's date in local time (from the program's clock), the day a stored result carries.
QDate TodayLocal();
