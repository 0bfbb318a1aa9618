#include "MainWindow.h"

#include "ChatLayout.h"
#include "compat/ErrorTrap.h"
#include "desktop/Twips.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), m_ui(this)
{
    m_ui.input->installEventFilter(this);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    emit closing();
    event->accept();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    layOutChat();
}

// The chat controls follow the window's size; everything above them stays.
void MainWindow::layOutChat()
{
    ErrorTrap::silent([this] {
        if (isMinimized())
            return;
        const QWidget *client = m_ui.central;
        if (outerWidthTwips(client->width()) < MinOuterWidth)
            resize(centralWidthPx(MinOuterWidth), height());
        if (outerHeightTwips(client->height()) < MinOuterHeight)
            resize(width(), height() + centralHeightPx(MinOuterHeight) - client->height());
        applyChatGeometry(m_ui, chatGeometry(outerWidthTwips(client->width()),
                                             outerHeightTwips(client->height())));
    });
}

// Enter in the input line sends and goes no further.
bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui.input && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit sendRequested();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

WindowPlacement MainWindow::placement() const
{
    const QRect frame = frameGeometry();
    return {Twips::fromPixels(frame.x()), Twips::fromPixels(frame.y()), outerWidthTwips(width()),
            outerHeightTwips(height() - menuBarHeight())};
}

void MainWindow::setPlacement(const WindowPlacement &p)
{
    move(Twips::toPixels(p.left), Twips::toPixels(p.top));
    resize(centralWidthPx(p.width), centralHeightPx(p.height) + menuBarHeight());
}

// Taken from the menu bar's own size rather than from the laid-out client
// area, which has its real size only once the window has been shown; the
// placement is read and set before that too.
int MainWindow::menuBarHeight() const
{
    return menuBar()->sizeHint().height();
}
