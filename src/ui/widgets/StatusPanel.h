#pragma once

#include <QWidget>

// The top row of the main window (state lamp, count, connected station,
// status word, day) in one transparent container, which assistive
// technology sees as the window's status bar: a screen reader's "read
// status bar" command reads the row in one go.
class StatusPanel : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;
};
