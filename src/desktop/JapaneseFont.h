#pragma once

#include <QFont>

// The program's face, "ＭＳ Ｐゴシック", at a size in points. Where that face
// is missing (Linux), installSubstitutes() maps it to a proportional Japanese
// Gothic face so kana show and the designed widths hold.
namespace JapaneseFont {

QString family();
QFont font(double points, bool bold = false);
void installSubstitutes();

} // namespace JapaneseFont
