#pragma once

#include <QFont>
#include <QString>

// A font whose size is given in pixels, as the windows' forms give every size.
QFont pixelFont(const QString &family, int pixels, bool bold = false, bool italic = false);
