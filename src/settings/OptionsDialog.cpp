#include "frmOpt.h"

#include "Module1.h"
#include "TypedKey.h"
#include "platform/ErrorTrap.h"
#include "platform/JapaneseFont.h"
#include "platform/NumberText.h"
#include "platform/Twips.h"

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

QLineEdit *numberBox(QWidget *parent, double left, double top, const QString &text)
{
    auto *box = new QLineEdit(text, parent);
    box->setGeometry(Twips::rect(left, top, 420, 420));
    box->setFont(JapaneseFont::font(boxPoints));
    // Typed characters must pass the key filter; an input method would
    // bypass it.
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    return box;
}

// The check boxes are too narrow for a caption; the label beside each one
// names it.
QCheckBox *switchBox(QWidget *parent, double top, double height, const QString &name)
{
    auto *box = new QCheckBox(parent);
    box->setGeometry(Twips::rect(120, top, 195, height));
    box->setAccessibleName(name);
    return box;
}

QPushButton *button(QWidget *parent, const QString &caption, double left, double width)
{
    auto *b = new QPushButton(caption, parent);
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

int checkedValue(const QCheckBox *box)
{
    return box->isChecked() ? 1 : 0;
}

} // namespace

frmOpt::frmOpt(Module1 &module, SettingsWindow &mainWindow, MessageBox &messages, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      inHH(numberBox(this, 120, 120, QStringLiteral("00"))),
      inMM(numberBox(this, 660, 120, QStringLiteral("03"))),
      inSS(numberBox(this, 1200, 120, QStringLiteral("00"))),
      inFsize(numberBox(this, 120, 540, QStringLiteral("9"))),
      inStby(numberBox(this, 120, 960, QStringLiteral("5"))),
      chkTX(switchBox(this, 1920, 255, QStringLiteral("Sync Transmit"))),
      chkRX(switchBox(this, 2220, 255, QStringLiteral("Sync Recive"))),
      chkAlm(switchBox(this, 2520, 195, QStringLiteral("Alarm"))),
      chkDate(switchBox(this, 2760, 255, QStringLiteral("Disp Date"))),
      chkTime(switchBox(this, 3060, 255, QStringLiteral("Disp Time"))),
      chkLog(switchBox(this, 3360, 255, QStringLiteral("Log File"))),
      chkSpeech(switchBox(this, 3660, 255, QStringLiteral("Speech"))),
      btnCancel(button(this, QStringLiteral("Cancel"), 480, 855)),
      OkBtn(button(this, QStringLiteral("Set"), 1440, 615)),
      m_module(module),
      m_mainWindow(mainWindow),
      m_messages(messages)
{
    setWindowTitle(QStringLiteral("Option Setting"));
    setFixedSize(Twips::toPixels(2205), Twips::toPixels(4635));
    buildLabels();
    orderTabs();

    m_keyPress = {{inHH, &frmOpt::inHH_KeyPress},
                  {inMM, &frmOpt::inMM_KeyPress},
                  {inSS, &frmOpt::inSS_KeyPress},
                  {inFsize, &frmOpt::inFsize_KeyPress},
                  {inStby, &frmOpt::inStby_KeyPress}};
    for (QObject *box : m_keyPress.keys())
        box->installEventFilter(this);

    connect(OkBtn, &QPushButton::clicked, this, &frmOpt::OkBtn_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmOpt::btnCancel_Click);
}

void frmOpt::buildLabels()
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

void frmOpt::orderTabs()
{
    const QList<QWidget *> order = {inHH,   inMM,    inSS,    OkBtn,  chkTX,   chkRX,     inStby,
                                    chkAlm, chkDate, chkTime, chkLog, inFsize, btnCancel, chkSpeech};
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

void frmOpt::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        Form_Load();
    QDialog::showEvent(event);
}

void frmOpt::Form_Load()
{
    ErrorTrap::report(m_messages, QStringLiteral("frm.Opt.Form_Load Error"), [this] {
        const WindowPlacement main = m_mainWindow.placement();
        move(Twips::toPixels(main.left + 250), Twips::toPixels(main.top + 2100));

        const Settings &s = m_module.settings;
        chkTX->setChecked(s.SyncTX);
        chkRX->setChecked(s.SyncRX);
        chkAlm->setChecked(s.Alarm);
        chkSpeech->setChecked(s.Speech);
        chkDate->setChecked(m_mainWindow.chkDateChecked());
        chkTime->setChecked(m_mainWindow.chkTimeChecked());
        chkLog->setChecked(m_mainWindow.chkLogChecked());

        inHH->setText(NumberText::twoDigits(s.TimerHH));
        inMM->setText(NumberText::twoDigits(s.TimerMM));
        inSS->setText(NumberText::twoDigits(s.TimerSS));
        inFsize->setText(QString::number(s.FontSize));
        inStby->setText(QString::number(s.Standby));

        // A freshly loaded dialog carries no marks from an earlier showing.
        for (QLineEdit *box : {inHH, inMM, inSS, inFsize, inStby})
            mark(box, validMark);
        inHH->setFocus();
    });
}

void frmOpt::OkBtn_Click()
{
    ErrorTrap::report(m_messages, QStringLiteral("frm.Opt.OkBtn_Click Error"), [this] {
        storeSwitches();
        if (markEntries() > 0)
            return;

        const qint16 hh = NumberText::toInt16(inHH->text());
        const qint16 mm = NumberText::toInt16(inMM->text());
        const qint16 ss = NumberText::toInt16(inSS->text());
        const qint16 fontSize = NumberText::toInt16(inFsize->text());
        const qint16 standby = NumberText::toInt16(inStby->text());
        // Computed before anything is stored: a limit past 32767 seconds
        // would make every later start fail, so the previous one stays.
        const qint32 total = Module1::totalSeconds(hh, mm, ss);

        Settings &s = m_module.settings;
        s.TimerHH = hh;
        s.TimerMM = mm;
        s.TimerSS = ss;
        s.FontSize = fontSize;
        s.Standby = standby;
        m_module.RemainHH = hh;
        m_module.RemainMM = mm;
        m_module.RemainSS = ss;
        m_module.TimerTotal = total;

        m_module.WriteSettings(hh, mm, ss, fontSize, standby, checkedValue(chkTX), checkedValue(chkRX),
                               checkedValue(chkAlm), checkedValue(chkDate), checkedValue(chkTime),
                               checkedValue(chkLog), checkedValue(chkSpeech));
        emit evtClick(iNG);
        accept();
    });
}

// The switches are stored before any check, so they stay even when the
// entries are refused.
void frmOpt::storeSwitches()
{
    Settings &s = m_module.settings;
    s.SyncTX = chkTX->isChecked();
    s.SyncRX = chkRX->isChecked();
    s.Alarm = chkAlm->isChecked();
    s.DispDate = chkDate->isChecked();
    s.DispTime = chkTime->isChecked();
    s.LogFile = chkLog->isChecked();
    s.Speech = chkSpeech->isChecked();
}

// Marks the five entries in order and counts the invalid ones. An empty or
// oversized font size or standby stops the count with an error.
int frmOpt::markEntries()
{
    int invalid = markedInvalid(inHH, timeFieldValid(inHH->text(), QStringLiteral("99")));
    invalid += markedInvalid(inMM, timeFieldValid(inMM->text(), QStringLiteral("59")));
    invalid += markedInvalid(inSS, timeFieldValid(inSS->text(), QStringLiteral("59")));
    invalid += markedInvalid(inFsize, between(NumberText::toInt16(inFsize->text()), 6, 72));
    invalid += markedInvalid(inStby, between(NumberText::toInt16(inStby->text()), 0, 59));
    return invalid;
}

void frmOpt::btnCancel_Click()
{
    ErrorTrap::report(m_messages, QStringLiteral("frm.Opt.btnCancel_Click Error"), [this] { reject(); });
}

void frmOpt::inHH_KeyPress(int &KeyAscii)
{
    digitsOnly(QStringLiteral("frm.Opt.inHH_KeyPress Error"), KeyAscii);
}

void frmOpt::inMM_KeyPress(int &KeyAscii)
{
    digitsOnly(QStringLiteral("frm.Opt.inMM_KeyPress Error"), KeyAscii);
}

void frmOpt::inSS_KeyPress(int &KeyAscii)
{
    digitsOnly(QStringLiteral("frm.Opt.inSS_KeyPress Error"), KeyAscii);
}

void frmOpt::inFsize_KeyPress(int &KeyAscii)
{
    digitsOnly(QStringLiteral("frm.Opt.inFsize_KeyPress Error"), KeyAscii);
}

void frmOpt::inStby_KeyPress(int &KeyAscii)
{
    digitsOnly(QStringLiteral("frm.Opt.inStby_KeyPress Error"), KeyAscii);
}

void frmOpt::digitsOnly(const QString &trapText, int &KeyAscii)
{
    ErrorTrap::report(m_messages, trapText, [&KeyAscii] {
        if (!TypedKey::isDigitKey(KeyAscii))
            KeyAscii = 0;
    });
}

bool frmOpt::eventFilter(QObject *watched, QEvent *event)
{
    const KeyPressHandler handler = m_keyPress.value(watched);
    if (event->type() != QEvent::KeyPress || !handler)
        return QDialog::eventFilter(watched, event);
    int KeyAscii = TypedKey::code(*static_cast<QKeyEvent *>(event));
    if (KeyAscii == 0)
        return false;
    (this->*handler)(KeyAscii);
    return KeyAscii == 0;
}
