#include "AppController.h"

#include "compat/AppInfo.h"
#include "compat/ErrorTrap.h"
#include "compat/RunTimeError.h"
#include "compat/Texts.h"
#include "desktop/MessageDialog.h"
#include "echolink/EchoLinkSession.h"
#include "system/InstanceGuard.h"
#include "ui/dialogs/AboutDialog.h"
#include "ui/dialogs/LogViewer.h"
#include "ui/dialogs/OptionsDialog.h"
#include "ui/dialogs/ScheduleDialog.h"
#include "ui/widgets/ChatHistoryView.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

AppController::AppController(MainServices services, QObject *parent)
    : QObject(parent),
      m_services(std::move(services)),
      m_settings(m_services.messages, m_services.folders),
      m_busy(m_settings.settings(), m_services.clock, SessionRef([this] { return session(); }), m_window.ui()),
      m_timer(m_settings.settings(), m_services.clock, SessionRef([this] { return session(); }),
              m_services.beeper, m_window.ui(), m_busy),
      m_log(m_settings.settings(), m_services.clock),
      m_chat(m_settings.settings(), m_services.clock, SessionRef([this] { return session(); }),
             m_services.clipboard, m_log, m_window.ui()),
      m_tick(m_services.clock)
{
    connectWindow();
}

AppController::~AppController() = default;

void AppController::connectWindow()
{
    const MainWindowUi &ui = m_window.ui();
    connect(ui.optionsAction, &QAction::triggered, this, &AppController::openOptions);
    connect(ui.scheduleAction, &QAction::triggered, this, &AppController::openSchedule);
    connect(ui.exitAction, &QAction::triggered, this, &AppController::onExitChosen);
    connect(ui.aboutAction, &QAction::triggered, this, &AppController::openAbout);
    connect(ui.logOpen, &QPushButton::clicked, this, &AppController::openLogViewer);
    connect(ui.send, &QPushButton::clicked, this, [this] { m_chat.sendMessage(); });
    connect(&m_window, &MainWindow::sendRequested, this, [this] { m_chat.sendMessage(); });
    connect(ui.clear, &QPushButton::clicked, this, [this] { m_chat.clearHistory(); });
    connect(ui.busy, &QCheckBox::clicked, this, [this] { m_busy.onBusyClicked(); });
    connect(&m_window, &MainWindow::closing, this, &AppController::closeMainWindow);
    connect(&m_tick, &TickScheduler::tick, this, [this] { m_timer.onTick(); });
    connect(&m_settings, &SettingsStore::optionsApplied, this, &AppController::onOptionsApplied);
    connect(&m_settings, &SettingsStore::scheduleApplied, this,
            [this](bool first, bool second) { m_busy.armSchedule(first, second); });
    ui.history->setKeyHandler(
        [this](int key, Qt::KeyboardModifiers modifiers) { m_chat.onHistoryKey(key, modifiers); });
}

// Any error in the sequence takes the start-up failure path.
void AppController::startUp()
{
    try {
        runStartUpSteps();
    } catch (...) {
        failStartUp();
    }
}

void AppController::runStartUpSteps()
{
    m_settings.locateProgramFolder();
    if (const auto placement = m_settings.load().placement)
        m_window.setPlacement(*placement);

    if (!m_settings.echoLinkInstalled()) {
        refuseWithoutEchoLink();
        return;
    }
    if (m_services.instance.anotherInstanceRunning()) {
        refuseSecondInstance();
        return;
    }

    attachEchoLink();
    if (!m_session) {
        // The window stays open, without a session and without a tick.
        m_services.messages.show(Texts::launchFailed, Texts::launchFailedTitle);
        return;
    }

    if (!m_settings.ensureLogsFolder())
        throw FileError("Logs folder");

    m_window.setWindowTitle(AppInfo::captionPrefix());
    m_timer.resetCount();

    const Settings &s = m_settings.settings();
    m_window.ui().setSwitches(s.chatSwitches());
    m_switchesSet = true;

    m_hasOptionsDialog = true;
    m_window.ui().setChatFontSize(s.fontSize);
    m_tick.start();
    m_timer.updateTotal();
}

// Closing the window saves once more.
void AppController::refuseWithoutEchoLink()
{
    m_services.messages.show(Texts::notInstalled);
    endSession();
    releaseOptionsDialog();
    closeMainWindow();
    quit();
}

// Nothing is saved before closing the window, which saves.
void AppController::refuseSecondInstance()
{
    m_services.messages.show(Texts::alreadyRunning, Texts::monitorTitle);
    releaseEchoLink();
    releaseOptionsDialog();
    closeMainWindow();
    quit();
}

void AppController::failStartUp()
{
    m_services.messages.show(Texts::startUpFailed);
    onEchoLinkClosing();
}

// From here on EchoLink's events reach the program; creating the session
// may throw, which takes the start-up failure path.
void AppController::attachEchoLink()
{
    m_session = m_services.createSession();
    if (!m_session)
        return;
    EchoLinkSession *echoLink = m_session.get();
    connect(echoLink, &EchoLinkSession::closing, this, &AppController::onEchoLinkClosing);
    connect(echoLink, &EchoLinkSession::transmitChanged, this, [this](bool on) { m_timer.onTransmitChanged(on); });
    connect(echoLink, &EchoLinkSession::receiveChanged, this, [this](bool on) { m_timer.onReceiveChanged(on); });
    connect(echoLink, &EchoLinkSession::connected, this,
            [this](const QString &callsign) { m_chat.onConnected(callsign); });
    connect(echoLink, &EchoLinkSession::disconnected, this, [this] { m_chat.onDisconnected(); });
    connect(echoLink, &EchoLinkSession::chatTextReceived, this,
            [this](const QString &chatLine) { m_chat.onChatTextReceived(chatLine); });
}

void AppController::onExitChosen()
{
    endProgram(Texts::ErrorBox::exitChosen);
}

void AppController::onEchoLinkClosing()
{
    endProgram(Texts::ErrorBox::echoLinkClosing);
}

void AppController::endProgram(const QString &errorBox)
{
    ErrorTrap::report(m_services.messages, errorBox, [this] {
        endSession();
        closeMainWindow();
        quit();
    });
}

// Closing the window by any path ends the session once more.
void AppController::onWindowClosed()
{
    ErrorTrap::report(m_services.messages, Texts::ErrorBox::windowClosed, [this] {
        endSession();
        quit();
    });
}

void AppController::endSession()
{
    ErrorTrap::report(m_services.messages, Texts::ErrorBox::ending, [this] {
        saveSettings();
        releaseEchoLink();
        releaseOptionsDialog();
    });
}

// A minimised window's size is no size to start with next time.
void AppController::saveSettings()
{
    if (!m_window.isMinimized())
        m_settings.save(windowState());
}

// The session may be the sender of the event being handled, so it is
// deleted once control is back in the event loop.
void AppController::releaseEchoLink()
{
    if (!m_session)
        return;
    disconnect(m_session.get(), nullptr, this, nullptr);
    m_releasedSession = std::move(m_session);
    QTimer::singleShot(0, this, [this] { m_releasedSession.reset(); });
}

void AppController::releaseOptionsDialog()
{
    m_hasOptionsDialog = false;
    if (!m_optionsDialog)
        return;
    m_optionsDialog->deleteLater();
    m_optionsDialog = nullptr;
}

// The window's own close box comes here too; either way it closes once.
void AppController::closeMainWindow()
{
    if (m_windowClosing)
        return;
    m_windowClosing = true;
    m_tick.stop();
    onWindowClosed();
    m_window.hide();
}

void AppController::quit()
{
    if (m_ended)
        return;
    m_ended = true;
    emit programEnded();
}

WindowState AppController::windowState() const
{
    return {m_window.placement(), m_switchesSet ? m_window.ui().switches() : m_settings.settings().chatSwitches()};
}

OptionsDialog *AppController::optionsDialog()
{
    if (!m_hasOptionsDialog)
        throw ObjectNotSetError();
    if (!m_optionsDialog)
        m_optionsDialog = new OptionsDialog(m_settings, *this, m_services.messages, &m_window);
    return m_optionsDialog;
}

void AppController::openOptions()
{
    ErrorTrap::silent([this] { optionsDialog()->exec(); });
}

void AppController::openSchedule()
{
    ErrorTrap::silent([this] {
        ScheduleDialog dialog(m_settings, *this, m_services.messages, &m_window);
        dialog.exec();
    });
}

void AppController::openLogViewer()
{
    ErrorTrap::silent([this] {
        LogViewer viewer(m_settings.settings(), m_services.clock, *this, m_services.messages,
                         m_services.clipboard, m_services.fileDialog, &m_window);
        if (viewer.load())
            viewer.exec();
    });
}

void AppController::openAbout()
{
    ErrorTrap::silent([this] {
        AboutDialog about(&m_window, m_services.messages);
        about.exec();
    });
}

// The options dialog was confirmed: the count restarts from the new limit
// and the boxes and the chat font follow the settings.
void AppController::onOptionsApplied()
{
    ErrorTrap::silent([this] {
        m_timer.applyLimit();
        const Settings &s = m_settings.settings();
        m_window.ui().setSwitches(s.chatSwitches());
        m_window.ui().setChatFontSize(s.fontSize);
    });
}
