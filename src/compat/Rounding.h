#pragma once

// Kept on purpose (see README.md): halves round to the even neighbour, as
// the lamp level and the settings reader always have.

#include <QtGlobal>

// Fractions become integers by rounding to the nearest, a half going to the
// even neighbour (9.5 -> 10, 8.5 -> 8, -2.5 -> -2).
namespace Rounding {

double halfEven(double value);

// Rounded and range-checked; throw OverflowError outside the type's range
// (and for NaN).
qint16 toInt16(double value);
qint32 toInt32(double value);

} // namespace Rounding
