#pragma once

#include <QCheckBox>

// A check box that is only its indicator, drawn to fit the box's own size:
// the options dialog's boxes are narrower than the style's indicator, which
// would lose its edges otherwise, at 200 % more than at 100 %. A click
// anywhere on the box toggles it.
class SwitchBox : public QCheckBox
{
    Q_OBJECT

public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;
};
