#include "LampColours.h"

#include "compat/BgrColor.h"
#include "compat/RunTimeError.h"

namespace LampColours {

namespace {

void fill(Table &table, int from, int to, quint32 bgr)
{
    const QColor colour = fromBgr(bgr);
    for (int i = from; i <= to; ++i)
        table[std::size_t(i)] = colour;
}

} // namespace

Table forLevel(qint16 level)
{
    // The runs reach index level (green) and index level + 1 (silver).
    if (level < -1 || level > LampCount)
        throw SubscriptError();

    Table table;
    table.fill(fromBgr(0x000000));
    fill(table, 1, level, 0x00FF00);
    if (level >= 60)
        fill(table, 60, level, 0x00FFFF);
    if (level >= 75)
        fill(table, 75, level, 0x0000FF);
    fill(table, level + 1, LampCount, 0xC0C0C0);
    return table;
}

} // namespace LampColours
