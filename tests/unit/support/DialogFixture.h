#pragma once

#include "encoding/TextFile.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsStore.h"
#include "support/FakeMainWindowState.h"
#include "support/RecordingMessageDialog.h"
#include "support/TestFiles.h"
#include "system/Folders.h"

#include <QAccessible>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// Settings in a temporary program folder (EchoLink's: its missing "el/"), fakes and widget helpers.
struct DialogFixture
{
    DialogFixture() : settings(messages, {folder(), folder() + "none/", folder() + "el/"}) {}

    QString folder() const { return QDir::toNativeSeparators(dir.path()) + Folders::separator(); }
    QStringList iniLines() const { return QString::fromLatin1(readFile(folder() + "vln.ini")).split("\r\n"); }
    // Changes the settings as a user editing vln.ini would: the changed
    // record goes to the file, which the store then reads.
    template <typename F> void edit(F &&change)
    {
        Settings s = settings.settings();
        change(s);
        TextFile::writeLines(settings.settings().programFolder + "vln.ini", SettingsFile::format(s, window.placement()));
        QVERIFY(settings.load().usable);
    }
    void save() { settings.save(window.windowState()); }

    template <typename T = QLineEdit> static T *child(const QWidget &parent, const QString &name)
    {
        if (T *found = parent.findChild<T *>(name))
            return found;
        qFatal("no child %s", qPrintable(name));
    }
    static void click(const QWidget &parent, const char *name) { child<QPushButton>(parent, name)->click(); }
    static QList<QLineEdit *> boxes(const QWidget &parent, const QStringList &names)
    {
        QList<QLineEdit *> out;
        for (const QString &name : names)
            out << child(parent, name);
        return out;
    }
    // The boxes' texts joined by blanks, or their marks: "W" white, "Y" yellow.
    // A yellow box must also tell assistive technology it is invalid.
    static QString texts(const QList<QLineEdit *> &boxes, bool marks = false)
    {
        QStringList out;
        for (const QLineEdit *box : boxes) {
            const bool yellow = box->palette().color(QPalette::Base) == QColor(255, 255, 0);
            if (yellow != (box->accessibleDescription() == "Invalid entry"))
                return "mark not said: " + box->objectName();
            out << (!marks ? box->text() : yellow ? "Y" : "W");
        }
        return out.join(marks ? "" : " ");
    }
    // Every control a user can reach has a name of its own for a screen reader.
    static QStringList unnamed(const QWidget &dialog)
    {
        QStringList names, problems;
        for (QWidget *control : dialog.findChildren<QWidget *>()) {
            if (control->focusPolicy() == Qt::NoFocus)
                continue;
            const QString name = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
            if (name.isEmpty() || names.contains(name))
                problems << control->objectName();
            names << name;
        }
        return problems;
    }
    // What a numeric box holds after letters, blanks, signs, a full-width
    // digit and kana were typed among the digits 1, 2, 9 and 3, and then a backspace.
    static QString typed(QLineEdit *box)
    {
        box->clear();
        QTest::keyClicks(box, "a1 :b-2.+Z");
        for (const char *wide : {"５", "あ"})
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString::fromUtf8(wide), Qt::NoModifier);
        QTest::keyClicks(box, "93");
        QTest::keyClick(box, Qt::Key_Backspace);
        return box->text();
    }

    QTemporaryDir dir;
    FakeMainWindowState window;
    RecordingMessageDialog messages;
    SettingsStore settings;
};
