#include "EtchedRule.h"

#include "desktop/Twips.h"

#include <QPainter>

#include <algorithm>

EtchedRule::EtchedRule(std::vector<Stroke> strokes, double leftTwips, double topTwips, QWidget *parent)
    : QWidget(parent)
    , m_strokes(std::move(strokes))
{
    setObjectName(QStringLiteral("Line1"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    int width = 0;
    int height = 0;
    for (const Stroke &stroke : m_strokes) {
        width = std::max(width, Twips::toPixels(stroke.lengthTwips));
        height = std::max(height, stroke.thicknessPixels);
    }
    setGeometry(Twips::toPixels(leftTwips), Twips::toPixels(topTwips), width, height);
}

std::vector<EtchedRule::Stroke> EtchedRule::etched(double whiteTwips, std::vector<double> greyTwips)
{
    std::vector<Stroke> strokes{{QColor(255, 255, 255), whiteTwips, 2}};
    for (double length : greyTwips)
        strokes.push_back({QColor(128, 128, 128), length, 1});
    return strokes;
}

void EtchedRule::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (const Stroke &stroke : m_strokes)
        painter.fillRect(0, 0, Twips::toPixels(stroke.lengthTwips), stroke.thicknessPixels, stroke.colour);
}
