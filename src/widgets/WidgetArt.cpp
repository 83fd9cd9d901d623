#include "WidgetArt.h"

#include "AppError.h"

namespace WidgetArt {

QString ledPath(const QString &name)
{
    return QStringLiteral(":/widgets/led/%1.png").arg(name);
}

QPixmap picture(const QString &path)
{
    QPixmap pixmap(path);
    if (pixmap.isNull())
        throw AppError(QStringLiteral("Picture %1 is missing.").arg(path));
    return pixmap;
}

} // namespace WidgetArt
