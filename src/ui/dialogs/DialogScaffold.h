#pragma once

#include "settings/Settings.h"

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QRect;
class QWidget;

// What the dialogs share: where they open, their numeric boxes, the marks
// a check leaves on those boxes, and the rules for time fields.
namespace DialogScaffold {

// Moves dialog 250 twips right of and 2100 below the main window's outer
// top-left corner.
void placeBeside(QWidget *dialog, const WindowPlacement &mainWindow);

// A numeric entry box at rect, in the dialogs' 14.25 pt face, named for
// assistive technology as spoken (its label's words). Typed characters must
// pass the digit filter; an input method would bypass it.
QLineEdit *numberBox(QWidget *parent, const QString &name, const QRect &rect, const QString &text,
                     const QString &spoken);

// A label at rect, under every field it touches: fields are always drawn
// over labels (the ":" between two time fields overlaps their borders).
QLabel *label(QWidget *parent, const QString &caption, const QRect &rect);

// A Set or Cancel button at rect, in the dialogs' 11.25 pt face.
QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QRect &rect);

// A checked box turns white when valid and yellow when not; a yellow box
// also says "Invalid entry" to assistive technology. Returns 1 for an
// invalid box, so a caller can count them.
int mark(QLineEdit *box, bool valid);

// Time fields sort, character by character, between "00" and high. The
// options dialog's limit fields are numbers and take one digit too (three
// would not read back from vln.ini); the schedule's are clock texts that
// are compared with the clock's "HH:MM:SS", so only two digits can match.
bool limitFieldValid(const QString &text, const QString &high);
bool scheduleFieldValid(const QString &text, const QString &high);

} // namespace DialogScaffold
