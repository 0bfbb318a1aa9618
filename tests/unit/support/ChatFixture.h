#pragma once

#include "chat/ActivityLog.h"
#include "settings/Settings.h"
#include "system/Folders.h"

#include "support/FakeClipboard.h"
#include "support/FakeClock.h"
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
    static Settings inFolder(const QString &folder)
    {
        Settings settings;
        settings.programFolder = folder;
        return settings;
    }

    QTemporaryDir dir;
    const QString folder = QDir::toNativeSeparators(dir.path()) + Folders::separator();
    Settings settings = inFolder(folder);
    const bool logsReady = QDir(folder).mkdir(QStringLiteral("Logs"));
    FakeClock clock;
    FakeClipboard clipboard;
    ActivityLog log{settings, clock};
};
