#pragma once

#include <QString>

// What the program says to a screen reader at the moments that matter,
// short and in plain English. These are spoken, never shown.
namespace Announcements {

// "2 minutes left", "1 minute 30 seconds left", "30 seconds left".
QString timeLeft(int seconds);

inline const QString over = QStringLiteral("Over");
inline const QString standby = QStringLiteral("Standby");
// The standby wait has ended: the count is back at the limit.
inline const QString ready = QStringLiteral("Ready");
inline const QString busy = QStringLiteral("Busy");
inline const QString notBusy = QStringLiteral("Not busy");

} // namespace Announcements
