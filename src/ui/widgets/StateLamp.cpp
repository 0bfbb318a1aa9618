#include "StateLamp.h"

#include <QPainter>

StateLamp::StateLamp(QWidget *parent)
    : QWidget(parent)
    , m_fill(128, 128, 128)
{
}

void StateLamp::setFillColour(const QColor &colour)
{
    if (colour == m_fill)
        return;
    m_fill = colour;
    update();
}

QColor StateLamp::fillColour() const
{
    return m_fill;
}

void StateLamp::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal diameter = qMin(width(), height()) - 1;
    QRectF circle(0, 0, diameter, diameter);
    circle.moveCenter(QRectF(rect()).center());
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(m_fill);
    painter.drawEllipse(circle);
}
