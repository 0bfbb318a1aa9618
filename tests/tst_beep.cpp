#include "platform/AlsaBeeper.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

int signChanges(const QByteArray &pcm)
{
    int changes = 0;
    int previous = 0;
    for (qsizetype i = 0; i + 1 < pcm.size(); i += 2) {
        const qint16 s = qFromLittleEndian<qint16>(pcm.constData() + i);
        const int sign = (s > 0) - (s < 0);
        if (sign != 0 && previous != 0 && sign != previous)
            ++changes;
        if (sign != 0)
            previous = sign;
    }
    return changes;
}

} // namespace

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
        // 100 cycles from a rising zero: 199 sign changes.
        QVERIFY2(qAbs(signChanges(pcm) - 199) <= 2, qPrintable(QString::number(signChanges(pcm))));
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
