#include "LampBar.h"

#include "platform/Twips.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr double Pitch = 60;   // lamp i starts at Pitch * i
constexpr double Width = 75;   // one lamp, borders included
constexpr double Top = 600;
constexpr double Height = 255;

QColor designColour(int index)
{
    if (index <= 60)
        return QColor(0, 255, 0);
    if (index <= 75)
        return QColor(255, 255, 0);
    return QColor(255, 0, 0);
}

} // namespace

LampBar::LampBar(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Shape1"));
    for (int i = 1; i <= LampCount; ++i)
        m_colours[i] = designColour(i);
    const double first = Pitch;
    const double end = Pitch * LampCount + Width;
    setGeometry(Twips::rect(first, Top, end - first, Height));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LampBar::setColours(const std::array<QColor, LampCount + 1> &colours)
{
    if (std::equal(colours.begin() + 1, colours.end(), m_colours.begin() + 1))
        return;
    std::copy(colours.begin() + 1, colours.end(), m_colours.begin() + 1);
    update();
}

QColor LampBar::colour(int index) const
{
    return m_colours.at(index);
}

void LampBar::paintEvent(QPaintEvent *)
{
    // Edges are rounded separately so the lamps keep a regular pitch at any
    // scale; each lamp's border covers the right border of the one before.
    QPainter painter(this);
    const QColor border(128, 128, 128);
    const int origin = Twips::toPixels(Pitch);
    for (int i = 1; i <= LampCount; ++i) {
        const int left = Twips::toPixels(Pitch * i) - origin;
        const int right = Twips::toPixels(Pitch * i + Width) - origin;
        const QRect lamp(left, 0, right - left, height());
        painter.fillRect(lamp, border);
        painter.fillRect(lamp.adjusted(1, 1, -1, -1), m_colours[i]);
    }
}
