#include "DialogScaffold.h"

#include "desktop/JapaneseFont.h"
#include "desktop/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace DialogScaffold {

namespace {

const QColor validMark(255, 255, 255);
const QColor invalidMark(255, 255, 0);
const double boxPoints = 14.25;
const double buttonPoints = 11.25;

bool sortsBetween(const QString &text, const QString &high)
{
    return text >= QLatin1String("00") && text <= high;
}

} // namespace

void placeBeside(QWidget *dialog, const WindowPlacement &mainWindow)
{
    dialog->move(Twips::toPixels(mainWindow.left + 250), Twips::toPixels(mainWindow.top + 2100));
}

QLineEdit *numberBox(QWidget *parent, const QString &name, const QRect &rect, const QString &text,
                     const QString &spoken)
{
    auto *box = new QLineEdit(text, parent);
    box->setObjectName(name);
    box->setAccessibleName(spoken);
    box->setGeometry(rect);
    box->setFont(JapaneseFont::font(boxPoints));
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    return box;
}

QLabel *label(QWidget *parent, const QString &caption, const QRect &rect)
{
    auto *l = new QLabel(caption, parent);
    l->setGeometry(rect);
    l->lower();
    return l;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QRect &rect)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(rect);
    b->setFont(JapaneseFont::font(buttonPoints));
    return b;
}

int mark(QLineEdit *box, bool valid)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, valid ? validMark : invalidMark);
    box->setPalette(palette);
    const QString description = valid ? QString() : QStringLiteral("Invalid entry");
    if (box->accessibleDescription() != description)
        box->setAccessibleDescription(description);
    return valid ? 0 : 1;
}

bool limitFieldValid(const QString &text, const QString &high)
{
    return text.size() <= 2 && sortsBetween(text, high);
}

bool scheduleFieldValid(const QString &text, const QString &high)
{
    return text.size() == 2 && sortsBetween(text, high);
}

} // namespace DialogScaffold
