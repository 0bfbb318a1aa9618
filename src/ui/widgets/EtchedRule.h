#pragma once

#include <QColor>
#include <QWidget>

#include <vector>

// Horizontal lines drawn from the widget's left edge along its top, in order
// (later strokes over earlier ones). A white stroke two pixels high under a
// grey one gives the etched rule of the main window and the about box.
class EtchedRule : public QWidget
{
    Q_OBJECT

public:
    struct Stroke
    {
        QColor colour;
        double lengthTwips;
        int thicknessPixels;
    };

    // Places itself at (left, top) twips of parent, wide enough for the
    // longest stroke.
    EtchedRule(std::vector<Stroke> strokes, double leftTwips, double topTwips, QWidget *parent);

    // The designed white/grey pair: white `whiteTwips` long two pixels high,
    // then grey strokes of the given lengths.
    static std::vector<Stroke> etched(double whiteTwips, std::vector<double> greyTwips);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<Stroke> m_strokes;
};
