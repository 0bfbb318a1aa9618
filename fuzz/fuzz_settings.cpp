// Feeds arbitrary bytes to the settings reader as vln.ini. Besides crashes it
// checks what the reader promises: a file it refuses is replaced by one it
// accepts, and a file it accepts survives a write and a second read unchanged.

#include "platform/MessageBox.h"
#include "settings/Module1.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

class NoMessages : public MessageBox
{
public:
    void show(const QString &, const QString &) override {}
};

class FakeWindow : public SettingsWindow
{
public:
    WindowPlacement placement() const override { return m_placement; }
    void setPlacement(const WindowPlacement &placement) override { m_placement = placement; }
    bool chkDateChecked() const override { return false; }
    bool chkTimeChecked() const override { return false; }
    bool chkLogChecked() const override { return false; }

private:
    WindowPlacement m_placement;
};

struct Run
{
    SettingsReadResult result;
    int chkT00 = 0;
    int chkT01 = 0;
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

// Reads vln.ini; an accepted file is written back from the values read.
Run readOnce(bool writeBack)
{
    FakeWindow window;
    NoMessages messages;
    const QString folder = scratchFolder();
    Module1 module(window, messages,
                   ProgramFolders{folder, folder + QStringLiteral("absent/"), folder + QStringLiteral("echolink/")});
    Run run;
    run.result = module.ReadSettings();
    if (writeBack && run.result.ok) {
        const SettingsReadResult &r = run.result;
        module.WriteSettings(r.TimerHH, r.TimerMM, r.TimerSS, r.FontSize, r.Standby, r.SyncTX, r.SyncRX,
                             r.Alarm, r.DispDate, r.DispTime, r.LogFile, r.Speech);
    }
    run.chkT00 = module.chkT00;
    run.chkT01 = module.chkT01;
    return run;
}

bool sameValues(const Run &a, const Run &b)
{
    const SettingsReadResult &x = a.result;
    const SettingsReadResult &y = b.result;
    return x.TimerHH == y.TimerHH && x.TimerMM == y.TimerMM && x.TimerSS == y.TimerSS
        && x.FontSize == y.FontSize && x.Standby == y.Standby && x.SyncTX == y.SyncTX
        && x.SyncRX == y.SyncRX && x.Alarm == y.Alarm && x.DispDate == y.DispDate
        && x.DispTime == y.DispTime && x.LogFile == y.LogFile && x.Speech == y.Speech
        && a.chkT00 == b.chkT00 && a.chkT01 == b.chkT01;
}

bool inRange(const SettingsReadResult &r)
{
    return r.TimerHH >= 0 && r.TimerHH <= 99 && r.TimerMM >= 0 && r.TimerMM <= 59 && r.TimerSS >= 0
        && r.TimerSS <= 59 && r.FontSize >= 6 && r.FontSize <= 72 && r.Standby >= 0 && r.Standby <= 59;
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
    if (first.result.ok && !inRange(first.result))
        broken("accepted a value out of range");
    const Run second = readOnce(false);
    if (!second.result.ok)
        broken(first.result.ok ? "refused the file it had just written" : "refused its own default file");
    if (first.result.ok && !sameValues(first, second))
        broken("values changed across a write and a read");
    return 0;
}
