#include "MainWindowUi.h"

#include "AppIcon.h"
#include "compat/Texts.h"
#include "desktop/JapaneseFont.h"
#include "desktop/Twips.h"
#include "compat/DesignColours.h"
#include "ui/widgets/AccessibleWidgets.h"
#include "ui/widgets/ChatHistoryView.h"
#include "ui/widgets/EtchedRule.h"
#include "ui/widgets/LampBar.h"
#include "ui/widgets/ScreenReaderNotice.h"
#include "ui/widgets/StateLamp.h"
#include "ui/widgets/StatusPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <map>

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
    return named(menu->addAction(Texts::exitMenu), "exitAction");
}

QWidget *clientArea(QMainWindow *window)
{
    // Before the first widget, so each gets its accessible interface.
    AccessibleWidgets::install();
    // The window font goes on the client area so the menu keeps the
    // system's font, as a native menu bar would.
    auto *central = named(new QWidget(window), "central");
    central->setFont(JapaneseFont::font(12, true));
    window->setCentralWidget(central);
    return central;
}

// Leaves an unchanged colour alone, so the tick repaints only what changed.
void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    if (widget->palette().color(role) == colour)
        return;
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// A readout's text and, for a screen reader, what it is: "Time left 00:02:57".
void setText(QLabel *label, const QString &text, const QString &spoken)
{
    if (label->text() == text)
        return;
    label->setText(text);
    label->setAccessibleName(spoken);
}

// Spans the top row from the client area's corner, so the row's controls
// keep their places; it paints nothing.
StatusPanel *statusPanel(QWidget *central)
{
    auto *panel = named(new StatusPanel(central), "statusPanel");
    panel->setGeometry(Twips::rect(0, 0, 5520, 600));
    return panel;
}

QString timeLeft(const QString &count)
{
    return QStringLiteral("Time left ") + count;
}

QString connectedTo(const QString &callsign)
{
    return callsign.isEmpty() ? QStringLiteral("Not connected") : QStringLiteral("Connected to ") + callsign;
}

// The day label's abbreviation, spoken whole.
QString dayName(const QString &abbreviation)
{
    for (int day = 1; day <= 7; ++day) {
        if (QLocale::c().dayName(day, QLocale::ShortFormat) == abbreviation)
            return QLocale::c().dayName(day, QLocale::LongFormat);
    }
    return abbreviation;
}

} // namespace

MainWindowUi::MainWindowUi(QMainWindow *window)
    : window(window),
      fileMenu(named(window->menuBar()->addMenu(Texts::fileMenu), "fileMenu")),
      optionsAction(named(fileMenu->addAction(Texts::optionsMenu), "optionsAction")),
      scheduleAction(named(fileMenu->addAction(Texts::scheduleMenu), "scheduleAction")),
      exitAction(exitAfterSeparator(fileMenu)),
      aboutAction(named(window->menuBar()->addAction(Texts::aboutMenu), "aboutAction")),
      central(clientArea(window)),
      rule(new EtchedRule(EtchedRule::etched(5460, {4380, 5520}), 0, 0, central)),
      statusPanel(::statusPanel(central)),
      stateLamp(place(new StateLamp(statusPanel), "stateLamp", 60, 120, 255, 375)),
      count(statusLabel(statusPanel, "count", 360, 1395, 14.25, QStringLiteral("00:00:00"))),
      connectedCall(statusLabel(statusPanel, "connectedCall", 1750, 1750, 12)),
      status(statusLabel(statusPanel, "status", 3510, 1330, 14.25)),
      day(statusLabel(statusPanel, "day", 4850, 620, 11.25)),
      lampBar(new LampBar(central)),
      dateStamp(switchRowControl<QCheckBox>(central, "dateStamp", Texts::dateBox, 120, 795)),
      timeStamp(switchRowControl<QCheckBox>(central, "timeStamp", Texts::timeBox, 960, 795)),
      log(switchRowControl<QCheckBox>(central, "log", Texts::logBox, 1800, 795)),
      clear(switchRowControl<QPushButton>(central, "clear", Texts::clearButton, 2640, 795)),
      busy(switchRowControl<QCheckBox>(central, "busy", Texts::busyBox, 3480, 795)),
      logOpen(switchRowControl<QPushButton>(central, "logOpen", Texts::logOpenButton, 4500, 915)),
      // The history view brings its own key handling, wrapping and scroll bar.
      history(place(new ChatHistoryView(central), "history", 20, 1320, 5415, 5895)),
      input(place(new QLineEdit(central), "input", 20, 7320, 4755, 360)),
      send(place(new QPushButton(Texts::sendButton, central), "send", 4860, 7320, 555, 360)),
      notice(new ScreenReaderNotice(central))
{
    window->setObjectName(QStringLiteral("mainWindow"));
    window->setWindowTitle(Texts::monitorTitle);
    window->setWindowIcon(AppIcon::icon());

    // The status word starts in the design's olive until a state colours it.
    QPalette statusPalette = status->palette();
    statusPalette.setColor(QPalette::WindowText, QColor(192, 192, 0));
    status->setPalette(statusPalette);

    count->setAccessibleName(timeLeft(count->text()));
    connectedCall->setAccessibleName(connectedTo(QString()));
    setStateLamp(LampState::Idle);
    history->setAccessibleName(QStringLiteral("Chat history"));
    input->setAccessibleName(QStringLiteral("Chat message"));

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

void MainWindowUi::setSwitches(const ChatSwitches &switches) const
{
    dateStamp->setChecked(switches.stampDate);
    timeStamp->setChecked(switches.stampTime);
    log->setChecked(switches.logChat);
}

void MainWindowUi::setStatusText(const QString &text)
{
    setText(status, text, text);
}

void MainWindowUi::setStatusBackground(const QColor &colour)
{
    setColour(status, QPalette::Window, colour);
}

void MainWindowUi::setStatusColour(const QColor &colour)
{
    setColour(status, QPalette::WindowText, colour);
}

void MainWindowUi::setStateLamp(LampState state)
{
    struct Look
    {
        QColor colour;
        const char *spoken;
    };
    static const std::map<LampState, Look> looks = {
        {LampState::Idle, {DesignColours::idleLamp, "Idle"}},
        {LampState::Transmitting, {DesignColours::transmitLamp, "Transmitting"}},
        {LampState::Receiving, {DesignColours::receiveLamp, "Receiving"}},
        {LampState::Waiting, {DesignColours::waitLamp, "Standby wait"}},
    };
    const Look &look = looks.at(state);
    stateLamp->setFillColour(look.colour);
    if (stateLamp->accessibleName() != QLatin1String(look.spoken))
        stateLamp->setAccessibleName(QLatin1String(look.spoken));
}

void MainWindowUi::setCountText(const QString &text)
{
    setText(count, text, timeLeft(text));
}

void MainWindowUi::setLampLevel(qint16 level)
{
    lampBar->setLevel(level);
}

void MainWindowUi::setDayText(const QString &text)
{
    setText(day, text, dayName(text));
}

void MainWindowUi::announce(const QString &text)
{
    notice->announce(text);
}

void MainWindowUi::setDayColour(const QColor &colour)
{
    setColour(day, QPalette::WindowText, colour);
}

void MainWindowUi::requestAttention()
{
    if (!window->isActiveWindow())
        QApplication::alert(window);
}

// A minimised window is named by its icon text for assistive technology;
// the caption, the count then, is its name too.
void MainWindowUi::setCaption(const QString &caption)
{
    if (window->windowTitle() != caption)
        window->setWindowTitle(caption);
    if (window->isMinimized() && window->windowIconText() != caption)
        window->setWindowIconText(caption);
}

bool MainWindowUi::isMinimised() const
{
    return window->isMinimized();
}

bool MainWindowUi::isBusyChecked() const
{
    return busy->isChecked();
}

void MainWindowUi::setBusyChecked(bool checked)
{
    busy->setChecked(checked);
}

void MainWindowUi::setChatBackgroundBusy(bool isBusy)
{
    setColour(history, QPalette::Base, BusyView::chatBackground(isBusy, window->palette()));
}

void MainWindowUi::appendHistory(const QString &chunk)
{
    history->appendCrLfText(chunk);
}

void MainWindowUi::setHistory(const QString &text)
{
    history->setCrLfText(text);
}

void MainWindowUi::moveHistoryCaretToEnd()
{
    history->moveCaretToEnd();
}

QString MainWindowUi::selectedHistoryText() const
{
    return history->selectedCrLfText();
}

QString MainWindowUi::inputText() const
{
    return input->text();
}

void MainWindowUi::clearInput()
{
    input->clear();
}

void MainWindowUi::focusInput()
{
    input->setFocus();
}

ChatSwitches MainWindowUi::switches() const
{
    return {dateStamp->isChecked(), timeStamp->isChecked(), log->isChecked()};
}

void MainWindowUi::setConnectedCall(const QString &callsign)
{
    connectedCall->setText(callsign);
    connectedCall->setAccessibleName(connectedTo(callsign));
}
