#include "MainWindowUi.h"

#include "AppIcon.h"
#include "ui/widgets/EtchedRule.h"
#include "ui/widgets/LampBar.h"
#include "ui/widgets/StateLamp.h"
#include "ui/widgets/ChatHistoryView.h"
#include "desktop/JapaneseFont.h"
#include "desktop/Twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

constexpr double ClientWidth = 5520;
constexpr double ClientHeight = 7770;

template <typename T>
T *named(T *object, const char *name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

template <typename W>
W *place(W *widget, const char *name, double left, double top, double width, double height)
{
    widget->setGeometry(Twips::rect(left, top, width, height));
    return named(widget, name);
}

QLabel *statusLabel(QWidget *parent, const char *name, double left, double width, double points,
                    const QString &text = QString())
{
    auto *label = place(new QLabel(text, parent), name, left, 120, width, 375);
    label->setAlignment(Qt::AlignCenter);
    // Callsigns and the like come from the network: never markup.
    label->setTextFormat(Qt::PlainText);
    label->setAutoFillBackground(true);
    label->setFont(JapaneseFont::font(points, true));
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor(224, 224, 224));
    label->setPalette(palette);
    return label;
}

template <typename W>
W *switchRowControl(QWidget *parent, const char *name, const QString &caption, double left, double width)
{
    auto *control = place(new W(caption, parent), name, left, 960, width, 325);
    control->setFont(JapaneseFont::font(9));
    return control;
}

QAction *exitAfterSeparator(QMenu *menu)
{
    menu->addSeparator();
    return named(menu->addAction(QStringLiteral("Exit(&E)")), "exitAction");
}

QWidget *clientArea(QMainWindow *window)
{
    // The window font goes on the client area so the menu keeps the
    // system's font, as a native menu bar would.
    auto *central = named(new QWidget(window), "central");
    central->setFont(JapaneseFont::font(12, true));
    window->setCentralWidget(central);
    return central;
}

} // namespace

MainWindowUi::MainWindowUi(QMainWindow *window)
    : fileMenu(named(window->menuBar()->addMenu(QStringLiteral("File(&F)")), "fileMenu")),
      optionsAction(named(fileMenu->addAction(QStringLiteral("Option(&O)")), "optionsAction")),
      scheduleAction(named(fileMenu->addAction(QStringLiteral("Timer(&T)")), "scheduleAction")),
      exitAction(exitAfterSeparator(fileMenu)),
      aboutAction(named(window->menuBar()->addAction(QStringLiteral("About(&A)")), "aboutAction")),
      central(clientArea(window)),
      rule(new EtchedRule(EtchedRule::etched(5460, {4380, 5520}), 0, 0, central)),
      stateLamp(place(new StateLamp(central), "stateLamp", 60, 120, 255, 375)),
      count(statusLabel(central, "count", 360, 1395, 14.25, QStringLiteral("00:00:00"))),
      connectedCall(statusLabel(central, "connectedCall", 1750, 1750, 12)),
      status(statusLabel(central, "status", 3510, 1330, 14.25)),
      day(statusLabel(central, "day", 4850, 620, 11.25)),
      lampBar(new LampBar(central)),
      dateStamp(switchRowControl<QCheckBox>(central, "dateStamp", QStringLiteral("Date"), 120, 795)),
      timeStamp(switchRowControl<QCheckBox>(central, "timeStamp", QStringLiteral("Time"), 960, 795)),
      log(switchRowControl<QCheckBox>(central, "log", QStringLiteral("Log"), 1800, 795)),
      clear(switchRowControl<QPushButton>(central, "clear", QStringLiteral("Clear"), 2640, 795)),
      busy(switchRowControl<QCheckBox>(central, "busy", QStringLiteral("Busy"), 3480, 795)),
      logOpen(switchRowControl<QPushButton>(central, "logOpen", QStringLiteral("Log Open"), 4500, 915)),
      // The history view brings its own key handling, wrapping and scroll bar.
      history(place(new ChatHistoryView(central), "history", 20, 1320, 5415, 5895)),
      input(place(new QLineEdit(central), "input", 20, 7320, 4755, 360)),
      send(place(new QPushButton(QStringLiteral("Send"), central), "send", 4860, 7320, 555, 360))
{
    window->setObjectName(QStringLiteral("mainWindow"));
    window->setWindowTitle(QStringLiteral("VorlaneMonitor"));
    window->setWindowIcon(AppIcon::icon());

    // The status word starts in the design's olive until a state colours it.
    QPalette statusPalette = status->palette();
    statusPalette.setColor(QPalette::WindowText, QColor(192, 192, 0));
    status->setPalette(statusPalette);

    history->setFont(JapaneseFont::font(9));
    input->setFont(JapaneseFont::font(12));
    send->setFont(JapaneseFont::font(9));

    QWidget *tabOrder[] = {input, send, dateStamp, timeStamp, log, clear, busy, logOpen, history};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
    input->setFocus();

    window->resize(Twips::toPixels(ClientWidth),
                   Twips::toPixels(ClientHeight) + window->menuBar()->sizeHint().height());
}

void MainWindowUi::setChatFontSize(int points) const
{
    QFont font = history->font();
    font.setPointSize(points);
    history->setFont(font);
}
