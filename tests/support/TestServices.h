#pragma once

#include "app/MainServices.h"
#include "platform/FileOpenDialog.h"
#include "platform/InstanceGuard.h"

#include "support/FakeClipboard.h"
#include "support/FakeClock.h"
#include "support/FakeEchoLinkSession.h"
#include "support/RecordingBeeper.h"
#include "support/RecordingMessageBox.h"

#include <QDir>
#include <QTemporaryDir>

class FakeInstanceGuard : public InstanceGuard
{
public:
    bool anotherInstanceRunning() override { return running; }
    bool running = false;
};

// Answers the file-open dialog with a fixed path (or the proposed one).
class FakeFileOpenDialog : public FileOpenDialog
{
public:
    QString open(QWidget *, const QString &title, const QList<FileType> &, const QString &initialPath,
                 const QString &) override
    {
        lastTitle = title;
        lastInitialPath = initialPath;
        return answer.isNull() ? initialPath : answer;
    }
    QString answer;
    QString lastTitle;
    QString lastInitialPath;
};

// A temporary program folder with an EchoLink folder, and fakes for
// everything outside the program. The session factory hands out a
// FakeEchoLinkSession and keeps a pointer to it.
struct TestServices
{
    TestServices()
    {
        QDir(folder()).mkpath(QStringLiteral("el"));
    }

    QString folder() const { return dir.path() + QLatin1Char('/'); }
    QString iniPath() const { return folder() + QStringLiteral("vln.ini"); }

    MainServices services()
    {
        return MainServices{clock, messages, clipboard, beeper, fileDialog, instance,
                            [this]() -> std::unique_ptr<EchoLinkSession> {
                                ++sessionsCreated;
                                if (sessionFails)
                                    throw EchoLinkError("cannot create");
                                if (sessionEmpty)
                                    return nullptr;
                                auto fake = std::make_unique<FakeEchoLinkSession>();
                                session = fake.get();
                                return fake;
                            },
                            ProgramFolders{folder(), folder() + QStringLiteral("no-install/"),
                                           folder() + QStringLiteral("el/")}};
    }

    QTemporaryDir dir;
    FakeClock clock;
    RecordingMessageBox messages;
    FakeClipboard clipboard;
    RecordingBeeper beeper;
    FakeFileOpenDialog fileDialog;
    FakeInstanceGuard instance;
    FakeEchoLinkSession *session = nullptr;
    int sessionsCreated = 0;
    bool sessionFails = false;
    bool sessionEmpty = false;
};
