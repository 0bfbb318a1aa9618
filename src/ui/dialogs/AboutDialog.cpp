#include "AboutDialog.h"

#include "DialogScaffold.h"
#include "compat/AppInfo.h"
#include "compat/ErrorTrap.h"
#include "compat/RunTimeError.h"
#include "compat/Texts.h"
#include "desktop/JapaneseFont.h"
#include "desktop/MessageDialog.h"
#include "desktop/Twips.h"
#include "ui/AppIcon.h"
#include "ui/widgets/EtchedRule.h"

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
        ErrorTrap::report(m_messages, Texts::ErrorBox::aboutOk, [this] { accept(); });
    });
    ErrorTrap::report(m_messages, Texts::ErrorBox::aboutLoad, [&] { placeAndFill(mainWindow); });
}

void AboutDialog::createControls()
{
    // Created in tab order.
    m_ok = new QPushButton(Texts::okButton, this);
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
        throw ObjectRequiredError();
    const QPoint corner = mainWindow->frameGeometry().topLeft();
    DialogScaffold::placeBeside(this, {Twips::fromPixels(corner.x()), Twips::fromPixels(corner.y())});
    setWindowTitle(AppInfo::title() + Texts::aboutTitleSuffix);
    setText(this, "version", Texts::aboutVersion + AppInfo::versionText());
    setText(this, "title", AppInfo::title());
    setText(this, "description", Texts::aboutDescription);
    setText(this, "readme", Texts::aboutReadme);
    setText(this, "disclaimer", Texts::aboutMessage);
    setText(this, "thanks", Texts::aboutThanks);
    setText(this, "copyright", Texts::aboutCopyright);
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
