#pragma once

// Kept on purpose (see README.md): the number forms vln.ini and the dialogs
// hold; users' files are read and written in exactly these.

#include <QString>

// Numbers as the settings file and the dialogs hold them.
namespace NumberText {

// Blanks before and after, an optional sign, digits with an optional decimal
// fraction that is rounded half to even. Anything else throws
// TypeMismatchError; a value outside the type throws OverflowError.
double parse(const QString &text);
qint16 toInt16(const QString &text);
qint32 toInt32(const QString &text);

// One Position number: shortest decimal form, a leading blank when not
// negative (" 100", "-300", " 1012.5").
QString formatPosition(double value);

// Two digits with a leading zero ("03").
QString twoDigits(int value);

} // namespace NumberText
