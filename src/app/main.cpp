#include "CommandLine.h"
#include "MainWindow.h"

#include "desktop/Clipboard.h"
#include "system/Clock.h"
#include "echolink/EchoLinkConnector.h"
#include "desktop/FileOpenDialog.h"
#include "system/InstanceGuard.h"
#include "desktop/JapaneseFont.h"
#include "ui/AppIcon.h"

#ifdef Q_OS_WIN
#include "system/WinBeeper.h"
#include "desktop/WinMessageDialog.h"
#else
#include "system/AlsaBeeper.h"
#include "desktop/MessageDialog.h"
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

    MainWindow window(MainServices{clock, messages, clipboard, beeper, fileDialog, instance,
                                   createEchoLinkSession, ProgramFolders::system()});
    QObject::connect(&window, &MainWindow::programEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    window.startUp();
    if (window.hasEnded())
        return 0;
    window.show();
    return app.exec();
}
