#pragma once

#include "app/AppController.h"
#include "desktop/FileOpenDialog.h"
#include "system/Folders.h"
#include "system/InstanceGuard.h"

#include "support/FakeClipboard.h"
#include "support/FakeClock.h"
#include "support/FakeEchoLinkSession.h"
#include "support/RecordingBeeper.h"
#include "support/RecordingMessageDialog.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class FakeInstanceGuard : public InstanceGuard
{
public:
    bool anotherInstanceRunning() override { return m_running; }
    void setRunning(bool running) { m_running = running; }

private:
    bool m_running = false;
};

// How the fake EchoLink answers the main window's attempt to attach.
enum class Attach { Succeeds, Empty, Throws };

// A temporary program folder with an EchoLink folder "el/", and fakes for
// everything outside the program. The session factory hands out a
// FakeEchoLinkSession and keeps a pointer to it.
struct TestServices
{
    TestServices() { QDir(folder()).mkpath(QStringLiteral("el")); }

    QString folder() const { return QDir::toNativeSeparators(dir.path()) + Folders::separator(); }

    // vln.ini as the program writes it. Position is in whole pixels so that it
    // survives the window; the program pads its numbers with a space.
    QByteArray iniText(const QString &limit = QStringLiteral("00:03:00"),
                       const QString &position = QStringLiteral(" 300, 450, 7200, 9000")) const
    {
        const QStringList lines{"Timer=" + limit, "FontSize=11", "Standby=5", "SyncTX=1", "SyncRX=1", "Alarm=1",
                                "DispDate=1", "DispTime=0", "LogFile=1", "Position=" + position,
                                "ELDir=" + folder() + "el/", "VLNDir=" + folder(), "Timer01=00:00:00,00:00:00,0",
                                "Timer02=00:00:00,00:00:00,0", "HttpLog=", "Speech=0"};
        return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    }
    // Without the padding, so that any save shows in the file.
    void writeIni(const QString &limit = QStringLiteral("00:03:00")) const
    {
        QVERIFY(writeFile(folder() + "vln.ini", iniText(limit, QStringLiteral("300,450,7200,9000"))));
    }
    QByteArray savedIni() const { return readFile(folder() + "vln.ini"); }

    std::unique_ptr<AppController> start()
    {
        writeIni();
        auto program = std::make_unique<AppController>(services());
        program->startUp();
        return program;
    }

    MainServices services()
    {
        return {clock, messages, clipboard, beeper, fileDialog, instance, [this] { return attachSession(); },
                {folder(), folder() + "no-install/", folder() + "el/"}};
    }
    std::unique_ptr<EchoLinkSession> attachSession()
    {
        ++sessionsCreated;
        if (attach == Attach::Throws)
            throw EchoLinkError("cannot create");
        session = attach == Attach::Empty ? nullptr : new FakeEchoLinkSession;
        return std::unique_ptr<EchoLinkSession>(session);
    }

    QTemporaryDir dir;
    FakeClock clock;
    RecordingMessageDialog messages;
    FakeClipboard clipboard;
    RecordingBeeper beeper;
    QtFileOpenDialog fileDialog; // never opened here
    FakeInstanceGuard instance;
    FakeEchoLinkSession *session = nullptr;
    int sessionsCreated = 0;
    Attach attach = Attach::Succeeds;
};
