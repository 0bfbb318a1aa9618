#include "frmAbout.h"

#include "AppIcon.h"
#include "EtchedRule.h"
#include "platform/AppInfo.h"
#include "platform/ErrorTrap.h"
#include "platform/JapaneseFont.h"
#include "platform/Twips.h"
#include "platform/VbError.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel *label(QWidget *parent, const char *name, double left, double top, double width, double height)
{
    auto *control = new QLabel(parent);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(Twips::rect(left, top, width, height));
    return control;
}

} // namespace

frmAbout::frmAbout(QWidget *mainWindow, MessageBox &messages)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                              | Qt::WindowCloseButtonHint)
    , m_messages(messages)
{
    setObjectName(QStringLiteral("frmAbout"));
    setFont(JapaneseFont::font(9));
    setFixedSize(Twips::toPixels(4440), Twips::toPixels(2595));
    createControls();
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        ErrorTrap::report(m_messages, QStringLiteral("frmAbout.cmdOK_Click Error"), [this] { cmdOK_Click(); });
    });
    ErrorTrap::report(m_messages, QStringLiteral("frmAbout.Form_Load Error"), [&] { Form_Load(mainWindow); });
}

void frmAbout::createControls()
{
    // Created in tab order.
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(Twips::rect(1380, 1860, 1380, 345));
    cmdOK->setDefault(true);

    picIcon = label(this, "picIcon", 120, 240, 540, 540);
    picIcon->setAlignment(Qt::AlignCenter);
    picIcon->setPixmap(AppIcon::icon().pixmap(32, 32));

    lblDescription = label(this, "lblDescription", 780, 420, 3585, 270);
    lblDisclaimer = label(this, "lblDisclaimer", 60, 1200, 4305, 315);
    lblTitle = label(this, "lblTitle", 780, 120, 1065, 225);
    lblTitle->setFont(JapaneseFont::font(9, true));
    lblVersion = label(this, "lblVersion", 1860, 120, 2055, 225);
    copyright = label(this, "copyright", 180, 2280, 4155, 255);
    readme = label(this, "readme", 780, 780, 3615, 255);
    Thanks = label(this, "Thanks", 60, 1560, 4215, 255);

    Line1 = new EtchedRule(EtchedRule::etched(4380, {4380}), 0, 1140, this);
    cmdOK->setFocus();
}

void frmAbout::Form_Load(QWidget *mainWindow)
{
    if (!mainWindow)
        throw VbError("Object required");
    move(mainWindow->frameGeometry().topLeft() + QPoint(Twips::toPixels(250), Twips::toPixels(2100)));
    setWindowTitle(AppInfo::title() + QStringLiteral(" Version Info."));
    lblVersion->setText(QStringLiteral("Ver. %1.%2.%3").arg(AppInfo::major()).arg(AppInfo::minor()).arg(AppInfo::revision()));
    lblTitle->setText(AppInfo::title());
    lblDescription->setText(QStringLiteral("Transmit timeout prevent monitor Utility"));
    readme->setText(QStringLiteral("HELP File is [ Readme.txt ]"));
    lblDisclaimer->setText(QStringLiteral("Message:  Enjoy EchoLink Life!!"));
    Thanks->setText(QStringLiteral("Thanks to every EchoLink operator on the air"));
    copyright->setText(QStringLiteral("Copyright (c) 2026 The Vorlane developers"));
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::keyPressEvent(QKeyEvent *event)
{
    // Esc presses OK like Enter does, rather than rejecting the dialog.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
