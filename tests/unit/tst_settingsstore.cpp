#include "encoding/Cp932.h"
#include "settings/SettingsFile.h"
#include "support/DialogFixture.h"
#include "system/Folders.h"
#include <QtTest>
#include <memory>

static QStringList defaultLines(const QString &dir, const QString &program = {})
{
    return {"Timer=00:03:00", "FontSize=9", "Standby=5", "SyncTX=1", "SyncRX=1", "Alarm=1",
            "DispDate=0", "DispTime=1", "LogFile=0", "Position= 100, 100, 5640, 8460",
            "ELDir=" + dir + "el/", "VLNDir=" + (program.isEmpty() ? dir : program), "Timer01=00:00:00,00:00:00,0",
            "Timer02=00:00:00,00:00:00,0", "HttpLog=", "Speech=0"};
}

static QByteArray crlf(const QStringList &lines) { return Cp932::encode(lines.join("\r\n") + "\r\n"); }

class TestSettingsStore : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_f = std::make_unique<DialogFixture>(); }

    // Each row replaces one line (1-based) of the default file; a refused file is replaced by the default one.
    void readerAcceptsAndRejects_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        // Hours up to 99 pass the reader; separators, keys and paths are not
        // looked at; only a flag's first character counts; Speech is never invalid.
        const QList<std::pair<int, QString>> accepted{
            {1, "Timer=99:00:00"}, {1, "Timer=00x03y00"}, {1, "Whatever=00:03:00"}, {2, "FontSize=6"},
            {2, "FontSize=72"}, {2, "FontSize= 9.5 "}, {2, "9"}, {3, "Standby=59"}, {4, "SyncTX=10"},
            {16, "Speech=yes"}, {16, "Speech="}, {11, "ELDir="}, {10, "Position=-500, 100, 5640, 8460"},
            {10, "Position= 100, 100, 5640, 1800"}, {10, "Position= 100, 100, 100000, 8460"},
            {13, "Timer01=08:00:00,09:00:00,1"}, {13, "Timer01=08:00:00,09:00:00,2"}};
        const QList<std::pair<int, QString>> refused{
            {1, "Timer=3:00:00"}, {1, "Timer=00:60:00"}, {1, "Timer 00:03:00"}, {2, "FontSize=5"},
            {2, "FontSize=73"}, {2, "FontSize=big"}, {2, "FontSize=40000"}, {3, "Standby=-1"}, {4, "SyncTX=yes"},
            {4, "SyncTX="}, {9, "LogFile=2"}, {10, "Position=-600, 100, 5640, 8460"},
            {10, "Position= 100, 100, 5639, 8460"}, {10, "Position= 100, 100, 5640, 1799"},
            {10, "Position= 100, 100, 5640"}, {10, "Position= 100, 100, 5640, 8460, 1"},
            {13, "Timer01=08:00:00,09:00:00,3"}, {13, "Timer01=8:00:00,9:00:00,1"},
            {14, "Timer02=08:00:00,09:00:00,x"}, {14, "Timer02=8:00:00,9:00:00,1"}, {14, ""}};
        QTest::newRow("default file") << 1 << "Timer=00:03:00" << true;
        for (const auto &[line, text] : accepted)
            QTest::addRow("line %d '%s'", line, qPrintable(text)) << line << text << true;
        for (const auto &[line, text] : refused)
            QTest::addRow("line %d '%s'", line, qPrintable(text)) << line << text << false;
    }
    void readerAcceptsAndRejects()
    {
        QFETCH(int, line);
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QStringList lines = defaultLines(m_f->folder());
        lines[line - 1] = text;
        QVERIFY(writeFile(ini(), crlf(lines)));
        QCOMPARE(m_f->settings.load().usable, ok);
        QCOMPARE(readFile(ini()), crlf(ok ? lines : defaultLines(m_f->folder())));
    }

    // A failed read keeps the program folder, the HTML log and the schedule
    // digits, resets the rest, and places the window when the parse got that far.
    void failedReads()
    {
        const SettingsStore::Loaded none = m_f->settings.load(); // no file at all
        QVERIFY(!none.usable && !none.placement);
        QCOMPARE(readFile(ini()), crlf(defaultLines(m_f->folder())));
        const QString sub = m_f->folder() + "sub/";
        QStringList lines = defaultLines(m_f->folder());
        const QStringList changed{"Timer=01:02:03", "Position=-600, 200, 7000, 9000", "ELDir=" + sub, "VLNDir=" + sub,
                                  "Timer01=08:00:00,09:00:00,2", "Timer02=10:00:00,11:00:00,1", "HttpLog=c.htm"};
        for (int i = 0; i < changed.size(); ++i)
            lines[QList<int>{0, 9, 10, 11, 12, 13, 14}[i]] = changed[i];
        QVERIFY(QDir().mkpath(sub) && writeFile(ini(), crlf(lines)));
        const SettingsStore::Loaded loaded = m_f->settings.load();
        QVERIFY(!loaded.usable && loaded.placement);
        const WindowPlacement p = *loaded.placement;
        QCOMPARE(QList<double>({p.left, p.top, p.width}), QList<double>({100, 200, 7000}));
        const Settings &s = m_f->settings.settings();
        QCOMPARE(s.programFolder + s.echoLinkFolder + s.htmlLog, sub + m_f->folder() + "el/c.htm");
        QCOMPARE(QList<int>({s.schedule[0].enableDigit, s.schedule[1].enableDigit, s.limit.hours, s.alarm}),
                 QList<int>({2, 1, 0, false})); // alarm off for this run although the default file says 1
        QCOMPARE(s.schedule[0].start + s.schedule[1].end, QString("00:00:0000:00:00"));
        QCOMPARE(readFile(sub + "vln.ini"), crlf(defaultLines(m_f->folder(), sub)));
    }

    // A save writes Date, Time and Log and the placement as the main window
    // hands them in, in CR LF lines of cp932, paths escaping what it lacks. A
    // read takes the lines by position, from the default install folder while
    // the program folder has none (keeping the program folder its own), and
    // ignores any past the 16th.
    void savesExactBytesAndReadsThemBack()
    {
        const QString own = m_f->folder() + "own/";
        const auto expected = [](const QString &program, const QByteArray &boxes, const QByteArray &position) {
            return "Timer=09:00:07\r\nFontSize=12\r\nStandby=0\r\nSyncTX=1\r\nSyncRX=0\r\nAlarm=1\r\n" + boxes
                + "\r\nPosition=" + position
                + "\r\nELDir=C:\\\x83\x47\x83\x52\x81\x5b\x81\x60&#x1F600;\\\r\nVLNDir=" + program.toUtf8()
                + "\r\nTimer01=08:00:00,09:00:00,1\r\nTimer02=00:00:00,10:00:00,2\r\n"
                + "HttpLog=chat%date%.html\r\nSpeech=1\r\n";
        };
        QVERIFY(QDir().mkpath(own));
        QVERIFY(writeFile(ini(), expected(m_f->folder(), "DispDate=0\r\nDispTime=1\r\nLogFile=0", " 300, 200, 7000, 9000")
                                     + "Extra=1\r\nExtra\r\n"));
        SettingsStore store(m_f->messages, {own, m_f->folder(), m_f->folder()});
        const SettingsStore::Loaded loaded = store.load();
        QVERIFY(loaded.usable && loaded.placement);
        QCOMPARE(store.settings().echoLinkFolder, QString::fromUtf8("C:\\エコー～\xf0\x9f\x98\x80\\"));
        QCOMPARE(loaded.placement->height, 9000);
        store.save({{-300, -0.0, 1e7, 1800.5}, {true, false, true}});
        QCOMPARE(readFile(own + "vln.ini"),
                 expected(own, "DispDate=1\r\nDispTime=0\r\nLogFile=1", "-300, 0, 10000000, 1800.5"));
        QVERIFY(writeFile(own + "vln.ini", readFile(own + "vln.ini").replace("1800.5", "1799.5")));
        QCOMPARE(store.load().placement->height, 1800); // halves round to even
    }

    // An installed copy: the shared file seeds the first start only; then the
    // user's own file is read, and a broken shared file touches none of it.
    void sharedFileOnlySeedsAFirstStart()
    {
        const QString own = m_f->folder() + "own/";
        QVERIFY(QDir().mkpath(own) && writeFile(ini(), crlf(defaultLines(m_f->folder(), m_f->folder()))));
        const auto start = [&](qint16 fontSize) {
            SettingsStore store(m_f->messages, {own, m_f->folder(), m_f->folder()});
            store.locateProgramFolder();
            const bool ok = store.load().usable;
            store.applyOptions(store.settings().limit, fontSize, store.settings().standbySeconds,
                               {100, 100, 5640, 8460});
            return ok && store.settings().programFolder == own;
        };
        QVERIFY(start(12));
        QVERIFY(writeFile(ini(), "broken"));
        QVERIFY(start(14));
        QVERIFY(readFile(own + "vln.ini").contains("\r\nFontSize=14\r\n"));
        QCOMPARE(readFile(ini()), QByteArray("broken"));
    }

    // A program folder that has gone: nothing written, no message, no Logs
    // folder.
    void folders()
    {
        QVERIFY(m_f->settings.ensureLogsFolder());
        QVERIFY(m_f->settings.ensureLogsFolder() && QFileInfo(m_f->folder() + "Logs").isDir());
        QCOMPARE(m_f->settings.settings().logsFolder(), m_f->folder() + "Logs" + Folders::separator());
        QVERIFY(!m_f->settings.echoLinkInstalled());
        m_f->edit([this](Settings &s) { s.echoLinkFolder = m_f->folder(); });
        QVERIFY(m_f->settings.echoLinkInstalled());
        SettingsStore gone(m_f->messages, {m_f->folder() + "missing/deeper/", m_f->folder() + "none/", m_f->folder()});
        gone.save({});
        gone.writeDefaults();
        QVERIFY(!gone.ensureLogsFolder() && !QFileInfo::exists(m_f->folder() + "missing"));
        QVERIFY(m_f->messages.texts().isEmpty());
    }

private:
    QString ini() const { return m_f->folder() + "vln.ini"; }
    std::unique_ptr<DialogFixture> m_f;
};

QTEST_APPLESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
