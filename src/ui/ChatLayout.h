#pragma once

class MainWindowUi;

// The rule by which the chat controls follow the main window's size, stated
// on the window's outer size W x H in twips and worked in single precision.
//
// Qt reports the client area (the central widget, below the menu bar), not
// the outer size. The real frame, title bar and menu bar differ per platform
// and style, and without a window manager there is no frame at all, so the
// outer size is taken as the client area plus the design allowance: the
// design outer 5640 x 8460 holds a client area of 5520 x 7770, that is 120
// across and 690 down. Mapping through that allowance keeps the rule's
// numbers and the saved Position portable between Windows and Linux.
constexpr double OuterWidthAllowance = 120;  // frame
constexpr double OuterHeightAllowance = 690; // frame, title bar and menu bar
constexpr double MinOuterWidth = 5640;       // the window springs back to these
constexpr double MinOuterHeight = 3000;

// Design values the rule keeps.
namespace ChatDesign {
constexpr double LChatLeft = 20;
constexpr double LChatTop = 1320;
constexpr double SInputLeft = 20;
constexpr double SInputHeight = 360;
constexpr double BSendWidth = 555;
} // namespace ChatDesign

double outerWidthTwips(int centralWidthPx);
double outerHeightTwips(int centralHeightPx);
int centralWidthPx(double outerWidthTwips);
int centralHeightPx(double outerHeightTwips);

// Where the chat controls go for an outer size W x H (twips); lChat's top and
// left, sInput's left and both heights keep their design values.
struct ChatGeometry
{
    double lChatWidth;
    double lChatHeight;
    double sInputTop;
    double sInputWidth;
    double bSendTop;
    double bSendLeft;
};

ChatGeometry chatGeometry(double W, double H);

// Moves lChat, sInput and B_Send; edges are rounded to pixels so the controls
// that meet in twips meet on screen. A negative width or height is refused
// with a VbError before anything moves.
void applyChatGeometry(MainWindowUi &ui, const ChatGeometry &g);
