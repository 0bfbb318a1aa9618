#include "OptionsDialog.h"

#include "DialogScaffold.h"
#include "MainWindowState.h"
#include "compat/ErrorTrap.h"
#include "compat/NumberText.h"
#include "compat/Texts.h"
#include "compat/WindowsKeys.h"
#include "desktop/JapaneseFont.h"
#include "desktop/MessageDialog.h"
#include "desktop/Twips.h"
#include "settings/SettingsStore.h"
#include "ui/widgets/SwitchBox.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace {

const double boxPoints = 14.25;
const double labelPoints = 11.25;

QLineEdit *numberBox(QWidget *parent, const char *name, double left, double top, const QString &text,
                     const QString &spoken)
{
    return DialogScaffold::numberBox(parent, QLatin1String(name), Twips::rect(left, top, 420, 420), text, spoken);
}

// The check boxes are too narrow for a caption; the label beside each one
// names it.
QCheckBox *switchBox(QWidget *parent, const char *name, double top, double height, const QString &caption)
{
    auto *box = new SwitchBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(Twips::rect(120, top, 195, height));
    box->setAccessibleName(caption);
    return box;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, double left, double width)
{
    return DialogScaffold::button(parent, name, caption, Twips::rect(left, 4080, width, 375));
}

void label(QWidget *parent, const QString &caption, const QRect &rect, const QFont &font)
{
    DialogScaffold::label(parent, caption, rect)->setFont(font);
}

bool between(qint16 value, int low, int high)
{
    return value >= low && value <= high;
}

} // namespace

OptionsDialog::OptionsDialog(SettingsStore &settings, const MainWindowState &mainWindow, MessageDialog &messages,
                             QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_settings(settings),
      m_mainWindow(mainWindow),
      m_messages(messages),
      m_hours(numberBox(this, "hours", 120, 120, QStringLiteral("00"), QStringLiteral("Limit hours"))),
      m_minutes(numberBox(this, "minutes", 660, 120, QStringLiteral("03"), QStringLiteral("Limit minutes"))),
      m_seconds(numberBox(this, "seconds", 1200, 120, QStringLiteral("00"), QStringLiteral("Limit seconds"))),
      m_fontSize(numberBox(this, "fontSize", 120, 540, QStringLiteral("9"), Texts::fontSizeLabel)),
      m_standby(numberBox(this, "standby", 120, 960, QStringLiteral("5"), Texts::standbyLabel)),
      m_syncTransmit(switchBox(this, "syncTransmit", 1920, 255, Texts::syncTransmitLabel)),
      m_syncReceive(switchBox(this, "syncReceive", 2220, 255, Texts::syncReceiveLabel)),
      m_alarm(switchBox(this, "alarm", 2520, 195, Texts::alarmLabel)),
      m_stampDate(switchBox(this, "stampDate", 2760, 255, Texts::stampDateLabel)),
      m_stampTime(switchBox(this, "stampTime", 3060, 255, Texts::stampTimeLabel)),
      m_logChat(switchBox(this, "logChat", 3360, 255, Texts::logChatLabel)),
      m_speech(switchBox(this, "speech", 3660, 255, Texts::speechLabel)),
      m_cancel(button(this, "cancel", Texts::cancelButton, 480, 855)),
      m_set(button(this, "set", Texts::setButton, 1440, 615))
{
    setWindowTitle(Texts::optionsTitle);
    setFixedSize(Twips::toPixels(2205), Twips::toPixels(4635));
    buildLabels();
    orderTabs();

    m_filterErrors = {{m_hours, Texts::ErrorBox::optionsHoursKey},
                      {m_minutes, Texts::ErrorBox::optionsMinutesKey},
                      {m_seconds, Texts::ErrorBox::optionsSecondsKey},
                      {m_fontSize, Texts::ErrorBox::optionsFontSizeKey},
                      {m_standby, Texts::ErrorBox::optionsStandbyKey}};
    for (QObject *box : m_filterErrors.keys())
        box->installEventFilter(this);

    connect(m_set, &QPushButton::clicked, this, &OptionsDialog::apply);
    connect(m_cancel, &QPushButton::clicked, this,
            [this] { ErrorTrap::report(m_messages, Texts::ErrorBox::optionsCancel, [this] { reject(); }); });
}

void OptionsDialog::buildLabels()
{
    const QFont colon = JapaneseFont::font(boxPoints, true);
    const QFont text = JapaneseFont::font(labelPoints);
    label(this, Texts::timeColon, Twips::rect(540, 120, 135, 375), colon);
    label(this, Texts::timeColon, Twips::rect(1080, 120, 135, 375), colon);
    label(this, Texts::fontSizeLabel, Twips::rect(600, 660, 1035, 255), text);
    label(this, Texts::standbyLabel, Twips::rect(600, 1020, 1515, 255), text);
    label(this, Texts::syncTransmitLabel, Twips::rect(360, 1920, 1755, 255), text);
    label(this, Texts::syncReceiveLabel, Twips::rect(360, 2220, 1755, 255), text);
    label(this, Texts::alarmLabel, Twips::rect(360, 2460, 1755, 255), text);
    label(this, Texts::stampDateLabel, Twips::rect(360, 2760, 1755, 255), text);
    label(this, Texts::stampTimeLabel, Twips::rect(360, 3060, 1275, 255), text);
    label(this, Texts::logChatLabel, Twips::rect(360, 3360, 1275, 255), text);
    label(this, Texts::speechLabel, Twips::rect(360, 3660, 1275, 255), text);
}

void OptionsDialog::orderTabs()
{
    const QList<QWidget *> order = {m_hours,     m_minutes,   m_seconds,   m_set,     m_syncTransmit,
                                    m_syncReceive, m_standby, m_alarm,     m_stampDate, m_stampTime,
                                    m_logChat,   m_fontSize,  m_cancel,    m_speech};
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

void OptionsDialog::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        loadValues();
    QDialog::showEvent(event);
}

// Places the dialog beside the main window and fills it from the settings
// and from the main window's Date, Time and Log boxes.
void OptionsDialog::loadValues()
{
    ErrorTrap::report(m_messages, Texts::ErrorBox::optionsLoad, [this] {
        const WindowState main = m_mainWindow.windowState();
        DialogScaffold::placeBeside(this, main.placement);

        const Settings &s = m_settings.settings();
        m_syncTransmit->setChecked(s.syncTransmit);
        m_syncReceive->setChecked(s.syncReceive);
        m_alarm->setChecked(s.alarm);
        m_speech->setChecked(s.speakCallsigns);
        m_stampDate->setChecked(main.switches.stampDate);
        m_stampTime->setChecked(main.switches.stampTime);
        m_logChat->setChecked(main.switches.logChat);

        m_hours->setText(NumberText::twoDigits(s.limit.hours));
        m_minutes->setText(NumberText::twoDigits(s.limit.minutes));
        m_seconds->setText(NumberText::twoDigits(s.limit.seconds));
        m_fontSize->setText(QString::number(s.fontSize));
        m_standby->setText(QString::number(s.standbySeconds));

        // A freshly loaded dialog carries no marks from an earlier showing.
        for (QLineEdit *box : {m_hours, m_minutes, m_seconds, m_fontSize, m_standby})
            DialogScaffold::mark(box, true);
        m_hours->setFocus();
    });
}

void OptionsDialog::apply()
{
    ErrorTrap::report(m_messages, Texts::ErrorBox::optionsSet, [this] {
        storeSwitches();
        if (markEntries() > 0)
            return;

        const TimeLimit limit{NumberText::toInt16(m_hours->text()), NumberText::toInt16(m_minutes->text()),
                              NumberText::toInt16(m_seconds->text())};
        const qint16 fontSize = NumberText::toInt16(m_fontSize->text());
        const qint16 standby = NumberText::toInt16(m_standby->text());
        // Checked before anything is stored: a limit past 32767 seconds
        // would make every later start fail, so the previous one stays.
        limit.totalSeconds();

        m_settings.applyOptions(limit, fontSize, standby, m_mainWindow.windowState().placement);
        accept();
    });
}

// The switches are stored before any check, so they stay even when the
// entries are refused.
void OptionsDialog::storeSwitches()
{
    OptionSwitches switches;
    switches.syncTransmit = m_syncTransmit->isChecked();
    switches.syncReceive = m_syncReceive->isChecked();
    switches.alarm = m_alarm->isChecked();
    switches.chat = {m_stampDate->isChecked(), m_stampTime->isChecked(), m_logChat->isChecked()};
    switches.speakCallsigns = m_speech->isChecked();
    m_settings.storeSwitches(switches);
}

// Marks the five entries in order and counts the invalid ones. An empty or
// oversized font size or standby stops the count with an error.
int OptionsDialog::markEntries()
{
    using DialogScaffold::limitFieldValid;
    using DialogScaffold::mark;
    int invalid = mark(m_hours, limitFieldValid(m_hours->text(), QStringLiteral("99")));
    invalid += mark(m_minutes, limitFieldValid(m_minutes->text(), QStringLiteral("59")));
    invalid += mark(m_seconds, limitFieldValid(m_seconds->text(), QStringLiteral("59")));
    invalid += mark(m_fontSize, between(NumberText::toInt16(m_fontSize->text()), 6, 72));
    invalid += mark(m_standby, between(NumberText::toInt16(m_standby->text()), 0, 59));
    return invalid;
}

bool OptionsDialog::refusesKey(QObject *box, const QKeyEvent &event)
{
    bool refused = false;
    ErrorTrap::report(m_messages, m_filterErrors.value(box),
                      [&] { refused = WindowsKeys::refusedByDigitBox(event); });
    return refused;
}

bool OptionsDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !m_filterErrors.contains(watched))
        return QDialog::eventFilter(watched, event);
    return refusesKey(watched, *static_cast<QKeyEvent *>(event));
}
