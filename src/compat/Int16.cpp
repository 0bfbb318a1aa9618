#include "Int16.h"

#include "RunTimeError.h"

#include <limits>

namespace Int16 {

qint16 checked(qint64 value)
{
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        throw OverflowError();
    return static_cast<qint16>(value);
}

qint16 add(qint16 a, qint16 b) { return checked(qint64(a) + b); }
qint16 sub(qint16 a, qint16 b) { return checked(qint64(a) - b); }
qint16 mul(qint16 a, qint16 b) { return checked(qint64(a) * b); }

qint32 totalSeconds(qint16 hh, qint16 mm, qint16 ss)
{
    return add(add(mul(hh, 3600), mul(mm, 60)), ss);
}

} // namespace Int16
