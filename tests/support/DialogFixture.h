#pragma once

#include "settings/SettingsStore.h"

#include "support/FakeMainWindowState.h"
#include "support/RecordingMessageDialog.h"
#include "support/TestFiles.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

// What the settings dialogs work on: settings whose program folder is a
// temporary one, the main window and the message boxes as fakes.
struct DialogFixture
{
    DialogFixture() : settings(window, messages, ProgramFolders{folder(), folder() + "none/", folder()}) {}

    QString folder() const { return dir.path() + QLatin1Char('/'); }
    QStringList iniLines() const { return QString::fromLatin1(readFile(folder() + "vln.ini")).split("\r\n"); }

    static QString texts(const QList<QLineEdit *> &boxes)
    {
        QStringList out;
        for (const QLineEdit *box : boxes)
            out << box->text();
        return out.join(' ');
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
    // "W" white, "Y" yellow per box.
    static QString marks(const QList<QLineEdit *> &boxes)
    {
        QString out;
        for (const QLineEdit *box : boxes)
            out += box->palette().color(QPalette::Base) == QColor(255, 255, 0) ? 'Y' : 'W';
        return out;
    }

    QTemporaryDir dir;
    FakeMainWindowState window;
    RecordingMessageDialog messages;
    SettingsStore settings;
};
