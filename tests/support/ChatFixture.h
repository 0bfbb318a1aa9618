#pragma once

#include "chat/ActivityLog.h"
#include "settings/SettingsStore.h"

#include "support/FakeClipboard.h"
#include "support/FakeClock.h"
#include "support/FakeMainWindowState.h"
#include "support/RecordingMessageDialog.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

// A fresh program folder with its Logs folder, the settings read from it, a
// clock standing at 2006/03/14 21:05:09, and the fakes the chat and its logs
// talk to. Built anew for every test function.
struct ChatFixture
{
    // A file in the Logs folder; today's text log by default.
    QString logsFile(const QString &name = QStringLiteral("20060314.txt")) const { return folder + "Logs/" + name; }

    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    FakeMainWindowState window;
    RecordingMessageDialog messages;
    SettingsStore settings{window, messages, ProgramFolders{folder, folder + "none/", folder}};
    const bool logsReady = settings.ensureLogsFolder();
    FakeClock clock;
    FakeClipboard clipboard;
    ActivityLog log{settings, clock};
};
