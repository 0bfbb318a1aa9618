#pragma once

#include "MainWindowUi.h"
#include "settings/Settings.h"

#include <QMainWindow>

// The main window: its controls (ui()), its placement in twips as vln.ini
// keeps it, and the rule by which the chat controls follow its size. What
// the user does with it is told by signals; the window itself decides
// nothing.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);

    MainWindowUi &ui() { return m_ui; }
    const MainWindowUi &ui() const { return m_ui; }

    // The outer placement in twips, the size through the design frame
    // allowance.
    WindowPlacement placement() const;
    void setPlacement(const WindowPlacement &placement);

signals:
    // Enter was pressed in the input line.
    void sendRequested();
    // The user closes the window (its close box, Alt+F4); once the signal
    // has been handled the window closes.
    void closing();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layOutChat();
    int menuBarHeight() const;

    MainWindowUi m_ui;
};
