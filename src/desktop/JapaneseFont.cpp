#include "JapaneseFont.h"

#include <QStringList>

namespace JapaneseFont {

QString family()
{
    return QStringLiteral("ＭＳ Ｐゴシック");
}

QFont font(double points, bool bold)
{
    QFont f(family());
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// Tried in order when the face itself is missing: its English name and the
// Japanese faces Windows ships (a Windows without the Japanese supplemental
// fonts has none of them but Meiryo or Yu Gothic), then the free faces of
// Linux desktops, which Wine passes on too.
void installSubstitutes()
{
    QStringList faces;
#ifdef Q_OS_WIN
    faces << QStringLiteral("MS PGothic") << QStringLiteral("Meiryo UI") << QStringLiteral("Yu Gothic UI")
          << QStringLiteral("Meiryo") << QStringLiteral("Yu Gothic") << QStringLiteral("MS UI Gothic");
#endif
    faces << QStringLiteral("IPAPGothic") << QStringLiteral("IPAexGothic") << QStringLiteral("Noto Sans CJK JP")
          << QStringLiteral("VL PGothic");
    QFont::insertSubstitutions(family(), faces);
}

} // namespace JapaneseFont
