#include "frmMain.h"

#include "chat/ChatHistoryView.h"
#include "chat/frmView.h"
#include "schedule/frmTimeSet.h"
#include "settings/frmOpt.h"
#include "platform/AppInfo.h"
#include "platform/EchoLinkSession.h"
#include "platform/ErrorTrap.h"
#include "platform/InstanceGuard.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "platform/VbError.h"
#include "ui/ChatLayout.h"
#include "ui/LampBar.h"
#include "ui/LedShape.h"
#include "ui/frmAbout.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

frmMain::frmMain(MainServices services, QWidget *parent)
    : QMainWindow(parent),
      m_services(std::move(services)),
      m_module(*this, m_services.messages, m_services.folders),
      m_busy(m_module, m_services.clock, SessionRef([this] { return Echo(); }), *this),
      m_timer(m_module, m_services.clock, SessionRef([this] { return Echo(); }), m_services.beeper,
              *this, m_busy, QString()),
      m_log(m_module, m_services.clock),
      m_chat(m_module, m_services.clock, [this] { return Echo(); }, m_services.clipboard, m_log, *this),
      m_tick(m_services.clock)
{
    m_ui.setupUi(this);
    connectControls();
}

frmMain::~frmMain() = default;

void frmMain::connectControls()
{
    connect(m_ui.mnuOpt, &QAction::triggered, this, &frmMain::mnuOpt_Click);
    connect(m_ui.mnuTSet, &QAction::triggered, this, &frmMain::mnuTSet_Click);
    connect(m_ui.mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(m_ui.mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    connect(m_ui.btnView, &QPushButton::clicked, this, &frmMain::btnView_Click);
    connect(m_ui.B_Send, &QPushButton::clicked, this, [this] { m_chat.SendChatMessage(); });
    connect(m_ui.cmdClr, &QPushButton::clicked, this, [this] { m_chat.cmdClr_Click(); });
    connect(m_ui.chkBusy, &QCheckBox::clicked, this, [this] { m_busy.chkBusy_Click(); });
    connect(&m_tick, &TickScheduler::tick, this, [this] { m_timer.Timer1_Timer(); });
    m_ui.sInput->installEventFilter(this);
    history()->keyDown = [this](int keyCode, int shift) { return m_chat.lChat_KeyDown(keyCode, shift); };
    history()->keyPress = [this](int keyAscii) { return m_chat.lChat_KeyPress(keyAscii); };
}

ChatHistoryView *frmMain::history() const
{
    return static_cast<ChatHistoryView *>(m_ui.lChat);
}

// The start-up sequence; any error in it takes the failure path.
void frmMain::Form_Load()
{
    try {
        startUp();
    } catch (...) {
        m_services.messages.show(QStringLiteral("Please! Chek vln.ini [VLNDir] session"));
        Echo_Closing();
    }
}

void frmMain::startUp()
{
    m_module.getVLNpath();
    m_module.takeReadResult(m_module.ReadSettings());

    if (!m_module.getELProg()) {
        m_services.messages.show(QStringLiteral("EchoLink not Installed!"));
        ProgEnding();
        releaseOptionsDialog();
        unload();
        endProgram();
        return;
    }
    if (m_services.instance.anotherInstanceRunning()) {
        m_services.messages.show(QStringLiteral("already Running EchoLink Program"),
                                 QStringLiteral("VorlaneMonitor"));
        releaseEcho();
        releaseOptionsDialog();
        unload();
        endProgram();
        return;
    }

    attachEcho();
    if (!m_echo) {
        m_services.messages.show(QStringLiteral("Launch EchoLink Faild!!"), QStringLiteral("missing!!"));
        return;
    }

    if (!m_module.EnsureLogsFolder())
        throw FileError("Logs folder");

    m_timer.TitleText = QStringLiteral("VLN Ver.%1.%2.%3 ")
                            .arg(AppInfo::major())
                            .arg(AppInfo::minor())
                            .arg(AppInfo::revision());
    setWindowTitle(m_timer.TitleText);
    m_timer.MesgWord = {QString(), QStringLiteral("On Air"), QStringLiteral("Receive"),
                        QStringLiteral("Wait"), QStringLiteral("Over !!")};

    const Settings &s = m_module.settings;
    m_module.RemainHH = s.TimerHH;
    m_module.RemainMM = s.TimerMM;
    m_module.RemainSS = s.TimerSS;
    m_module.Counting = false;
    m_timer.Waiting = false;

    m_ui.chkDate->setChecked(s.DispDate);
    m_ui.chkTime->setChecked(s.DispTime);
    m_ui.chkLog->setChecked(s.LogFile);
    m_checkBoxesLive = true;

    createOptionsDialog();
    m_ui.setChatFontSize(s.FontSize);
    m_tick.start();
    m_module.TimerTotal = Module1::totalSeconds(m_module.RemainHH, m_module.RemainMM, m_module.RemainSS);
}

void frmMain::createOptionsDialog()
{
    m_hasOptionsDialog = true;
}

frmOpt *frmMain::loadOptionsDialog()
{
    if (!m_hasOptionsDialog)
        throw VbError("Object variable not set");
    if (!mfrmT) {
        mfrmT = new frmOpt(m_module, *this, m_services.messages, this);
        mfrmT->iNG = 1;
        connect(mfrmT, &frmOpt::evtClick, this, &frmMain::mfrmT_evtClick);
    }
    return mfrmT;
}

void frmMain::releaseOptionsDialog()
{
    m_hasOptionsDialog = false;
    if (!mfrmT)
        return;
    mfrmT->deleteLater();
    mfrmT = nullptr;
}

void frmMain::attachEcho()
{
    m_echo = m_services.createSession();
    if (!m_echo)
        return;
    EchoLinkSession *echo = m_echo.get();
    connect(echo, &EchoLinkSession::Closing, this, &frmMain::Echo_Closing);
    connect(echo, &EchoLinkSession::TX, this, [this](bool on) { m_timer.Echo_TX(on); });
    connect(echo, &EchoLinkSession::RX, this, [this](bool on) { m_timer.Echo_RX(on); });
    connect(echo, &EchoLinkSession::Connected, this,
            [this](const QString &call, const QString &name, const QString &addr) {
                m_chat.Echo_Connected(call, name, addr);
            });
    connect(echo, &EchoLinkSession::DisConnected, this,
            [this](const QString &call) { m_chat.Echo_DisConnected(call); });
    connect(echo, &EchoLinkSession::ChatTextReceived, this,
            [this](const QString &text) { m_chat.Echo_ChatTextReceived(text); });
}

// Echo := Nothing. The object may be the sender of the event being handled,
// so it is deleted once control is back in the event loop.
void frmMain::releaseEcho()
{
    if (!m_echo)
        return;
    disconnect(m_echo.get(), nullptr, this, nullptr);
    m_echo.release()->deleteLater();
}

void frmMain::ProgEnding()
{
    ErrorTrap::report(m_services.messages, QStringLiteral("ProgEnding Error"), [this] {
        if (!isMinimized())
            m_module.SaveSettings();
        releaseEcho();
        releaseOptionsDialog();
    });
}

void frmMain::mnuExit_Click()
{
    ErrorTrap::report(m_services.messages, QStringLiteral("mnuExit Error"), [this] {
        ProgEnding();
        unload();
        endProgram();
    });
}

void frmMain::Echo_Closing()
{
    ErrorTrap::report(m_services.messages, QStringLiteral("Echo_Closing Error"), [this] {
        ProgEnding();
        unload();
        endProgram();
    });
}

void frmMain::Form_Unload()
{
    ErrorTrap::report(m_services.messages, QStringLiteral("Form_Unload Error"), [this] {
        ProgEnding();
        endProgram();
    });
}

// Unloading the window always runs Form_Unload, whether the user closed it
// or the program did.
void frmMain::unload()
{
    if (m_unloading)
        return;
    m_unloading = true;
    m_tick.stop();
    Form_Unload();
    hide();
}

void frmMain::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    emit programEnded();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    unload();
    event->accept();
}

void frmMain::mnuOpt_Click()
{
    ErrorTrap::silent([this] { loadOptionsDialog()->exec(); });
}

void frmMain::mnuTSet_Click()
{
    ErrorTrap::silent([this] {
        frmTimeSet dialog(m_module, *this, m_services.messages, this);
        dialog.exec();
    });
}

void frmMain::btnView_Click()
{
    ErrorTrap::silent([this] {
        frmView viewer(m_module, m_services.clock, *this, m_services.messages, m_services.clipboard,
                       m_services.fileDialog, this);
        if (viewer.load())
            viewer.exec();
    });
}

void frmMain::mnuAbout_Click()
{
    ErrorTrap::silent([this] {
        frmAbout about(this, m_services.messages);
        about.exec();
    });
}

void frmMain::mfrmT_evtClick(qint32)
{
    ErrorTrap::silent([this] {
        const Settings &s = m_module.settings;
        m_ui.chkDate->setChecked(s.DispDate);
        m_ui.chkTime->setChecked(s.DispTime);
        m_ui.chkLog->setChecked(s.LogFile);
        m_ui.setChatFontSize(s.FontSize);
    });
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

// The chat controls follow the window's size; everything above them stays.
void frmMain::Form_Resize()
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

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui.sInput && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return m_chat.sInput_KeyPress(ChatPanel::keyEnter) == 0;
    }
    return QMainWindow::eventFilter(watched, event);
}

// SettingsWindow: the outer placement in twips, the size through the design
// frame allowance.
WindowPlacement frmMain::placement() const
{
    const QRect frame = frameGeometry();
    return {Twips::fromPixels(frame.x()), Twips::fromPixels(frame.y()), outerWidthTwips(width()),
            outerHeightTwips(height() - menuBarHeight())};
}

void frmMain::setPlacement(const WindowPlacement &p)
{
    move(Twips::toPixels(p.left), Twips::toPixels(p.top));
    resize(centralWidthPx(p.width), centralHeightPx(p.height) + menuBarHeight());
}

// Taken from the menu bar's own size rather than from the laid-out client
// area, which has its real size only once the window has been shown; the
// placement is read and set before that too.
int frmMain::menuBarHeight() const
{
    return menuBar()->sizeHint().height();
}

bool frmMain::chkDateChecked() const
{
    return m_checkBoxesLive ? m_ui.chkDate->isChecked() : m_module.settings.DispDate;
}

bool frmMain::chkTimeChecked() const
{
    return m_checkBoxesLive ? m_ui.chkTime->isChecked() : m_module.settings.DispTime;
}

bool frmMain::chkLogChecked() const
{
    return m_checkBoxesLive ? m_ui.chkLog->isChecked() : m_module.settings.LogFile;
}

// TimerView: each setter leaves an unchanged control alone, so the tick
// repaints only what changed.
void frmMain::setLabelColour(QWidget *label, QPalette::ColorRole role, const QColor &colour)
{
    if (label->palette().color(role) == colour)
        return;
    QPalette palette = label->palette();
    palette.setColor(role, colour);
    label->setPalette(palette);
}

void frmMain::setMesgText(const QString &text)
{
    if (m_ui.Mesg->text() != text)
        m_ui.Mesg->setText(text);
}

void frmMain::setMesgBackColour(const QColor &colour)
{
    setLabelColour(m_ui.Mesg, QPalette::Window, colour);
}

void frmMain::setMesgForeColour(const QColor &colour)
{
    setLabelColour(m_ui.Mesg, QPalette::WindowText, colour);
}

void frmMain::setMonLedColour(const QColor &colour)
{
    m_ui.monLED->setFillColour(colour);
}

void frmMain::setCountText(const QString &text)
{
    if (m_ui.txtCount->text() != text)
        m_ui.txtCount->setText(text);
}

void frmMain::setLampColours(const LampColours::Table &colours)
{
    m_ui.Shape1->setColours(colours);
}

void frmMain::setDayText(const QString &text)
{
    if (m_ui.txtDayof->text() != text)
        m_ui.txtDayof->setText(text);
}

void frmMain::setDayForeColour(const QColor &colour)
{
    setLabelColour(m_ui.txtDayof, QPalette::WindowText, colour);
}

void frmMain::requestAttention()
{
    if (!isActiveWindow())
        QApplication::alert(this);
}

void frmMain::setCaption(const QString &caption)
{
    if (windowTitle() != caption)
        setWindowTitle(caption);
}

bool frmMain::isMinimised() const
{
    return isMinimized();
}

bool frmMain::isChkBusyChecked() const
{
    return m_ui.chkBusy->isChecked();
}

void frmMain::setChkBusyChecked(bool checked)
{
    m_ui.chkBusy->setChecked(checked);
}

void frmMain::setChatBackgroundBusy(bool busy)
{
    setLabelColour(m_ui.lChat, QPalette::Base, BusyView::chatBackground(busy, palette()));
}

void frmMain::appendHistory(const QString &chunk)
{
    history()->appendCrLfText(chunk);
}

void frmMain::setHistory(const QString &text)
{
    history()->setCrLfText(text);
}

void frmMain::moveHistoryCaretToEnd()
{
    history()->moveCaretToEnd();
}

QString frmMain::selectedHistoryText() const
{
    return history()->selectedCrLfText();
}

QString frmMain::inputText() const
{
    return m_ui.sInput->text();
}

void frmMain::clearInput()
{
    m_ui.sInput->clear();
}

void frmMain::focusInput()
{
    m_ui.sInput->setFocus();
}

void frmMain::setConnectedCall(const QString &call)
{
    m_ui.sConCall->setText(call);
}
