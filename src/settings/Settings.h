#pragma once

#include <QString>

// The user's settings while the program runs; one instance, owned by
// Module1. The initial values are the in-memory defaults that start-up uses
// when vln.ini could not be used.
struct Settings
{
    qint16 TimerHH = 0;
    qint16 TimerMM = 3;
    qint16 TimerSS = 0;
    qint16 FontSize = 9;
    qint16 Standby = 5;

    bool SyncTX = true;
    bool SyncRX = true;
    bool Alarm = false;
    bool DispDate = false;
    bool DispTime = true;
    bool LogFile = false;
    bool Speech = false;

    QString ELDir;
    QString VLNDir;
    QString HttpLog;

    QString Timer01Start = QStringLiteral("00:00:00");
    QString Timer01End = QStringLiteral("00:00:00");
    QString Timer02Start = QStringLiteral("00:00:00");
    QString Timer02End = QStringLiteral("00:00:00");
};
