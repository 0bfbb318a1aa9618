#include "LampBar.h"

#include "desktop/Twips.h"

#include <QAccessible>
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
    setObjectName(QStringLiteral("lampBar"));
    for (int i = 1; i <= LampCount; ++i)
        m_colours[i] = designColour(i);
    const double first = Pitch;
    const double end = Pitch * LampCount + Width;
    setGeometry(Twips::rect(first, Top, end - first, Height));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LampBar::setLevel(qint16 level)
{
    const LampColours::Table colours = LampColours::forLevel(level);
    const int lit = std::clamp(int(level), 0, LampCount);
    if (lit != m_litLamps) {
        m_litLamps = lit;
        QAccessibleValueChangeEvent event(this, lit);
        QAccessible::updateAccessibility(&event);
    }
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
    // The lamps overlap, so one grey fill draws every border at once; each
    // lamp's inside then stops where the next lamp's border begins. Edges are
    // rounded separately so the lamps keep a regular pitch at any scale.
    QPainter painter(this);
    painter.fillRect(rect(), QColor(128, 128, 128));
    const int origin = Twips::toPixels(Pitch);
    int left = 0;
    for (int i = 1; i <= LampCount; ++i) {
        const int right = Twips::toPixels(Pitch * i + Width) - origin;
        const int next = Twips::toPixels(Pitch * (i + 1)) - origin;
        const int end = i < LampCount ? std::min(right - 1, next) : right - 1;
        painter.fillRect(QRect(QPoint(left + 1, 1), QPoint(end - 1, height() - 2)), m_colours[i]);
        left = next;
    }
}
