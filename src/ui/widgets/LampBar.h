#pragma once

#include <QColor>
#include <QWidget>

#include <array>

// The bar of 90 lamps (indexes 1 to 90) as one widget. Lamp i sits
// at left 60 * i twips of the client area, 75 x 255 twips, solid fill with a
// grey (128,128,128) border; neighbours overlap by one border, as designed.
// The widget places itself at the bar's design position (top 600) in its
// parent. Design colours: 1-60 green, 61-75 yellow, 76-90 red.
class LampBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int LampCount = 90;

    explicit LampBar(QWidget *parent = nullptr);

    // Index 0 is unused. Schedules one repaint, and only when a lamp changed.
    void setColours(const std::array<QColor, LampCount + 1> &colours);
    QColor colour(int index) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::array<QColor, LampCount + 1> m_colours;
};
