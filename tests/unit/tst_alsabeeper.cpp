#include "system/AlsaBeeper.h"

#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

class TestAlsaBeeper : public QObject
{
    Q_OBJECT

private slots:
    // The alarm's 1000 Hz, 100 ms through ALSA's file plugin, which needs no
    // sound card and writes a canonical 44-byte WAV header.
    void rendersAlarmTone()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tone.wav"));
        AlsaBeeper(QStringLiteral("file:FILE=%1,FORMAT=wav").arg(path)).beep(1000, 100);

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray wav = file.readAll();
        QVERIFY(wav.size() > 44 && wav.startsWith("RIFF") && wav.mid(36, 4) == "data");
        const char *h = wav.constData();
        QCOMPARE(qFromLittleEndian<quint16>(h + 22), 1u); // channels
        QCOMPARE(qFromLittleEndian<quint32>(h + 24), quint32(AlsaBeeper::SampleRate));
        QCOMPARE(qFromLittleEndian<quint16>(h + 34), 16u); // bits

        const QByteArray pcm = wav.mid(44, qFromLittleEndian<quint32>(h + 40));
        QCOMPARE(pcm.size(), 2 * AlsaBeeper::SampleRate / 10);
        // 100 cycles from a rising zero: a crossing from below zero starts each cycle after the first.
        const auto sample = [&](qsizetype i) { return qFromLittleEndian<qint16>(pcm.constData() + 2 * i); };
        int rising = 0;
        for (qsizetype i = 1; i < pcm.size() / 2; ++i)
            rising += sample(i - 1) < 0 && sample(i) >= 0;
        QVERIFY2(qAbs(rising - 99) <= 1, qPrintable(QString::number(rising)));
    }

    // The first beep fails, the device is fine by the next one: only a
    // device that did not exist keeps that next beep silent. ALSA's own
    // configuration says what the device name stands for at each beep.
    void failedBeepAndTheNext_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<bool>("nextPlays");
        QTest::newRow("no such device") << QString() << false;
        QTest::newRow("open refused") << "file \"%1/x.wav\" format \"bogus\"" << true;
        QTest::newRow("write failed into a folder") << "file \"%1\" format \"wav\"" << true;
    }
    void failedBeepAndTheNext()
    {
        QFETCH(QString, failing);
        QFETCH(bool, nextPlays);
        QTemporaryDir dir;
        const auto guard = qScopeGuard([] { qunsetenv("ALSA_CONFIG_PATH"); });
        const auto defineDevice = [&](const QString &conf, const QString &definition) {
            QFile file(dir.filePath(conf));
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (!definition.isEmpty())
                file.write(QString("pcm.tst { type file slave.pcm { type null } %1 }").arg(definition.arg(dir.path())).toUtf8());
            qputenv("ALSA_CONFIG_PATH", QFile::encodeName(file.fileName()));
        };
        AlsaBeeper beeper(QStringLiteral("tst"));
        defineDevice("first.conf", failing);
        beeper.beep(1000, 100);
        defineDevice("next.conf", "file \"%1/tone.wav\" format \"wav\"");
        beeper.beep(1000, 100);
        QCOMPARE(QFile::exists(dir.filePath("tone.wav")), nextPlays);
    }
};

QTEST_GUILESS_MAIN(TestAlsaBeeper)
#include "tst_alsabeeper.moc"
