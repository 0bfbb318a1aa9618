#pragma once

#include "LampColours.h"

#include <QWidget>

// The bar of 90 lamps (indexes 1 to 90) as one widget. Lamp i sits
// at left 60 * i twips of the client area, 75 x 255 twips, solid fill with a
// grey (128,128,128) border; neighbours overlap by one border, as designed.
// The widget places itself at the bar's design position (top 600) in its
// parent. Until a level is set it shows the design colours: 1-60 green,
// 61-75 yellow, 76-90 red.
//
// For assistive technology it is a progress bar whose value is the number
// of lamps lit, 0 to 90.
class LampBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int LampCount = LampColours::LampCount;

    explicit LampBar(QWidget *parent = nullptr);

    // Lights lamps 1 to level (see LampColours::forLevel, which throws for
    // a level the bar has no lamp for). Repaints only when a lamp changed.
    void setLevel(qint16 level);
    // Lamps lit, 0 to 90; 0 before any level was set.
    int litLamps() const { return m_litLamps; }
    QColor colour(int index) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    LampColours::Table m_colours;
    int m_litLamps = 0;
};
