#include "FileErrorText.h"

#include <cerrno>

QString fileErrorText(int errorCode)
{
    switch (errorCode) {
    case ENOENT:
        return QStringLiteral("soubor neexistuje");
    case EACCES:
    case EPERM:
        return QStringLiteral("přístup k souboru byl odepřen");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("na disku není dost místa");
    case EROFS:
        return QStringLiteral("disk je určen jen pro čtení");
    case EISDIR:
        return QStringLiteral("místo souboru je tu složka");
    case ENOTDIR:
        return QStringLiteral("část cesty není složka");
    case ENAMETOOLONG:
        return QStringLiteral("název souboru je příliš dlouhý");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("je otevřeno příliš mnoho souborů");
    case EIO:
        return QStringLiteral("soubor nelze přečíst ani zapsat (chyba disku)");
    default:
        return QStringLiteral("systémová chyba č. %1").arg(errorCode);
    }
}
