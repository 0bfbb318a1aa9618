#include "SwitchBox.h"

#include <QStyleOptionButton>
#include <QStylePainter>

void SwitchBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const int side = qMin(width(), height());
    option.rect = QRect(0, (height() - side) / 2, side, side);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, option);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = option.rect;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool SwitchBox::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}
