#include "ChatLayout.h"

#include "MainWindowUi.h"
#include "chat/ChatHistoryView.h"
#include "platform/Twips.h"
#include "platform/VbError.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

// Rounds the edges rather than the sizes, so controls that meet in twips
// still meet in pixels.
QRect pixelRect(double left, double top, double width, double height)
{
    const int x = Twips::toPixels(left);
    const int y = Twips::toPixels(top);
    return QRect(x, y, Twips::toPixels(left + width) - x, Twips::toPixels(top + height) - y);
}

} // namespace

double outerWidthTwips(int centralWidthPx)
{
    return Twips::fromPixels(centralWidthPx) + OuterWidthAllowance;
}

double outerHeightTwips(int centralHeightPx)
{
    return Twips::fromPixels(centralHeightPx) + OuterHeightAllowance;
}

int centralWidthPx(double outerWidthTwips)
{
    return Twips::toPixels(outerWidthTwips - OuterWidthAllowance);
}

int centralHeightPx(double outerHeightTwips)
{
    return Twips::toPixels(outerHeightTwips - OuterHeightAllowance);
}

ChatGeometry chatGeometry(double W, double H)
{
    using namespace ChatDesign;
    // Every step in single precision, as the rule was first written.
    const float w = float(W);
    const float h = float(H);
    const float margin = 225.0f;
    const float below = 825.0f;
    const float lChatHeight = h - (float(LChatTop) + float(SInputHeight) + below);
    const float lChatWidth = w - (float(LChatLeft) + margin);
    const float sInputTop = h - (float(SInputHeight) + below);
    const float sInputWidth = w - (float(SInputLeft) + float(BSendWidth) + margin);
    const float bSendLeft = float(SInputLeft) + sInputWidth;
    return {lChatWidth, lChatHeight, sInputTop, sInputWidth, sInputTop, bSendLeft};
}

void applyChatGeometry(MainWindowUi &ui, const ChatGeometry &g)
{
    using namespace ChatDesign;
    if (g.lChatWidth < 0 || g.lChatHeight < 0 || g.sInputWidth < 0)
        throw VbError("Invalid property value");
    ui.lChat->setGeometry(pixelRect(LChatLeft, LChatTop, g.lChatWidth, g.lChatHeight));
    ui.sInput->setGeometry(pixelRect(SInputLeft, g.sInputTop, g.sInputWidth, SInputHeight));
    ui.B_Send->setGeometry(pixelRect(g.bSendLeft, g.bSendTop, BSendWidth, SInputHeight));
}
