#pragma once

#include "chat/ActivityLog.h"
#include "system/Folders.h"
#include "settings/SettingsStore.h"

#include "support/FakeClipboard.h"
#include "support/FakeClock.h"
#include "support/FakeMainWindowState.h"
#include "support/RecordingMessageDialog.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

// A fresh program folder with its Logs folder and settings, a clock standing at
// 2006/03/14 21:05:09, and the fakes the chat and its logs talk to.
struct ChatFixture
{
    // A file in the Logs folder; today's text log by default.
    QString logsFile(const QString &name = QStringLiteral("20060314.txt")) const
    {
        return folder + "Logs" + Folders::separator() + name;
    }
    // Changes the live settings, as a settings dialog would.
    template <typename Edit> void change(Edit edit) { Settings s = settings.settings(); edit(s); settings.update(s); }

    QTemporaryDir dir;
    const QString folder = QDir::toNativeSeparators(dir.path()) + Folders::separator();
    FakeMainWindowState window;
    RecordingMessageDialog messages;
    SettingsStore settings{window, messages, ProgramFolders{folder, folder + "none/", folder}};
    const bool logsReady = settings.ensureLogsFolder();
    FakeClock clock;
    FakeClipboard clipboard;
    ActivityLog log{settings, clock};
};
