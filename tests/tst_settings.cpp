#include "settings/Module1.h"
#include "platform/Cp932.h"

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
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += Cp932::encode(line) + "\r\n";
    return bytes;
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

    // Each row changes one line (1-based) of the default file.
    void readerAcceptsAndRejects_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");

        QTest::newRow("default file") << 0 << "" << true;
        QTest::newRow("09:06:07") << 1 << "Timer=09:06:07" << true;
        QTest::newRow("12:30:00 passes the reader") << 1 << "Timer=12:30:00" << true;
        QTest::newRow("hours 99") << 1 << "Timer=99:00:00" << true;
        QTest::newRow("one-digit hours") << 1 << "Timer=3:00:00" << false;
        QTest::newRow("minutes 60") << 1 << "Timer=00:60:00" << false;
        QTest::newRow("separators not looked at") << 1 << "Timer=00x03y00" << true;
        QTest::newRow("line 1 without =") << 1 << "Timer 00:03:00" << false;
        QTest::newRow("key not checked") << 1 << "Whatever=00:03:00" << true;
        QTest::newRow("font 6") << 2 << "FontSize=6" << true;
        QTest::newRow("font 72") << 2 << "FontSize=72" << true;
        QTest::newRow("font 5") << 2 << "FontSize=5" << false;
        QTest::newRow("font 73") << 2 << "FontSize=73" << false;
        QTest::newRow("font with blanks and fraction") << 2 << "FontSize= 9.5 " << true;
        QTest::newRow("font not a number") << 2 << "FontSize=big" << false;
        QTest::newRow("font beyond 16 bits") << 2 << "FontSize=40000" << false;
        QTest::newRow("line 2 without =") << 2 << "9" << true;
        QTest::newRow("standby 59") << 3 << "Standby=59" << true;
        QTest::newRow("standby -1") << 3 << "Standby=-1" << false;
        QTest::newRow("SyncTX 10 reads as on") << 4 << "SyncTX=10" << true;
        QTest::newRow("SyncTX yes") << 4 << "SyncTX=yes" << false;
        QTest::newRow("SyncTX empty") << 4 << "SyncTX=" << false;
        QTest::newRow("LogFile 2") << 9 << "LogFile=2" << false;
        QTest::newRow("Speech yes is accepted") << 16 << "Speech=yes" << true;
        QTest::newRow("Speech empty") << 16 << "Speech=" << true;
        QTest::newRow("Left -500") << 10 << "Position=-500, 100, 5640, 8460" << true;
        QTest::newRow("Left -600") << 10 << "Position=-600, 100, 5640, 8460" << false;
        QTest::newRow("Width 5639") << 10 << "Position= 100, 100, 5639, 8460" << false;
        QTest::newRow("Height 1800") << 10 << "Position= 100, 100, 5640, 1800" << true;
        QTest::newRow("Height 1799") << 10 << "Position= 100, 100, 5640, 1799" << false;
        QTest::newRow("three numbers") << 10 << "Position= 100, 100, 5640" << false;
        QTest::newRow("five numbers") << 10 << "Position= 100, 100, 5640, 8460, 1" << false;
        QTest::newRow("32-bit position") << 10 << "Position= 100, 100, 100000, 8460" << true;
        QTest::newRow("Timer01 enabled") << 13 << "Timer01=08:00:00,09:00:00,1" << true;
        QTest::newRow("Timer01 indeterminate") << 13 << "Timer01=08:00:00,09:00:00,2" << true;
        QTest::newRow("Timer01 digit 3") << 13 << "Timer01=08:00:00,09:00:00,3" << false;
        QTest::newRow("Timer01 one-digit hours") << 13 << "Timer01=8:00:00,9:00:00,1" << false;
        QTest::newRow("Timer02 letter digit") << 14 << "Timer02=08:00:00,09:00:00,x" << false;
        QTest::newRow("Timer02 empty") << 14 << "" << false;
        QTest::newRow("ELDir not checked") << 11 << "ELDir=" << true;
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

    void missingFileWritesDefaults()
    {
        const auto module = located();
        module->settings.ELDir = "somewhere else";
        const SettingsReadResult r = module->ReadSettings();
        QVERIFY(!r.ok);
        QCOMPARE(module->settings.ELDir, m_folder + "el/");
        QCOMPARE(readFile(iniPath()), crlf(defaultLines(m_folder)));
        QCOMPARE(m_window.placements, 0);

        module->takeReadResult(r);
        QCOMPARE(module->settings.TimerMM, qint16(3));
        QCOMPARE(module->settings.Alarm, false); // off for this run although the file says 1
        QCOMPARE(module->settings.DispTime, true);
    }

    void survivorsOfAFailedRead()
    {
        QStringList lines = defaultLines(m_folder);
        lines[0] = "Timer=01:02:03";
        lines[9] = "Position=-600, 200, 7000, 9000";
        lines[12] = "Timer01=08:00:00,09:00:00,2";
        lines[13] = "Timer02=10:00:00,11:00:00,1";
        lines[14] = "HttpLog=" + m_folder + "chat%date%.htm";
        QVERIFY(writeFile(iniPath(), crlf(lines)));

        const auto module = located();
        const SettingsReadResult r = module->ReadSettings();
        QVERIFY(!r.ok);
        // The corrected placement was applied before the file was given up.
        QCOMPARE(m_window.place.left, 100.0);
        QCOMPARE(m_window.place.top, 200.0);
        QCOMPARE(m_window.place.width, 7000.0);
        QCOMPARE(module->chkT00, 2);
        QCOMPARE(module->chkT01, 1);
        QCOMPARE(module->settings.HttpLog, m_folder + "chat%date%.htm");

        module->takeReadResult(r);
        QCOMPARE(module->settings.TimerHH, qint16(0));
        QCOMPARE(module->settings.Timer01Start, QString("00:00:00"));
        QCOMPARE(module->settings.Timer02End, QString("00:00:00"));
        QCOMPARE(module->Timer01On, qint16(0));
    }

    void extraLinesAndEqualsInValues()
    {
        QStringList lines = defaultLines(m_folder);
        lines[1] = "Standby=5"; // swapped with line 3: read by position
        lines[2] = "FontSize=9";
        QVERIFY(writeFile(iniPath(), crlf(lines)));
        Module1 swapped(m_window, m_messages, folders());
        swapped.getVLNpath();
        QVERIFY(!swapped.ReadSettings().ok);

        lines = defaultLines(m_folder);
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
        module->SaveSettings();
        QCOMPARE(readFile(iniPath()).count("\r\n"), 16);
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

    void saveTakesTheWindowCheckBoxes()
    {
        const auto module = located();
        module->settings.DispDate = module->settings.DispTime = module->settings.LogFile = false;
        m_window.date = m_window.time = m_window.log = true;
        module->SaveSettings();
        const QByteArray bytes = readFile(iniPath());
        QVERIFY(bytes.contains("\r\nDispDate=1\r\nDispTime=1\r\nLogFile=1\r\n"));
    }

    void writeFailureKeepsOldFile()
    {
        const QByteArray original = crlf(defaultLines(m_folder));
        QVERIFY(writeFile(iniPath(), original));
        const auto module = located();
        module->settings.VLNDir = m_folder + "no-such-folder/";
        module->SaveSettings();
        module->WriteDefaultSettings();
        QCOMPARE(readFile(iniPath()), original);
        QVERIFY(m_messages.texts.isEmpty());
    }

    void logsFolder()
    {
        const auto module = located();
        QVERIFY(module->EnsureLogsFolder());
        QVERIFY(QFileInfo(m_folder + "Logs").isDir());
        QVERIFY(module->EnsureLogsFolder());
        QCOMPARE(module->logsFolder(), m_folder + "Logs/");

        module->settings.VLNDir = m_folder + "missing/deeper/";
        QVERIFY(!module->EnsureLogsFolder());
        QVERIFY(!module->getELProg());
        module->settings.ELDir = m_folder;
        QVERIFY(module->getELProg());
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
