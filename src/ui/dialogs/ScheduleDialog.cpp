#include "ScheduleDialog.h"

#include "DialogScaffold.h"
#include "MainWindowState.h"
#include "compat/ErrorTrap.h"
#include "compat/Texts.h"
#include "compat/WindowsKeys.h"
#include "desktop/JapaneseFont.h"
#include "desktop/MessageDialog.h"
#include "desktop/Twips.h"
#include "desktop/WindowIcon.h"
#include "settings/SettingsStore.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const double boxPoints = 14.25;
const double smallPoints = 11.25;
// The window's own font, which the check boxes and the "～" and caption
// labels use.
const double windowPoints = 9;

// Boxes of one time, named e.g. "firstStartHours" and, for assistive
// technology, "Timer01 start hours", at their design places.
std::array<QLineEdit *, 3> timeBoxes(QWidget *parent, const QString &name, const QString &spoken, double left,
                                     double top)
{
    const char *fields[] = {"Hours", "Minutes", "Seconds"};
    std::array<QLineEdit *, 3> boxes{};
    for (int i = 0; i < 3; ++i)
        boxes[i] = DialogScaffold::numberBox(parent, name + QLatin1String(fields[i]),
                                             Twips::rect(left + 480 * i, top, 420, 420), QStringLiteral("00"),
                                             spoken + QLatin1Char(' ') + QString::fromLatin1(fields[i]).toLower());
    return boxes;
}

QCheckBox *enableBox(QWidget *parent, const char *name, const QString &caption, double top)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(Twips::rect(180, top, 975, 315));
    // A click always gives checked or unchecked; only a stored "2" shows the
    // third state.
    QObject::connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
    return box;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, double left, double width)
{
    return DialogScaffold::button(parent, name, caption, Twips::rect(left, 1440, width, 375));
}

// The stored enable digit: 0 unchecked, 1 checked, 2 partly.
int enableDigit(const QCheckBox *box)
{
    switch (box->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    case Qt::Unchecked: break;
    }
    return 0;
}

void showEnableDigit(QCheckBox *box, int digit)
{
    box->setCheckState(digit == 1 ? Qt::Checked : digit == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

QString joined(const std::array<QLineEdit *, 3> &boxes)
{
    return boxes[0]->text() + QLatin1Char(':') + boxes[1]->text() + QLatin1Char(':') + boxes[2]->text();
}

} // namespace

ScheduleDialog::ScheduleDialog(SettingsStore &settings, const MainWindowState &mainWindow, MessageDialog &messages,
                               QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_settings(settings),
      m_mainWindow(mainWindow),
      m_messages(messages),
      m_times{timeBoxes(this, QStringLiteral("firstStart"), Texts::firstWindowBox + " start", 1260, 360),
              timeBoxes(this, QStringLiteral("firstEnd"), Texts::firstWindowBox + " end", 2940, 360),
              timeBoxes(this, QStringLiteral("secondStart"), Texts::secondWindowBox + " start", 1260, 900),
              timeBoxes(this, QStringLiteral("secondEnd"), Texts::secondWindowBox + " end", 2940, 900)},
      m_enabled{enableBox(this, "firstEnabled", Texts::firstWindowBox, 420),
                enableBox(this, "secondEnabled", Texts::secondWindowBox, 960)},
      m_set(button(this, "set", Texts::setButton, 3720, 615)),
      m_cancel(button(this, "cancel", Texts::cancelButton, 2760, 855))
{
    setWindowTitle(Texts::scheduleTitle);
    WindowIcon::clear(this);
    setFont(JapaneseFont::font(windowPoints));
    setFixedSize(Twips::toPixels(4485), Twips::toPixels(2025));
    buildLabels();
    orderTabs();
    for (QLineEdit *box : boxes())
        box->installEventFilter(this);

    connect(m_set, &QPushButton::clicked, this, &ScheduleDialog::apply);
    connect(m_cancel, &QPushButton::clicked, this,
            [this] { ErrorTrap::report(m_messages, Texts::ErrorBox::scheduleCancel, [this] { reject(); }); });
    loadValues();
}

QList<QLineEdit *> ScheduleDialog::boxes() const
{
    QList<QLineEdit *> all;
    for (const TimeBoxes &time : m_times)
        all.append({time.begin(), time.end()});
    return all;
}

void ScheduleDialog::buildLabels()
{
    DialogScaffold::label(this, Texts::timeRangeMark, Twips::rect(2700, 420, 255, 255));
    DialogScaffold::label(this, Texts::timeRangeMark, Twips::rect(2700, 1020, 255, 195));
    DialogScaffold::label(this, Texts::startTimeLabel, Twips::rect(1260, 120, 1335, 255));
    DialogScaffold::label(this, Texts::endTimeLabel, Twips::rect(2940, 120, 1335, 255));

    // The ":" between hours, minutes and seconds; two of them are drawn
    // smaller, as designed.
    const QPoint colons[] = {{3840, 360}, {3840, 900}, {3360, 360}, {3360, 960},
                             {2160, 360}, {2160, 900}, {1680, 360}, {1680, 900}};
    for (int i = 0; i < 8; ++i) {
        QLabel *colon = DialogScaffold::label(this, Texts::timeColon, Twips::rect(colons[i].x(), colons[i].y(), 75, 375));
        colon->setFont(JapaneseFont::font(i == 4 || i == 6 ? smallPoints : boxPoints));
    }
}

void ScheduleDialog::orderTabs()
{
    const QList<QLineEdit *> all = boxes();
    QList<QWidget *> order;
    for (QLineEdit *box : all.mid(0, 6))
        order << box;
    order << m_enabled[0] << m_enabled[1];
    for (QLineEdit *box : all.mid(6))
        order << box;
    order << m_set << m_cancel;
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

void ScheduleDialog::loadValues()
{
    ErrorTrap::report(m_messages, Texts::ErrorBox::scheduleLoad, [this] {
        DialogScaffold::placeBeside(this, m_mainWindow.windowState().placement);

        const auto &schedule = m_settings.settings().schedule;
        const QString times[] = {schedule[0].start, schedule[0].end, schedule[1].start, schedule[1].end};
        for (int i = 0; i < 4; ++i) {
            m_times[i][0]->setText(times[i].left(2));
            m_times[i][1]->setText(times[i].mid(3, 2));
            m_times[i][2]->setText(times[i].right(2));
        }
        showEnableDigit(m_enabled[0], schedule[0].enableDigit);
        showEnableDigit(m_enabled[1], schedule[1].enableDigit);
    });
}

void ScheduleDialog::apply()
{
    ErrorTrap::report(m_messages, Texts::ErrorBox::scheduleSet, [this] {
        if (markBoxes() > 0)
            return;
        std::array<ScheduleWindow, 2> windows;
        for (int i = 0; i < 2; ++i) {
            windows[i].start = joined(m_times[2 * i]);
            windows[i].end = joined(m_times[2 * i + 1]);
            windows[i].enableDigit = enableDigit(m_enabled[i]);
        }
        m_settings.applySchedule(windows, m_mainWindow.windowState());
        accept();
    });
}

// Tests and colours every box; returns how many are invalid.
int ScheduleDialog::markBoxes()
{
    int invalid = 0;
    const QList<QLineEdit *> all = boxes();
    for (int i = 0; i < all.size(); ++i) {
        const QString high = i % 3 == 0 ? QStringLiteral("23") : QStringLiteral("59");
        invalid += DialogScaffold::mark(all.at(i), DialogScaffold::scheduleFieldValid(all.at(i)->text(), high));
    }
    return invalid;
}

bool ScheduleDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    return WindowsKeys::refusedByDigitBox(*static_cast<QKeyEvent *>(event));
}
