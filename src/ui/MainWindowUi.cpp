#include "MainWindowUi.h"

#include "AppIcon.h"
#include "EtchedRule.h"
#include "LampBar.h"
#include "LedShape.h"
#include "chat/ChatHistoryView.h"
#include "platform/JapaneseFont.h"
#include "platform/Twips.h"

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

template <typename W>
W *place(W *widget, const char *name, double left, double top, double width, double height)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(Twips::rect(left, top, width, height));
    return widget;
}

QLabel *statusLabel(QWidget *parent, const char *name, double left, double width, const QString &text)
{
    auto *label = place(new QLabel(text, parent), name, left, 120, width, 375);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
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

} // namespace

void MainWindowUi::setupUi(QMainWindow *window)
{
    window->setObjectName(QStringLiteral("frmMain"));
    window->setWindowTitle(QStringLiteral("VorlaneMonitor"));
    window->setWindowIcon(AppIcon::icon());

    QMenuBar *bar = window->menuBar();
    mnuFile = bar->addMenu(QStringLiteral("File(&F)"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuOpt = mnuFile->addAction(QStringLiteral("Option(&O)"));
    mnuOpt->setObjectName(QStringLiteral("mnuOpt"));
    mnuTSet = mnuFile->addAction(QStringLiteral("Timer(&T)"));
    mnuTSet->setObjectName(QStringLiteral("mnuTSet"));
    mnuBar = mnuFile->addSeparator();
    mnuBar->setObjectName(QStringLiteral("mnuBar"));
    mnuExit = mnuFile->addAction(QStringLiteral("Exit(&E)"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    mnuAbout = bar->addAction(QStringLiteral("About(&A)"));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));

    // The window font goes on the client area so the menu keeps the
    // system's font, as a native menu bar would.
    central = new QWidget(window);
    central->setObjectName(QStringLiteral("central"));
    central->setFont(JapaneseFont::font(12, true));
    window->setCentralWidget(central);

    Line1 = new EtchedRule(EtchedRule::etched(5460, {4380, 5520}), 0, 0, central);

    monLED = place(new LedShape(central), "monLED", 60, 120, 255, 375);
    txtCount = statusLabel(central, "txtCount", 360, 1395, QStringLiteral("00:00:00"));
    txtCount->setFont(JapaneseFont::font(14.25, true));
    sConCall = statusLabel(central, "sConCall", 1750, 1750, QString());
    Mesg = statusLabel(central, "Mesg", 3510, 1330, QString());
    Mesg->setFont(JapaneseFont::font(14.25, true));
    QPalette mesgPalette = Mesg->palette();
    mesgPalette.setColor(QPalette::WindowText, QColor(192, 192, 0));
    Mesg->setPalette(mesgPalette);
    txtDayof = statusLabel(central, "txtDayof", 4850, 620, QString());
    txtDayof->setFont(JapaneseFont::font(11.25, true));

    Shape1 = new LampBar(central);

    chkDate = switchRowControl<QCheckBox>(central, "chkDate", QStringLiteral("Date"), 120, 795);
    chkTime = switchRowControl<QCheckBox>(central, "chkTime", QStringLiteral("Time"), 960, 795);
    chkLog = switchRowControl<QCheckBox>(central, "chkLog", QStringLiteral("Log"), 1800, 795);
    cmdClr = switchRowControl<QPushButton>(central, "cmdClr", QStringLiteral("Clear"), 2640, 795);
    chkBusy = switchRowControl<QCheckBox>(central, "chkBusy", QStringLiteral("Busy"), 3480, 795);
    btnView = switchRowControl<QPushButton>(central, "btnView", QStringLiteral("Log Open"), 4500, 915);

    // The history view brings its own key handling, wrapping and scroll bar.
    lChat = place(new ChatHistoryView(central), "lChat", 20, 1320, 5415, 5895);
    lChat->setFont(JapaneseFont::font(9));

    sInput = place(new QLineEdit(central), "sInput", 20, 7320, 4755, 360);
    sInput->setFont(JapaneseFont::font(12));
    B_Send = place(new QPushButton(QStringLiteral("Send"), central), "B_Send", 4860, 7320, 555, 360);
    B_Send->setFont(JapaneseFont::font(9));

    QWidget *tabOrder[] = {sInput, B_Send, chkDate, chkTime, chkLog, cmdClr, chkBusy, btnView, lChat};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
    sInput->setFocus();

    window->resize(Twips::toPixels(ClientWidth), Twips::toPixels(ClientHeight) + bar->sizeHint().height());
}

void MainWindowUi::setChatFontSize(int points)
{
    QFont font = lChat->font();
    font.setPointSize(points);
    lChat->setFont(font);
}
