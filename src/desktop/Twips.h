#pragma once

#include <QPoint>
#include <QRect>

// Lengths are designed in twips, 1/1440 inch: 15 twips to a pixel at the
// screen's logical 96 dots per inch. Qt's device-independent pixels follow
// the desktop's scaling, so the designed sizes hold at 100 % and 200 %.
namespace Twips {

double perPixel();
int toPixels(double twips);
double fromPixels(int pixels);
QRect rect(double left, double top, double width, double height);

} // namespace Twips
