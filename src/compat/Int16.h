#pragma once

// Kept on purpose (see README.md): counters and settings are 16-bit and
// overflow into the error trap. Do not widen them: a limit past 09:06:07
// must keep failing as it always has.

#include <QtGlobal>

// Counters and settings are 16-bit signed integers: every step is checked and
// a result outside -32768..32767 throws OverflowError, as the original
// arithmetic did. TimerTotal is built from these steps and then widened.
namespace Int16 {

qint16 checked(qint64 value);
qint16 add(qint16 a, qint16 b);
qint16 sub(qint16 a, qint16 b);
qint16 mul(qint16 a, qint16 b);

// hh * 3600 + mm * 60 + ss, each product and sum in 16 bits, widened to 32.
qint32 totalSeconds(qint16 hh, qint16 mm, qint16 ss);

} // namespace Int16
