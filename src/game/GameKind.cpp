#include "GameKind.h"

namespace {

struct KindRow
{
    GameKind kind;
    const char *name; // UTF-8
    const char *code;
};

constexpr KindRow Kinds[] = {
    {GameKind::None, "nevybráno", ""},
    {GameKind::Training, "Trénink", "1"},
    {GameKind::Standard, "Standardní", "2"},
    {GameKind::Advanced, "Pokročilá", "3"},
};

const KindRow &row(GameKind kind)
{
    return Kinds[int(kind)];
}

} // namespace

QString KindName(GameKind kind)
{
    return QString::fromUtf8(row(kind).name);
}

GameKind KindOfName(const QString &name)
{
    for (const KindRow &kind : Kinds)
        if (kind.kind != GameKind::None && name == QString::fromUtf8(kind.name))
            return kind.kind;
    return GameKind::None;
}

QString KindCode(GameKind kind)
{
    return QString::fromLatin1(row(kind).code);
}
