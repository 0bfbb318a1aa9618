#include "AboutDialog.h"

#include "ui/AppIcon.h"
#include "ui/widgets/EtchedRule.h"
#include "compat/AppInfo.h"
#include "compat/ErrorTrap.h"
#include "compat/RunTimeError.h"
#include "desktop/JapaneseFont.h"
#include "desktop/Twips.h"

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

void setText(QWidget *dialog, const char *name, const QString &text)
{
    dialog->findChild<QLabel *>(QLatin1String(name))->setText(text);
}

} // namespace

AboutDialog::AboutDialog(QWidget *mainWindow, MessageDialog &messages)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                              | Qt::WindowCloseButtonHint)
    , m_messages(messages)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setFont(JapaneseFont::font(9));
    setFixedSize(Twips::toPixels(4440), Twips::toPixels(2595));
    createControls();
    connect(m_ok, &QPushButton::clicked, this, [this] {
        ErrorTrap::report(m_messages, QStringLiteral("frmAbout.cmdOK_Click Error"), [this] { accept(); });
    });
    ErrorTrap::report(m_messages, QStringLiteral("frmAbout.Form_Load Error"), [&] { placeAndFill(mainWindow); });
}

void AboutDialog::createControls()
{
    // Created in tab order.
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setGeometry(Twips::rect(1380, 1860, 1380, 345));
    m_ok->setDefault(true);

    QLabel *icon = label(this, "icon", 120, 240, 540, 540);
    icon->setAlignment(Qt::AlignCenter);
    icon->setPixmap(AppIcon::icon().pixmap(32, 32));

    label(this, "description", 780, 420, 3585, 270);
    label(this, "disclaimer", 60, 1200, 4305, 315);
    label(this, "title", 780, 120, 1065, 225)->setFont(JapaneseFont::font(9, true));
    label(this, "version", 1860, 120, 2055, 225);
    label(this, "copyright", 180, 2280, 4155, 255);
    label(this, "readme", 780, 780, 3615, 255);
    label(this, "thanks", 60, 1560, 4215, 255);

    new EtchedRule(EtchedRule::etched(4380, {4380}), 0, 1140, this);
    m_ok->setFocus();
}

void AboutDialog::placeAndFill(QWidget *mainWindow)
{
    if (!mainWindow)
        throw RunTimeError("Object required");
    move(mainWindow->frameGeometry().topLeft() + QPoint(Twips::toPixels(250), Twips::toPixels(2100)));
    setWindowTitle(AppInfo::title() + QStringLiteral(" Version Info."));
    setText(this, "version", QStringLiteral("Ver. ") + AppInfo::versionText());
    setText(this, "title", AppInfo::title());
    setText(this, "description", QStringLiteral("Transmit timeout prevent monitor Utility"));
    setText(this, "readme", QStringLiteral("HELP File is [ Readme.txt ]"));
    setText(this, "disclaimer", QStringLiteral("Message:  Enjoy EchoLink Life!!"));
    setText(this, "thanks", QStringLiteral("Thanks to every EchoLink operator on the air"));
    setText(this, "copyright", QStringLiteral("Copyright (c) 2026 The Vorlane developers"));
}

void AboutDialog::keyPressEvent(QKeyEvent *event)
{
    // Esc presses OK like Enter does, rather than rejecting the dialog.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_ok->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
