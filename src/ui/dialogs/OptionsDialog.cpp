#include "OptionsDialog.h"

#include "ui/MainWindowState.h"
#include "settings/SettingsStore.h"
#include "ui/widgets/SwitchBox.h"
#include "compat/WindowsKeys.h"
#include "compat/ErrorTrap.h"
#include "desktop/JapaneseFont.h"
#include "compat/NumberText.h"
#include "desktop/Twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace {

const double boxPoints = 14.25;
const double labelPoints = 11.25;

const QColor validMark(255, 255, 255);
const QColor invalidMark(255, 255, 0);

template <typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLineEdit *numberBox(QWidget *parent, const char *name, double left, double top, const QString &text)
{
    auto *box = named(new QLineEdit(text, parent), name);
    box->setGeometry(Twips::rect(left, top, 420, 420));
    box->setFont(JapaneseFont::font(boxPoints));
    // Typed characters must pass the digit filter; an input method would
    // bypass it.
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    return box;
}

// The check boxes are too narrow for a caption; the label beside each one
// names it.
QCheckBox *switchBox(QWidget *parent, const char *name, double top, double height, const QString &caption)
{
    auto *box = named(new SwitchBox(parent), name);
    box->setGeometry(Twips::rect(120, top, 195, height));
    box->setAccessibleName(caption);
    return box;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, double left, double width)
{
    auto *b = named(new QPushButton(caption, parent), name);
    b->setGeometry(Twips::rect(left, 4080, width, 375));
    b->setFont(JapaneseFont::font(labelPoints));
    return b;
}

void label(QWidget *parent, const QString &caption, const QRect &rect, const QFont &font)
{
    auto *l = new QLabel(caption, parent);
    l->setGeometry(rect);
    l->setFont(font);
}

void mark(QLineEdit *box, const QColor &colour)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    box->setPalette(palette);
}

// Marks the box and gives 1 when the entry is invalid.
int markedInvalid(QLineEdit *box, bool valid)
{
    mark(box, valid ? validMark : invalidMark);
    return valid ? 0 : 1;
}

// A time field sorts, character by character, between "00" and high. More
// than two characters would not read back from vln.ini, so they are refused
// too.
bool timeFieldValid(const QString &text, const QString &high)
{
    return text.size() <= 2 && text >= QLatin1String("00") && text <= high;
}

bool between(qint16 value, int low, int high)
{
    return value >= low && value <= high;
}

} // namespace

OptionsDialog::OptionsDialog(SettingsStore &settings, MainWindowState &mainWindow, MessageDialog &messages,
                             QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_settings(settings),
      m_mainWindow(mainWindow),
      m_messages(messages),
      m_hours(numberBox(this, "hours", 120, 120, QStringLiteral("00"))),
      m_minutes(numberBox(this, "minutes", 660, 120, QStringLiteral("03"))),
      m_seconds(numberBox(this, "seconds", 1200, 120, QStringLiteral("00"))),
      m_fontSize(numberBox(this, "fontSize", 120, 540, QStringLiteral("9"))),
      m_standby(numberBox(this, "standby", 120, 960, QStringLiteral("5"))),
      m_syncTransmit(switchBox(this, "syncTransmit", 1920, 255, QStringLiteral("Sync Transmit"))),
      m_syncReceive(switchBox(this, "syncReceive", 2220, 255, QStringLiteral("Sync Recive"))),
      m_alarm(switchBox(this, "alarm", 2520, 195, QStringLiteral("Alarm"))),
      m_stampDate(switchBox(this, "stampDate", 2760, 255, QStringLiteral("Disp Date"))),
      m_stampTime(switchBox(this, "stampTime", 3060, 255, QStringLiteral("Disp Time"))),
      m_logChat(switchBox(this, "logChat", 3360, 255, QStringLiteral("Log File"))),
      m_speech(switchBox(this, "speech", 3660, 255, QStringLiteral("Speech"))),
      m_cancel(button(this, "cancel", QStringLiteral("Cancel"), 480, 855)),
      m_set(button(this, "set", QStringLiteral("Set"), 1440, 615))
{
    setWindowTitle(QStringLiteral("Option Setting"));
    setFixedSize(Twips::toPixels(2205), Twips::toPixels(4635));
    buildLabels();
    orderTabs();

    m_filterErrors = {{m_hours, QStringLiteral("frm.Opt.inHH_KeyPress Error")},
                      {m_minutes, QStringLiteral("frm.Opt.inMM_KeyPress Error")},
                      {m_seconds, QStringLiteral("frm.Opt.inSS_KeyPress Error")},
                      {m_fontSize, QStringLiteral("frm.Opt.inFsize_KeyPress Error")},
                      {m_standby, QStringLiteral("frm.Opt.inStby_KeyPress Error")}};
    for (QObject *box : m_filterErrors.keys())
        box->installEventFilter(this);

    connect(m_set, &QPushButton::clicked, this, &OptionsDialog::apply);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        ErrorTrap::report(m_messages, QStringLiteral("frm.Opt.btnCancel_Click Error"), [this] { reject(); });
    });
}

void OptionsDialog::buildLabels()
{
    const QFont colon = JapaneseFont::font(boxPoints, true);
    const QFont text = JapaneseFont::font(labelPoints);
    label(this, QStringLiteral(":"), Twips::rect(540, 120, 135, 375), colon);
    label(this, QStringLiteral(":"), Twips::rect(1080, 120, 135, 375), colon);
    label(this, QStringLiteral("FontSize"), Twips::rect(600, 660, 1035, 255), text);
    label(this, QStringLiteral("Standby (sec)"), Twips::rect(600, 1020, 1515, 255), text);
    label(this, QStringLiteral("Sync Transmit"), Twips::rect(360, 1920, 1755, 255), text);
    label(this, QStringLiteral("Sync Recive"), Twips::rect(360, 2220, 1755, 255), text);
    label(this, QStringLiteral("Alarm"), Twips::rect(360, 2460, 1755, 255), text);
    label(this, QStringLiteral("Disp Date"), Twips::rect(360, 2760, 1755, 255), text);
    label(this, QStringLiteral("Disp Time"), Twips::rect(360, 3060, 1275, 255), text);
    label(this, QStringLiteral("Log File"), Twips::rect(360, 3360, 1275, 255), text);
    label(this, QStringLiteral("Speech"), Twips::rect(360, 3660, 1275, 255), text);
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
    ErrorTrap::report(m_messages, QStringLiteral("frm.Opt.Form_Load Error"), [this] {
        const WindowPlacement main = m_mainWindow.placement();
        move(Twips::toPixels(main.left + 250), Twips::toPixels(main.top + 2100));

        const Settings &s = m_settings.settings();
        m_syncTransmit->setChecked(s.syncTransmit);
        m_syncReceive->setChecked(s.syncReceive);
        m_alarm->setChecked(s.alarm);
        m_speech->setChecked(s.speakCallsigns);
        m_stampDate->setChecked(m_mainWindow.isDateStampChecked());
        m_stampTime->setChecked(m_mainWindow.isTimeStampChecked());
        m_logChat->setChecked(m_mainWindow.isLogChecked());

        m_hours->setText(NumberText::twoDigits(s.limit.hours));
        m_minutes->setText(NumberText::twoDigits(s.limit.minutes));
        m_seconds->setText(NumberText::twoDigits(s.limit.seconds));
        m_fontSize->setText(QString::number(s.fontSize));
        m_standby->setText(QString::number(s.standbySeconds));

        // A freshly loaded dialog carries no marks from an earlier showing.
        for (QLineEdit *box : {m_hours, m_minutes, m_seconds, m_fontSize, m_standby})
            mark(box, validMark);
        m_hours->setFocus();
    });
}

void OptionsDialog::apply()
{
    ErrorTrap::report(m_messages, QStringLiteral("frm.Opt.OkBtn_Click Error"), [this] {
        storeSwitches();
        if (markEntries() > 0)
            return;

        Settings s = m_settings.settings();
        const TimeLimit limit{NumberText::toInt16(m_hours->text()), NumberText::toInt16(m_minutes->text()),
                              NumberText::toInt16(m_seconds->text())};
        const qint16 fontSize = NumberText::toInt16(m_fontSize->text());
        const qint16 standby = NumberText::toInt16(m_standby->text());
        // Checked before anything is stored: a limit past 32767 seconds
        // would make every later start fail, so the previous one stays.
        limit.totalSeconds();

        s.limit = limit;
        s.fontSize = fontSize;
        s.standbySeconds = standby;
        m_settings.update(s);
        m_settings.write(s);
        emit applied();
        accept();
    });
}

// The switches are stored before any check, so they stay even when the
// entries are refused.
void OptionsDialog::storeSwitches()
{
    Settings s = m_settings.settings();
    s.syncTransmit = m_syncTransmit->isChecked();
    s.syncReceive = m_syncReceive->isChecked();
    s.alarm = m_alarm->isChecked();
    s.stampDate = m_stampDate->isChecked();
    s.stampTime = m_stampTime->isChecked();
    s.logChat = m_logChat->isChecked();
    s.speakCallsigns = m_speech->isChecked();
    m_settings.update(s);
}

// Marks the five entries in order and counts the invalid ones. An empty or
// oversized font size or standby stops the count with an error.
int OptionsDialog::markEntries()
{
    int invalid = markedInvalid(m_hours, timeFieldValid(m_hours->text(), QStringLiteral("99")));
    invalid += markedInvalid(m_minutes, timeFieldValid(m_minutes->text(), QStringLiteral("59")));
    invalid += markedInvalid(m_seconds, timeFieldValid(m_seconds->text(), QStringLiteral("59")));
    invalid += markedInvalid(m_fontSize, between(NumberText::toInt16(m_fontSize->text()), 6, 72));
    invalid += markedInvalid(m_standby, between(NumberText::toInt16(m_standby->text()), 0, 59));
    return invalid;
}

bool OptionsDialog::passesDigitFilter(QObject *box, int code)
{
    bool passes = true;
    ErrorTrap::report(m_messages, m_filterErrors.value(box),
                      [&] { passes = TypedKey::isDigitKey(code); });
    return passes;
}

bool OptionsDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !m_filterErrors.contains(watched))
        return QDialog::eventFilter(watched, event);
    const int code = TypedKey::code(*static_cast<QKeyEvent *>(event));
    if (code == 0)
        return false;
    return !passesDigitFilter(watched, code);
}
