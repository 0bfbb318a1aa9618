// The yardstick for Vorlane's start-up and memory (bench/footprint.sh): the
// least a Qt Widgets program can do to show a window like Vorlane's - one
// top-level window of the main window's size with a row of 90 painted
// rectangles where the lamp bar sits - and it quits once that window has
// been painted.

#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

const int lampCount = 90;
const int pitch = 4;   // 60 twips
const int lampWidth = 5;
const int lampHeight = 17;
const int barTop = 40;

class BareWindow : public QWidget
{
protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        for (int i = 1; i <= lampCount; ++i) {
            const QRect lamp(pitch * (i - 1), barTop, lampWidth, lampHeight);
            painter.fillRect(lamp, QColor(128, 128, 128));
            painter.fillRect(lamp.adjusted(1, 1, -1, -1), i <= 60 ? Qt::green : i <= 75 ? Qt::yellow : Qt::red);
        }
        // Queued, so the backing store is flushed to the screen first.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BareWindow window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.resize(368, 537);
    window.show();
    return app.exec();
}
