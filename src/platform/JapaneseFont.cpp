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

void installSubstitutes()
{
    const QStringList faces = {QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"),
                               QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic")};
    QFont::insertSubstitutions(family(), faces);
}

} // namespace JapaneseFont
