#include "FileErrorText.h"

#include <cerrno>

QString fileErrorText(int errorCode)
{
    switch (errorCode) {
    case EACCES:
    case EPERM:
        return QStringLiteral("nemáte potřebná oprávnění");
    case ENOSPC:
        return QStringLiteral("na disku není dost volného místa");
    case EDQUOT:
        return QStringLiteral("byla překročena disková kvóta");
    case EROFS:
        return QStringLiteral("disk je připojen jen pro čtení");
    case ENOENT:
        return QStringLiteral("soubor nebo složka neexistuje");
    case ENOTDIR:
        return QStringLiteral("část cesty není složka");
    case EISDIR:
        return QStringLiteral("jde o složku, ne o soubor");
    case EFBIG:
        return QStringLiteral("soubor by byl příliš velký");
    case EIO:
        return QStringLiteral("chyba čtení nebo zápisu na disku");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("je otevřeno příliš mnoho souborů");
    case ENAMETOOLONG:
        return QStringLiteral("cesta je příliš dlouhá");
    case ELOOP:
        return QStringLiteral("cesta obsahuje smyčku symbolických odkazů");
    case EAGAIN:
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("soubor je zamčen jiným programem");
    case ENOLCK:
    case ENOSYS:
    case EOPNOTSUPP:
        return QStringLiteral("systém souborů nepodporuje zamykání");
    default:
        return QStringLiteral("systémová chyba č. %1").arg(errorCode);
    }
}
