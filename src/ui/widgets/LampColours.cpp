#include "LampColours.h"

#include "compat/DesignColours.h"
#include "compat/RunTimeError.h"

namespace LampColours {

namespace {

void fill(Table &table, int from, int to, const QColor &colour)
{
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
    table.fill(DesignColours::noLamp);
    fill(table, 1, level, DesignColours::greenLamp);
    if (level >= 60)
        fill(table, 60, level, DesignColours::yellowLamp);
    if (level >= 75)
        fill(table, 75, level, DesignColours::redLamp);
    fill(table, level + 1, LampCount, DesignColours::unlitLamp);
    return table;
}

} // namespace LampColours
