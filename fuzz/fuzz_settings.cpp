// Feeds arbitrary bytes to the settings reader as vln.ini. Besides crashes it
// checks what the reader promises: a file it refuses is replaced by one it
// accepts, and a file it accepts survives a write and a second read unchanged.

#include "desktop/MessageDialog.h"
#include "encoding/Cp932.h"
#include "settings/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

class NoMessages : public MessageDialog
{
public:
    void show(const QString &, const QString &) override {}
};

struct Run
{
    bool ok = false;
    Settings values;
};

const QString &scratchFolder()
{
    static QTemporaryDir dir;
    static const QString folder = dir.path() + QLatin1Char('/');
    return folder;
}

// Line 12 (VLNDir) names the folder the reader writes the default file to;
// pinning it to the scratch folder keeps every write in there. Line ends are
// split as the reader splits them; CR and LF bytes never sit inside a
// double-byte character.
QByteArray withPinnedFolder(const QByteArray &data)
{
    int line = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= data.size(); ++i) {
        const bool end = i == data.size() || data.at(i) == '\r' || data.at(i) == '\n';
        if (!end)
            continue;
        if (line == 11)
            return data.left(start) + "VLNDir=" + scratchFolder().toUtf8() + data.mid(i);
        if (i + 1 < data.size() && data.at(i) == '\r' && data.at(i + 1) == '\n')
            ++i;
        start = i + 1;
        ++line;
    }
    return data;
}

void writeFile(const QByteArray &bytes)
{
    QFile file(scratchFolder() + QStringLiteral("vln.ini"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size())
        abort();
}

// Reads vln.ini; an accepted file is written back from the values read, with
// the window where the file placed it.
Run readOnce(bool writeBack)
{
    NoMessages messages;
    const QString folder = scratchFolder();
    SettingsStore store(messages,
                        ProgramFolders{folder, folder + QStringLiteral("absent/"), folder + QStringLiteral("echolink/")});
    Run run;
    const SettingsStore::Loaded loaded = store.load();
    run.ok = loaded.usable;
    run.values = store.settings();
    if (writeBack && run.ok)
        store.save({loaded.placement.value_or(WindowPlacement{}), run.values.chatSwitches()});
    return run;
}

// Only the folder and path values keep what the code page lacks; the
// schedule times, which nothing but the clock's "HH:MM:SS" ever matches,
// come back as the code page writes them.
QString asWritten(const QString &text)
{
    return Cp932::decode(Cp932::encode(text));
}

bool sameValues(const Settings &x, const Settings &y)
{
    const auto sameWindow = [](const ScheduleWindow &a, const ScheduleWindow &b) {
        return asWritten(a.start) == b.start && asWritten(a.end) == b.end && a.enableDigit == b.enableDigit;
    };
    return x.limit.hours == y.limit.hours && x.limit.minutes == y.limit.minutes
        && x.limit.seconds == y.limit.seconds && x.fontSize == y.fontSize
        && x.standbySeconds == y.standbySeconds && x.syncTransmit == y.syncTransmit
        && x.syncReceive == y.syncReceive && x.alarm == y.alarm && x.stampDate == y.stampDate
        && x.stampTime == y.stampTime && x.logChat == y.logChat && x.speakCallsigns == y.speakCallsigns
        && x.echoLinkFolder == y.echoLinkFolder && x.programFolder == y.programFolder
        && x.htmlLog == y.htmlLog && sameWindow(x.schedule[0], y.schedule[0])
        && sameWindow(x.schedule[1], y.schedule[1]);
}

bool inRange(const Settings &s)
{
    return s.limit.hours >= 0 && s.limit.hours <= 99 && s.limit.minutes >= 0 && s.limit.minutes <= 59
        && s.limit.seconds >= 0 && s.limit.seconds <= 59 && s.fontSize >= 6 && s.fontSize <= 72
        && s.standbySeconds >= 0 && s.standbySeconds <= 59;
}

[[noreturn]] void broken(const char *promise)
{
    std::fprintf(stderr, "settings reader broke its promise: %s\n", promise);
    abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    writeFile(withPinnedFolder(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size))));
    const Run first = readOnce(true);
    if (first.ok && !inRange(first.values))
        broken("accepted a value out of range");
    const Run second = readOnce(false);
    if (!second.ok)
        broken(first.ok ? "refused the file it had just written" : "refused its own default file");
    if (first.ok && !sameValues(first.values, second.values))
        broken("values changed across a write and a read");
    return 0;
}
