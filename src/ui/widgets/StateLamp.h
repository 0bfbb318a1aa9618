#pragma once

#include <QColor>
#include <QWidget>

// The state lamp: a filled circle centred in its 255 x 375 twip box
// (a circle shape takes the smaller side as its diameter). Design fill grey.
class StateLamp : public QWidget
{
    Q_OBJECT

public:
    explicit StateLamp(QWidget *parent = nullptr);

    // Repaints only when the colour differs from the current one.
    void setFillColour(const QColor &colour);
    QColor fillColour() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fill;
};
