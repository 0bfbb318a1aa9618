#include "settings/Module1.h"
#include "platform/Cp932.h"
#include "platform/Folders.h"

#include "support/FakeSettingsWindow.h"
#include "support/RecordingMessageBox.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QStringList defaultLines(const QString &dir)
{
    return {"Timer=00:03:00", "FontSize=9", "Standby=5", "SyncTX=1", "SyncRX=1", "Alarm=1",
            "DispDate=0", "DispTime=1", "LogFile=0", "Position= 100, 100, 5640, 8460",
            "ELDir=" + dir + "el/", "VLNDir=" + dir, "Timer01=00:00:00,00:00:00,0",
            "Timer02=00:00:00,00:00:00,0", "HttpLog=", "Speech=0"};
}

QByteArray crlf(const QStringList &lines)
{
    return Cp932::encode(lines.join("\r\n") + "\r\n");
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_folder = m_dir->path() + "/";
        m_window = FakeSettingsWindow();
        m_messages = RecordingMessageBox();
    }

    // Each row replaces one line (1-based) of the default file.
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
        QTest::newRow("default file") << 0 << "" << true;
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

        QStringList lines = defaultLines(m_folder);
        if (line > 0)
            lines[line - 1] = text;
        const QByteArray original = crlf(lines);
        QVERIFY(writeFile(iniPath(), original));

        const auto module = located();
        const SettingsReadResult r = module->ReadSettings();

        QCOMPARE(r.ok, ok);
        QCOMPARE(readFile(iniPath()), ok ? original : crlf(defaultLines(m_folder)));
        QVERIFY(m_messages.texts.isEmpty());
    }

    // What a failed read leaves: the in-memory defaults, the placement only
    // when the parse got that far, and what the parse had already stored.
    void failedReads()
    {
        auto module = located();
        module->settings.ELDir = "somewhere else";
        SettingsReadResult r = module->ReadSettings(); // no file at all
        QVERIFY(!r.ok);
        QCOMPARE(module->settings.ELDir, m_folder + "el/");
        QCOMPARE(readFile(iniPath()), crlf(defaultLines(m_folder)));
        QCOMPARE(m_window.placements, 0);
        module->takeReadResult(r);
        QCOMPARE(module->settings.TimerMM, qint16(3));
        QCOMPARE(module->settings.Alarm, false); // off for this run although the file says 1
        QCOMPARE(module->settings.DispTime, true);

        QStringList lines = defaultLines(m_folder);
        lines[0] = "Timer=01:02:03";
        lines[9] = "Position=-600, 200, 7000, 9000";
        lines[12] = "Timer01=08:00:00,09:00:00,2";
        lines[13] = "Timer02=10:00:00,11:00:00,1";
        lines[14] = "HttpLog=" + m_folder + "chat%date%.htm";
        QVERIFY(writeFile(iniPath(), crlf(lines)));
        module = located();
        r = module->ReadSettings();
        QVERIFY(!r.ok);
        QCOMPARE(QList<double>({m_window.place.left, m_window.place.top, m_window.place.width}),
                 QList<double>({100, 200, 7000}));
        QCOMPARE(module->chkT00, 2);
        QCOMPARE(module->chkT01, 1);
        QCOMPARE(module->settings.HttpLog, m_folder + "chat%date%.htm");
        module->takeReadResult(r);
        QCOMPARE(module->settings.TimerHH, qint16(0));
        QCOMPARE(module->settings.Timer01Start, QString("00:00:00"));
        QCOMPARE(module->settings.Timer02End, QString("00:00:00"));
        QCOMPARE(module->Timer01On, qint16(0));
    }

    // Lines past the 16th are ignored and dropped by the next save, which
    // takes Date, Time and Log from the main window's boxes.
    void extraLinesAndEqualsInValues()
    {
        QStringList lines = defaultLines(m_folder);
        lines[10] = "ELDir=" + m_folder + "a=b/";
        lines[3] = "SyncTX=0";
        lines << "Extra1=1" << "Extra2=2" << "Extra3" << "Extra4";
        QVERIFY(writeFile(iniPath(), crlf(lines)));
        const auto module = located();
        const SettingsReadResult r = module->ReadSettings();
        QVERIFY(r.ok);
        QCOMPARE(r.SyncTX, false);
        QCOMPARE(r.Alarm, true);
        QCOMPARE(module->settings.ELDir, m_folder + "a=b/");

        module->takeReadResult(r);
        m_window.date = m_window.log = true;
        m_window.time = false;
        module->SaveSettings();
        const QByteArray bytes = readFile(iniPath());
        QCOMPARE(bytes.count("\r\n"), 16);
        QVERIFY(bytes.contains("\r\nSyncTX=0\r\nSyncRX=1\r\nAlarm=1\r\nDispDate=1\r\nDispTime=0\r\nLogFile=1\r\n"));
    }

    void defaultInstallFolderIsReadFirst()
    {
        const QString install = m_folder + "install/";
        QDir().mkpath(install);
        QStringList lines = defaultLines(m_folder);
        lines[1] = "FontSize=20";
        QVERIFY(writeFile(install + "vln.ini", crlf(lines)));

        Module1 module(m_window, m_messages, {m_folder, install, m_folder + "el/"});
        module.getVLNpath();
        const SettingsReadResult r = module.ReadSettings();
        QVERIFY(r.ok);
        QCOMPARE(r.FontSize, qint16(20));
    }

    void writerBytes()
    {
        const auto module = located();
        module->settings.ELDir = QString::fromUtf8("C:\\エコー～\xf0\x9f\x98\x80\\");
        module->settings.HttpLog = "chat%date%.html";
        module->settings.Timer01Start = "08:00:00";
        module->settings.Timer01End = "09:00:00";
        module->chkT00 = 1;
        module->chkT01 = 2;
        m_window.place = {-300, 100, 5640, 1012.5};
        module->WriteSettings(9, 0, 0, 12, 0, 1, 0, 1, 0, 1, 1, 0);

        const QByteArray expected = QByteArray("Timer=09:00:00\r\nFontSize=12\r\nStandby=0\r\n"
                                               "SyncTX=1\r\nSyncRX=0\r\nAlarm=1\r\nDispDate=0\r\n"
                                               "DispTime=1\r\nLogFile=1\r\n"
                                               "Position=-300, 100, 5640, 1012.5\r\n"
                                               "ELDir=C:\\\x83\x47\x83\x52\x81\x5b\x81\x60?\\\r\n")
            + "VLNDir=" + m_folder.toUtf8() + "\r\n"
            + "Timer01=08:00:00,09:00:00,1\r\nTimer02=00:00:00,00:00:00,2\r\n"
              "HttpLog=chat%date%.html\r\nSpeech=0\r\n";
        QCOMPARE(readFile(iniPath()), expected);
    }

    // A program folder that has gone: nothing written, no message, no Logs folder.
    void foldersAndAMissingProgramFolder()
    {
        const QByteArray original = crlf(defaultLines(m_folder));
        QVERIFY(writeFile(iniPath(), original));
        const auto module = located();
        QVERIFY(module->EnsureLogsFolder());
        QVERIFY(QFileInfo(m_folder + "Logs").isDir());
        QVERIFY(module->EnsureLogsFolder());
        QCOMPARE(module->logsFolder(), m_folder + "Logs/");
        QVERIFY(!module->getELProg());
        module->settings.ELDir = m_folder;
        QVERIFY(module->getELProg());

        module->settings.VLNDir = m_folder + "missing/deeper/";
        module->SaveSettings();
        module->WriteDefaultSettings();
        QCOMPARE(readFile(iniPath()), original);
        QVERIFY(!module->EnsureLogsFolder());
        QVERIFY(m_messages.texts.isEmpty());
    }

    // Only a launcher under ../share/applications marks an installed copy,
    // whose settings stay out of the bin folder even where it could write.
    void installedCopyIsRecognised()
    {
        const QString bin = m_folder + "usr/bin/";
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(m_folder + "usr/share/applications"));
        QVERIFY(!Folders::isInstalledCopy(bin));
        QVERIFY(writeFile(m_folder + "usr/share/applications/vorlane.desktop", "[Desktop Entry]\n"));
        QVERIFY(Folders::isInstalledCopy(bin));
        QVERIFY(!Folders::isInstalledCopy(m_folder + "usr/"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
    FakeSettingsWindow m_window;
    RecordingMessageBox m_messages;
    ProgramFolders folders() const { return {m_folder, m_folder + "no-install/", m_folder + "el/"}; }
    std::unique_ptr<Module1> located()
    {
        auto module = std::make_unique<Module1>(m_window, m_messages, folders());
        module->getVLNpath();
        return module;
    }
    QString iniPath() const { return m_folder + "vln.ini"; }
};

QTEST_APPLESS_MAIN(TestSettings)
#include "tst_settings.moc"
