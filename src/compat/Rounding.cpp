#include "Rounding.h"

#include "RunTimeError.h"

#include <cmath>
#include <limits>

namespace Rounding {

double halfEven(double value)
{
    return std::nearbyint(value); // the default rounding mode is to nearest, ties to even
}

namespace {
template <typename T>
T toInteger(double value)
{
    const double r = halfEven(value);
    if (!(r >= double(std::numeric_limits<T>::min()) && r <= double(std::numeric_limits<T>::max())))
        throw OverflowError();
    return static_cast<T>(r);
}
} // namespace

qint16 toInt16(double value) { return toInteger<qint16>(value); }
qint32 toInt32(double value) { return toInteger<qint32>(value); }

} // namespace Rounding
