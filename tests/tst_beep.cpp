#include "platform/AlsaBeeper.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

class TstBeep : public QObject
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

    void missingDeviceIsSilent()
    {
        AlsaBeeper beeper(QStringLiteral("hw:CARD=NoSuchCard"));
        beeper.beep(1000, 100);
        beeper.beep(1000, 100);
    }
};

QTEST_GUILESS_MAIN(TstBeep)
#include "tst_beep.moc"
