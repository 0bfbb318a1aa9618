#pragma once

#include "desktop/WindowFrame.h"

class MainWindowUi;

// The rule by which the chat controls follow the main window's size, stated
// on the window's outer size W x H in twips and worked in single precision.
//
// Qt reports the client area (the central widget, below the menu bar), not
// the outer size, so the outer size is the client area plus the design's
// frame and menu bar: the design outer 5640 x 8460 holds a client area of
// 5520 x 7770. That keeps the rule's numbers and the saved Position the
// same on Windows and Linux.
constexpr double OuterWidthAllowance = WindowFrame::Width;
constexpr double OuterHeightAllowance = WindowFrame::Height + WindowFrame::MenuBarHeight;
constexpr double MinOuterWidth = 5640;       // the window springs back to these
constexpr double MinOuterHeight = 3000;

// Design values the rule keeps.
namespace ChatDesign {
constexpr double HistoryLeft = 20;
constexpr double HistoryTop = 1320;
constexpr double InputLeft = 20;
constexpr double InputHeight = 360;
constexpr double SendWidth = 555;
} // namespace ChatDesign

double outerWidthTwips(int centralWidthPx);
double outerHeightTwips(int centralHeightPx);
int centralWidthPx(double outerWidthTwips);
int centralHeightPx(double outerHeightTwips);

// Where the chat controls go for an outer size W x H (twips); the history's
// top and left, the input line's left and both heights keep their design
// values.
struct ChatGeometry
{
    double historyWidth;
    double historyHeight;
    double inputTop;
    double inputWidth;
    double sendTop;
    double sendLeft;
};

ChatGeometry chatGeometry(double W, double H);

// Moves the history, the input line and the Send button; edges are rounded
// to pixels so the controls that meet in twips meet on screen. A negative
// width or height is refused with a RunTimeError before anything moves.
void applyChatGeometry(const MainWindowUi &ui, const ChatGeometry &g);
