#include "MainWindow.h"

#include "ui/widgets/ChatHistoryView.h"
#include "ui/dialogs/LogViewer.h"
#include "compat/AppInfo.h"
#include "echolink/EchoLinkSession.h"
#include "compat/ErrorTrap.h"
#include "compat/RunTimeError.h"
#include "system/InstanceGuard.h"
#include "desktop/MessageDialog.h"
#include "desktop/Twips.h"
#include "ui/dialogs/ScheduleDialog.h"
#include "ui/dialogs/OptionsDialog.h"
#include "ui/dialogs/AboutDialog.h"
#include "ui/ChatLayout.h"
#include "ui/widgets/LampBar.h"
#include "ui/widgets/StateLamp.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

MainWindow::MainWindow(MainServices services, QWidget *parent)
    : QMainWindow(parent),
      m_services(std::move(services)),
      m_ui(this),
      m_settings(*this, m_services.messages, m_services.folders),
      m_busy(m_settings, m_services.clock, SessionRef([this] { return session(); }), *this),
      m_timer(m_settings, m_services.clock, SessionRef([this] { return session(); }), m_services.beeper,
              *this, m_busy),
      m_log(m_settings, m_services.clock),
      m_chat(m_settings, m_services.clock, SessionRef([this] { return session(); }), m_services.clipboard,
             m_log, *this),
      m_tick(m_services.clock)
{
    connectControls();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectControls()
{
    connect(m_ui.optionsAction, &QAction::triggered, this, &MainWindow::openOptions);
    connect(m_ui.scheduleAction, &QAction::triggered, this, &MainWindow::openSchedule);
    connect(m_ui.exitAction, &QAction::triggered, this, &MainWindow::exitProgram);
    connect(m_ui.aboutAction, &QAction::triggered, this, &MainWindow::openAbout);
    connect(m_ui.logOpen, &QPushButton::clicked, this, &MainWindow::openLogViewer);
    connect(m_ui.send, &QPushButton::clicked, this, [this] { m_chat.sendMessage(); });
    connect(m_ui.clear, &QPushButton::clicked, this, [this] { m_chat.clearHistory(); });
    connect(m_ui.busy, &QCheckBox::clicked, this, [this] { m_busy.onBusyClicked(); });
    connect(&m_tick, &TickScheduler::tick, this, [this] { m_timer.onTick(); });
    m_ui.input->installEventFilter(this);
    history()->setKeyHandlers(
        [this](int keyCode, int shift) { return m_chat.historyKeyDown(keyCode, shift); },
        [this](int character) { return m_chat.historyKeyPress(character); });
}

ChatHistoryView *MainWindow::history() const
{
    return m_ui.history;
}

// Any error in the sequence takes the start-up failure path.
void MainWindow::startUp()
{
    try {
        runStartUp();
    } catch (...) {
        m_services.messages.show(QStringLiteral("Please! Chek vln.ini [VLNDir] session"));
        onEchoLinkClosing();
    }
}

void MainWindow::runStartUp()
{
    m_settings.locateProgramFolder();
    m_settings.load();

    if (!m_settings.echoLinkInstalled()) {
        m_services.messages.show(QStringLiteral("EchoLink not Installed!"));
        shutDown();
        endAtStartUp();
        return;
    }
    if (m_services.instance.anotherInstanceRunning()) {
        m_services.messages.show(QStringLiteral("already Running EchoLink Program"),
                                 QStringLiteral("VorlaneMonitor"));
        releaseEchoLink();
        endAtStartUp();
        return;
    }

    attachEchoLink();
    if (!m_session) {
        m_services.messages.show(QStringLiteral("Launch EchoLink Faild!!"), QStringLiteral("missing!!"));
        return;
    }

    if (!m_settings.ensureLogsFolder())
        throw FileError("Logs folder");

    setWindowTitle(AppInfo::captionPrefix());
    m_timer.resetCount();

    const Settings &s = m_settings.settings();
    m_ui.dateStamp->setChecked(s.stampDate);
    m_ui.timeStamp->setChecked(s.stampTime);
    m_ui.log->setChecked(s.logChat);
    m_checkBoxesLive = true;

    m_hasOptionsDialog = true;
    m_ui.setChatFontSize(s.fontSize);
    m_tick.start();
    m_timer.updateTotal();
}

// Unloading the window runs onUnload(), which saves once more.
void MainWindow::endAtStartUp()
{
    releaseOptionsDialog();
    unload();
    endProgram();
}

OptionsDialog *MainWindow::optionsDialog()
{
    if (!m_hasOptionsDialog)
        throw RunTimeError("Object variable not set");
    if (!m_optionsDialog) {
        m_optionsDialog = new OptionsDialog(m_settings, *this, m_services.messages, this);
        connect(m_optionsDialog, &OptionsDialog::applied, this, &MainWindow::onOptionsApplied);
    }
    return m_optionsDialog;
}

void MainWindow::releaseOptionsDialog()
{
    m_hasOptionsDialog = false;
    if (!m_optionsDialog)
        return;
    m_optionsDialog->deleteLater();
    m_optionsDialog = nullptr;
}

// From here on EchoLink's events reach the window; creating the session may
// throw, which takes the start-up failure path.
void MainWindow::attachEchoLink()
{
    m_session = m_services.createSession();
    if (!m_session)
        return;
    EchoLinkSession *echoLink = m_session.get();
    connect(echoLink, &EchoLinkSession::closing, this, &MainWindow::onEchoLinkClosing);
    connect(echoLink, &EchoLinkSession::transmitChanged, this, [this](bool on) { m_timer.onTransmitChanged(on); });
    connect(echoLink, &EchoLinkSession::receiveChanged, this, [this](bool on) { m_timer.onReceiveChanged(on); });
    connect(echoLink, &EchoLinkSession::connected, this,
            [this](const QString &callsign) { m_chat.onConnected(callsign); });
    connect(echoLink, &EchoLinkSession::disconnected, this, [this] { m_chat.onDisconnected(); });
    connect(echoLink, &EchoLinkSession::chatTextReceived, this,
            [this](const QString &chatLine) { m_chat.onChatTextReceived(chatLine); });
}

// The session may be the sender of the event being handled, so it is
// deleted once control is back in the event loop.
void MainWindow::releaseEchoLink()
{
    if (!m_session)
        return;
    disconnect(m_session.get(), nullptr, this, nullptr);
    m_session.release()->deleteLater();
}

void MainWindow::shutDown()
{
    ErrorTrap::report(m_services.messages, QStringLiteral("ProgEnding Error"), [this] {
        if (!isMinimized())
            m_settings.save();
        releaseEchoLink();
        releaseOptionsDialog();
    });
}

void MainWindow::exitProgram()
{
    ErrorTrap::report(m_services.messages, QStringLiteral("mnuExit Error"), [this] {
        shutDown();
        unload();
        endProgram();
    });
}

void MainWindow::onEchoLinkClosing()
{
    ErrorTrap::report(m_services.messages, QStringLiteral("Echo_Closing Error"), [this] {
        shutDown();
        unload();
        endProgram();
    });
}

void MainWindow::onUnload()
{
    ErrorTrap::report(m_services.messages, QStringLiteral("Form_Unload Error"), [this] {
        shutDown();
        endProgram();
    });
}

// Unloading the window always runs onUnload(), whether the user closed it
// or the program did.
void MainWindow::unload()
{
    if (m_unloading)
        return;
    m_unloading = true;
    m_tick.stop();
    onUnload();
    hide();
}

void MainWindow::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    emit programEnded();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    unload();
    event->accept();
}

void MainWindow::openOptions()
{
    ErrorTrap::silent([this] { optionsDialog()->exec(); });
}

void MainWindow::openSchedule()
{
    ErrorTrap::silent([this] {
        ScheduleDialog dialog(m_settings, *this, m_services.messages, this);
        connect(&dialog, &ScheduleDialog::scheduleArmed, this,
                [this](bool first, bool second) { m_busy.armSchedule(first, second); });
        dialog.exec();
    });
}

void MainWindow::openLogViewer()
{
    ErrorTrap::silent([this] {
        LogViewer viewer(m_settings, m_services.clock, *this, m_services.messages, m_services.clipboard,
                         m_services.fileDialog, this);
        if (viewer.load())
            viewer.exec();
    });
}

void MainWindow::openAbout()
{
    ErrorTrap::silent([this] {
        AboutDialog about(this, m_services.messages);
        about.exec();
    });
}

// The options dialog was confirmed: the count restarts from the new limit
// and the boxes and the chat font follow the settings.
void MainWindow::onOptionsApplied()
{
    ErrorTrap::silent([this] {
        m_timer.applyLimit();
        const Settings &s = m_settings.settings();
        m_ui.dateStamp->setChecked(s.stampDate);
        m_ui.timeStamp->setChecked(s.stampTime);
        m_ui.log->setChecked(s.logChat);
        m_ui.setChatFontSize(s.fontSize);
    });
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

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui.input && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return m_chat.inputKeyPress(ChatPanel::keyEnter) == 0;
    }
    return QMainWindow::eventFilter(watched, event);
}

// MainWindowState: the outer placement in twips, the size through the design
// frame allowance.
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

bool MainWindow::isDateStampChecked() const
{
    return m_checkBoxesLive ? m_ui.dateStamp->isChecked() : m_settings.settings().stampDate;
}

bool MainWindow::isTimeStampChecked() const
{
    return m_checkBoxesLive ? m_ui.timeStamp->isChecked() : m_settings.settings().stampTime;
}

bool MainWindow::isLogChecked() const
{
    return m_checkBoxesLive ? m_ui.log->isChecked() : m_settings.settings().logChat;
}

// TimerView: each setter leaves an unchanged control alone, so the tick
// repaints only what changed.
void MainWindow::setLabelColour(QWidget *label, QPalette::ColorRole role, const QColor &colour)
{
    if (label->palette().color(role) == colour)
        return;
    QPalette palette = label->palette();
    palette.setColor(role, colour);
    label->setPalette(palette);
}

void MainWindow::setStatusText(const QString &text)
{
    if (m_ui.status->text() != text)
        m_ui.status->setText(text);
}

void MainWindow::setStatusBackground(const QColor &colour)
{
    setLabelColour(m_ui.status, QPalette::Window, colour);
}

void MainWindow::setStatusColour(const QColor &colour)
{
    setLabelColour(m_ui.status, QPalette::WindowText, colour);
}

void MainWindow::setStateLampColour(const QColor &colour)
{
    m_ui.stateLamp->setFillColour(colour);
}

void MainWindow::setCountText(const QString &text)
{
    if (m_ui.count->text() != text)
        m_ui.count->setText(text);
}

void MainWindow::setLampColours(const LampColours::Table &colours)
{
    m_ui.lampBar->setColours(colours);
}

void MainWindow::setDayText(const QString &text)
{
    if (m_ui.day->text() != text)
        m_ui.day->setText(text);
}

void MainWindow::setDayColour(const QColor &colour)
{
    setLabelColour(m_ui.day, QPalette::WindowText, colour);
}

void MainWindow::requestAttention()
{
    if (!isActiveWindow())
        QApplication::alert(this);
}

void MainWindow::setCaption(const QString &caption)
{
    if (windowTitle() != caption)
        setWindowTitle(caption);
}

bool MainWindow::isMinimised() const
{
    return isMinimized();
}

bool MainWindow::isBusyChecked() const
{
    return m_ui.busy->isChecked();
}

void MainWindow::setBusyChecked(bool checked)
{
    m_ui.busy->setChecked(checked);
}

void MainWindow::setChatBackgroundBusy(bool busy)
{
    setLabelColour(m_ui.history, QPalette::Base, BusyView::chatBackground(busy, palette()));
}

void MainWindow::appendHistory(const QString &chunk)
{
    history()->appendCrLfText(chunk);
}

void MainWindow::setHistory(const QString &text)
{
    history()->setCrLfText(text);
}

void MainWindow::moveHistoryCaretToEnd()
{
    history()->moveCaretToEnd();
}

QString MainWindow::selectedHistoryText() const
{
    return history()->selectedCrLfText();
}

QString MainWindow::inputText() const
{
    return m_ui.input->text();
}

void MainWindow::clearInput()
{
    m_ui.input->clear();
}

void MainWindow::focusInput()
{
    m_ui.input->setFocus();
}

void MainWindow::setConnectedCall(const QString &callsign)
{
    m_ui.connectedCall->setText(callsign);
}
