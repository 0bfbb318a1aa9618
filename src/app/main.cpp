#include "AppController.h"
#include "CommandLine.h"

#include "desktop/Clipboard.h"
#include "desktop/FileOpenDialog.h"
#include "desktop/JapaneseFont.h"
#include "echolink/EchoLinkConnector.h"
#include "system/Clock.h"
#include "system/InstanceGuard.h"
#include "ui/AppIcon.h"

#ifdef Q_OS_WIN
#include "desktop/WinMessageDialog.h"
#include "system/WinBeeper.h"
#else
#include "desktop/MessageDialog.h"
#include "system/AlsaBeeper.h"
#endif

#include <QApplication>

int main(int argc, char *argv[])
{
    if (const auto exitCode = CommandLine::answer(argc, argv))
        return *exitCode;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vorlane"));
    QApplication::setWindowIcon(AppIcon::icon());
    // The program ends only through its own ending paths.
    QApplication::setQuitOnLastWindowClosed(false);
    JapaneseFont::installSubstitutes();
#ifndef Q_OS_WIN
    // Menus and message boxes in the program's own face: the desktop's
    // default face would otherwise be loaded at start-up for the menu bar alone.
    QApplication::setFont(JapaneseFont::font(9));
#endif

    SystemClock clock;
    QtClipboard clipboard;
#ifdef Q_OS_WIN
    WinMessageDialog messages;
    WinBeeper beeper;
#else
    QtMessageDialog messages;
    AlsaBeeper beeper;
#endif
    QtFileOpenDialog fileDialog;
    LockFileInstanceGuard instance;

    AppController program(MainServices{clock, messages, clipboard, beeper, fileDialog, instance,
                                       createEchoLinkSession, ProgramFolders::system()});
    QObject::connect(&program, &AppController::programEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    program.startUp();
    if (program.hasEnded())
        return 0;
    program.window().show();
    return app.exec();
}
