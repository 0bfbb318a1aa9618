#include "CallsignSpeech.h"

#include "compat/ErrorTrap.h"
#include "desktop/Clipboard.h"

#include <utility>

namespace CallsignSpeech {

namespace {

// The reading of "5" ends with the separate voiced-sound mark U+309B, which
// the speech engines read better than the precomposed U+3094.
QString reading(QChar c)
{
    switch (c.unicode()) {
    case '1': return QStringLiteral(u"\u308F\u3093");
    case '2': return QStringLiteral(u"\u3064\u30FC");
    case '3': return QStringLiteral(u"\u3059\u308A\u30FC");
    case '4': return QStringLiteral(u"\u3075\u3049\u30FC");
    case '5': return QStringLiteral(u"\u3075\u3041\u3044\u3046\u309B");
    case '6': return QStringLiteral(u"\u3057\u3063\u304F\u3059");
    case '7': return QStringLiteral(u"\u305B\u3076\u3093");
    case '8': return QStringLiteral(u"\u3048\u3044\u3068");
    case '9': return QStringLiteral(u"\u306A\u3044\u3093");
    case '0': return QStringLiteral(u"\u305C\u308D");
    case 'A': return QStringLiteral(u"\u3048\u3044");
    case 'I': return QStringLiteral(u"\u3042\u3044");
    case 'U': return QStringLiteral(u"\u3086\u30FC");
    case 'E': return QStringLiteral(u"\u3044\u30FC");
    case 'O': return QStringLiteral(u"\u304A\u30FC");
    default: return QString(c);
    }
}

const QString linkMarker = QStringLiteral("-L");
const QString repeaterMarker = QStringLiteral("-R");
const QString linkSuffix = QStringLiteral(u".\u308A\u3093\u304F");
const QString repeaterSuffix = QStringLiteral(u".\u308A\u3074\u30FC\u305F");
const QString fullStop = QStringLiteral(u"\u3002");

// Cuts the callsign before its station marker and returns the spoken suffix;
// a link marker wins over a repeater marker.
QString takeSuffix(QString &callsign)
{
    for (const auto &[marker, suffix] : {std::pair{linkMarker, linkSuffix}, std::pair{repeaterMarker, repeaterSuffix}}) {
        const int at = callsign.indexOf(marker);
        if (at >= 0) {
            callsign.truncate(at);
            return suffix;
        }
    }
    return {};
}

} // namespace

std::optional<QString> spokenForm(const QString &chatLine)
{
    const int split = chatLine.indexOf(QLatin1Char('>'));
    if (split < 0 || split > maxCallsignLength)
        return std::nullopt;
    QString callsign = chatLine.left(split);
    const QString suffix = takeSuffix(callsign);
    QString spoken;
    for (const QChar c : std::as_const(callsign))
        spoken += reading(c);
    return spoken + suffix + fullStop + chatLine.mid(split + 1);
}

void copySpokenForm(const QString &chatLine, Clipboard &clipboard)
{
    ErrorTrap::silent([&] {
        if (const std::optional<QString> text = spokenForm(chatLine))
            clipboard.setText(*text);
    });
}

} // namespace CallsignSpeech
