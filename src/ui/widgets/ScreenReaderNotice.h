#pragma once

#include <QWidget>

// Speaks short texts through a running screen reader without moving the
// focus and without anything to see: an empty notification object whose
// name is the last text said. Windows' screen readers get it as a UI
// Automation notification; on Linux (AT-SPI) the notification shows anew,
// which Orca presents.
class ScreenReaderNotice : public QWidget
{
    Q_OBJECT

public:
    explicit ScreenReaderNotice(QWidget *parent = nullptr);

    void announce(const QString &text);
};
