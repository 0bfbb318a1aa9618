#pragma once

#include "app/MainServices.h"
#include "platform/FileOpenDialog.h"
#include "platform/InstanceGuard.h"

#include "support/FakeClipboard.h"
#include "support/FakeClock.h"
#include "support/FakeEchoLinkSession.h"
#include "support/RecordingBeeper.h"
#include "support/RecordingMessageDialog.h"

#include <QDir>
#include <QTemporaryDir>

class FakeInstanceGuard : public InstanceGuard
{
public:
    bool anotherInstanceRunning() override { return m_running; }
    void setRunning(bool running) { m_running = running; }

private:
    bool m_running = false;
};

// Answers the file-open dialog with a fixed path, or the proposed one while
// no answer is set.
class FakeFileOpenDialog : public FileOpenDialog
{
public:
    QString open(QWidget *, const QString &title, const QList<FileType> &, const QString &initialPath,
                 const QString &) override
    {
        m_lastTitle = title;
        m_lastInitialPath = initialPath;
        return m_answer.isNull() ? initialPath : m_answer;
    }
    void setAnswer(const QString &answer) { m_answer = answer; }
    QString lastTitle() const { return m_lastTitle; }
    QString lastInitialPath() const { return m_lastInitialPath; }

private:
    QString m_answer;
    QString m_lastTitle;
    QString m_lastInitialPath;
};

// How the fake EchoLink answers the main window's attempt to attach.
enum class Attach { Succeeds, Empty, Throws };

// A temporary program folder with an EchoLink folder "el/", and fakes for
// everything outside the program. The session factory hands out a
// FakeEchoLinkSession and keeps a pointer to it.
struct TestServices
{
    TestServices() { QDir(folder()).mkpath(QStringLiteral("el")); }

    QString folder() const { return dir.path() + QLatin1Char('/'); }
    QString iniPath() const { return folder() + QStringLiteral("vln.ini"); }

    MainServices services()
    {
        return MainServices{clock, messages, clipboard, beeper, fileDialog, instance,
                            [this]() -> std::unique_ptr<EchoLinkSession> {
                                ++sessionsCreated;
                                if (attach == Attach::Throws)
                                    throw EchoLinkError("cannot create");
                                if (attach == Attach::Empty)
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
    RecordingMessageDialog messages;
    FakeClipboard clipboard;
    RecordingBeeper beeper;
    FakeFileOpenDialog fileDialog;
    FakeInstanceGuard instance;
    FakeEchoLinkSession *session = nullptr;
    int sessionsCreated = 0;
    Attach attach = Attach::Succeeds;
};
