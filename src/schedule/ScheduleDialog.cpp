#include "frmTimeSet.h"

#include "settings/Module1.h"
#include "settings/TypedKey.h"
#include "platform/ErrorTrap.h"
#include "platform/JapaneseFont.h"
#include "platform/Twips.h"

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

const QColor validMark(255, 255, 255);
const QColor invalidMark(255, 255, 0);

QLineEdit *timeBox(QWidget *parent, double left, double top)
{
    auto *box = new QLineEdit(QStringLiteral("00"), parent);
    box->setGeometry(Twips::rect(left, top, 420, 420));
    box->setFont(JapaneseFont::font(boxPoints));
    // Typed characters must pass the digit filter; an input method would
    // bypass it.
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    return box;
}

QCheckBox *enableBox(QWidget *parent, const QString &caption, double top)
{
    auto *box = new QCheckBox(caption, parent);
    box->setGeometry(Twips::rect(180, top, 975, 315));
    // A click always gives checked or unchecked; only a stored "2" shows the
    // third state.
    QObject::connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
    return box;
}

QPushButton *button(QWidget *parent, const QString &caption, double left, double width)
{
    auto *b = new QPushButton(caption, parent);
    b->setGeometry(Twips::rect(left, 1440, width, 375));
    b->setFont(JapaneseFont::font(smallPoints));
    return b;
}

QLabel *label(QWidget *parent, const QString &caption, const QRect &rect)
{
    auto *l = new QLabel(caption, parent);
    l->setGeometry(rect);
    return l;
}

// The stored enable digit: 0 unchecked, 1 checked, 2 indeterminate.
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

// Exactly two characters sorting, character by character, between "00" and
// high: 00..23 or 00..59 for digits.
bool timeFieldValid(const QString &text, const QString &high)
{
    return text.size() == 2 && text >= QLatin1String("00") && text <= high;
}

QString joined(const QLineEdit *hh, const QLineEdit *mm, const QLineEdit *ss)
{
    return hh->text() + QLatin1Char(':') + mm->text() + QLatin1Char(':') + ss->text();
}

} // namespace

frmTimeSet::frmTimeSet(Module1 &module, SettingsWindow &mainWindow, MessageBox &messages, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      inH00(timeBox(this, 1260, 360)),
      inM00(timeBox(this, 1740, 360)),
      inS00(timeBox(this, 2220, 360)),
      inH01(timeBox(this, 2940, 360)),
      inM01(timeBox(this, 3420, 360)),
      inS01(timeBox(this, 3900, 360)),
      inH02(timeBox(this, 1260, 900)),
      inM02(timeBox(this, 1740, 900)),
      inS02(timeBox(this, 2220, 900)),
      inH03(timeBox(this, 2940, 900)),
      inM03(timeBox(this, 3420, 900)),
      inS03(timeBox(this, 3900, 900)),
      chkT00(enableBox(this, QStringLiteral("Timer01"), 420)),
      chkT01(enableBox(this, QStringLiteral("Timer02"), 960)),
      btnSet(button(this, QStringLiteral("Set"), 3720, 615)),
      btnCancel(button(this, QStringLiteral("Cancel"), 2760, 855)),
      m_module(module),
      m_mainWindow(mainWindow),
      m_messages(messages)
{
    setWindowTitle(QStringLiteral("SetTime"));
    setFont(JapaneseFont::font(windowPoints));
    setFixedSize(Twips::toPixels(4485), Twips::toPixels(2025));
    buildLabels();
    orderTabs();
    for (QLineEdit *box : boxes())
        box->installEventFilter(this);

    connect(btnSet, &QPushButton::clicked, this, &frmTimeSet::btnSet_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmTimeSet::btnCancel_Click);
    Form_Load();
}

QList<QLineEdit *> frmTimeSet::boxes() const
{
    return {inH00, inM00, inS00, inH01, inM01, inS01, inH02, inM02, inS02, inH03, inM03, inS03};
}

void frmTimeSet::buildLabels()
{
    const QString tilde(QChar(0xFF5E));
    label(this, tilde, Twips::rect(2700, 420, 255, 255));
    label(this, tilde, Twips::rect(2700, 1020, 255, 195));
    label(this, QStringLiteral("Start Time"), Twips::rect(1260, 120, 1335, 255));
    label(this, QStringLiteral("End Time"), Twips::rect(2940, 120, 1335, 255));

    // Label5(0..7): the ":" between hours, minutes and seconds.
    const QPoint colons[] = {{3840, 360}, {3840, 900}, {3360, 360}, {3360, 960},
                             {2160, 360}, {2160, 900}, {1680, 360}, {1680, 900}};
    for (int i = 0; i < 8; ++i) {
        QLabel *colon = label(this, QStringLiteral(":"), Twips::rect(colons[i].x(), colons[i].y(), 75, 375));
        colon->setFont(JapaneseFont::font(i == 4 || i == 6 ? smallPoints : boxPoints));
    }
}

void frmTimeSet::orderTabs()
{
    QList<QWidget *> order;
    for (QLineEdit *box : boxes().mid(0, 6))
        order << box;
    order << chkT00 << chkT01;
    for (QLineEdit *box : boxes().mid(6))
        order << box;
    order << btnSet << btnCancel;
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

void frmTimeSet::Form_Load()
{
    ErrorTrap::report(m_messages, QStringLiteral("frmTimeSet.Form_Load Error"), [this] {
        const WindowPlacement main = m_mainWindow.placement();
        move(Twips::toPixels(main.left + 250), Twips::toPixels(main.top + 2100));

        const Settings &s = m_module.settings;
        const QString times[] = {s.Timer01Start, s.Timer01End, s.Timer02Start, s.Timer02End};
        const QList<QLineEdit *> all = boxes();
        for (int i = 0; i < 4; ++i) {
            all.at(3 * i)->setText(times[i].left(2));
            all.at(3 * i + 1)->setText(times[i].mid(3, 2));
            all.at(3 * i + 2)->setText(times[i].right(2));
        }
        showEnableDigit(chkT00, m_module.chkT00);
        showEnableDigit(chkT01, m_module.chkT01);
    });
}

void frmTimeSet::btnSet_Click()
{
    ErrorTrap::report(m_messages, QStringLiteral("frmTimeSet.btnSet_Click Error"), [this] {
        if (markBoxes() > 0)
            return;
        storeTimes();
        m_module.Timer01On = enableDigit(chkT00) == 1 ? 1 : 0;
        m_module.Timer02On = enableDigit(chkT01) == 1 ? 1 : 0;
        // The save writes the boxes' digits, a "2" included ...
        m_module.chkT00 = enableDigit(chkT00);
        m_module.chkT01 = enableDigit(chkT01);
        m_module.SaveSettings();
        // ... while a dialog created later shows what Set confirmed.
        m_module.chkT00 = m_module.Timer01On;
        m_module.chkT01 = m_module.Timer02On;
        accept();
    });
}

// Tests and colours every box; returns how many are invalid.
int frmTimeSet::markBoxes()
{
    int invalid = 0;
    const QList<QLineEdit *> all = boxes();
    for (int i = 0; i < all.size(); ++i) {
        const QString high = i % 3 == 0 ? QStringLiteral("23") : QStringLiteral("59");
        const bool valid = timeFieldValid(all.at(i)->text(), high);
        QPalette palette = all.at(i)->palette();
        palette.setColor(QPalette::Base, valid ? validMark : invalidMark);
        all.at(i)->setPalette(palette);
        invalid += valid ? 0 : 1;
    }
    return invalid;
}

void frmTimeSet::storeTimes()
{
    Settings &s = m_module.settings;
    s.Timer01Start = joined(inH00, inM00, inS00);
    s.Timer01End = joined(inH01, inM01, inS01);
    s.Timer02Start = joined(inH02, inM02, inS02);
    s.Timer02End = joined(inH03, inM03, inS03);
}

void frmTimeSet::btnCancel_Click()
{
    ErrorTrap::report(m_messages, QStringLiteral("frmTimeSet.btnCancel_Click Error"), [this] { reject(); });
}

void frmTimeSet::in_KeyPress(int &KeyAscii)
{
    if (!TypedKey::isDigitKey(KeyAscii))
        KeyAscii = 0;
}

bool frmTimeSet::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    int KeyAscii = TypedKey::code(*static_cast<QKeyEvent *>(event));
    if (KeyAscii == 0)
        return false;
    in_KeyPress(KeyAscii);
    return KeyAscii == 0;
}
