#include "ChatLayout.h"

#include "MainWindowUi.h"
#include "compat/RunTimeError.h"
#include "desktop/Twips.h"
#include "ui/widgets/ChatHistoryView.h"

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
    const float historyHeight = h - (float(HistoryTop) + float(InputHeight) + below);
    const float historyWidth = w - (float(HistoryLeft) + margin);
    const float inputTop = h - (float(InputHeight) + below);
    const float inputWidth = w - (float(InputLeft) + float(SendWidth) + margin);
    const float sendLeft = float(InputLeft) + inputWidth;
    return {historyWidth, historyHeight, inputTop, inputWidth, inputTop, sendLeft};
}

void applyChatGeometry(const MainWindowUi &ui, const ChatGeometry &g)
{
    using namespace ChatDesign;
    if (g.historyWidth < 0 || g.historyHeight < 0 || g.inputWidth < 0)
        throw InvalidPropertyValueError();
    ui.history->setGeometry(pixelRect(HistoryLeft, HistoryTop, g.historyWidth, g.historyHeight));
    ui.input->setGeometry(pixelRect(InputLeft, g.inputTop, g.inputWidth, InputHeight));
    ui.send->setGeometry(pixelRect(g.sendLeft, g.sendTop, SendWidth, InputHeight));
}
