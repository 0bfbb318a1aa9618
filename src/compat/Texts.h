#pragma once

// Kept on purpose (see README.md): every text the program shows, exactly as
// users know it, typos and odd names included. Do not "correct" them.

#include <QString>

namespace Texts {

// The program
inline const QString programTitle = QStringLiteral("Vorlane");
// The main window's caption before start-up, and the title of the message
// that another instance is running.
inline const QString monitorTitle = QStringLiteral("VorlaneMonitor");
// The caption while running starts with this, the version and one blank.
inline const QString captionVersion = QStringLiteral("VLN Ver.");

// Start-up and shutdown messages
inline const QString notInstalled = QStringLiteral("EchoLink not Installed!");
inline const QString alreadyRunning = QStringLiteral("already Running EchoLink Program");
inline const QString launchFailed = QStringLiteral("Launch EchoLink Faild!!");
inline const QString launchFailedTitle = QStringLiteral("missing!!");
inline const QString startUpFailed = QStringLiteral("Please! Chek vln.ini [VLNDir] session");

// Error boxes, named after the handler that failed
namespace ErrorBox {
inline const QString ending = QStringLiteral("ProgEnding Error");
inline const QString windowClosed = QStringLiteral("Form_Unload Error");
inline const QString exitChosen = QStringLiteral("mnuExit Error");
inline const QString echoLinkClosing = QStringLiteral("Echo_Closing Error");
inline const QString programFolder = QStringLiteral("Module1.getVLNpath Error");
inline const QString defaultInstallFolder = QStringLiteral("Module1.getDefVLNpath Error");
inline const QString echoLinkFolder = QStringLiteral("Module1.getELProg Error");
inline const QString optionsLoad = QStringLiteral("frm.Opt.Form_Load Error");
inline const QString optionsSet = QStringLiteral("frm.Opt.OkBtn_Click Error");
inline const QString optionsCancel = QStringLiteral("frm.Opt.btnCancel_Click Error");
inline const QString optionsHoursKey = QStringLiteral("frm.Opt.inHH_KeyPress Error");
inline const QString optionsMinutesKey = QStringLiteral("frm.Opt.inMM_KeyPress Error");
inline const QString optionsSecondsKey = QStringLiteral("frm.Opt.inSS_KeyPress Error");
inline const QString optionsFontSizeKey = QStringLiteral("frm.Opt.inFsize_KeyPress Error");
inline const QString optionsStandbyKey = QStringLiteral("frm.Opt.inStby_KeyPress Error");
inline const QString scheduleLoad = QStringLiteral("frmTimeSet.Form_Load Error");
inline const QString scheduleSet = QStringLiteral("frmTimeSet.btnSet_Click Error");
inline const QString scheduleCancel = QStringLiteral("frmTimeSet.btnCancel_Click Error");
inline const QString viewerFileNotFound = QStringLiteral("File not Found");
inline const QString viewerFileDialog = QStringLiteral("frmView.logDir Error");
inline const QString viewerResize = QStringLiteral("frmView.Form_Resize Error");
inline const QString viewerKey = QStringLiteral("frmView.Text1_KeyDown Error");
inline const QString aboutLoad = QStringLiteral("frmAbout.Form_Load Error");
inline const QString aboutOk = QStringLiteral("frmAbout.cmdOK_Click Error");
} // namespace ErrorBox

// The status word
inline const QString onAir = QStringLiteral("On Air");
inline const QString receive = QStringLiteral("Receive");
inline const QString wait = QStringLiteral("Wait");
inline const QString over = QStringLiteral("Over !!");

// The main window
inline const QString fileMenu = QStringLiteral("File(&F)");
inline const QString optionsMenu = QStringLiteral("Option(&O)");
inline const QString scheduleMenu = QStringLiteral("Timer(&T)");
inline const QString exitMenu = QStringLiteral("Exit(&E)");
inline const QString aboutMenu = QStringLiteral("About(&A)");
inline const QString dateBox = QStringLiteral("Date");
inline const QString timeBox = QStringLiteral("Time");
inline const QString logBox = QStringLiteral("Log");
inline const QString clearButton = QStringLiteral("Clear");
inline const QString busyBox = QStringLiteral("Busy");
inline const QString logOpenButton = QStringLiteral("Log Open");
inline const QString sendButton = QStringLiteral("Send");

// Both dialogs
inline const QString setButton = QStringLiteral("Set");
inline const QString cancelButton = QStringLiteral("Cancel");
inline const QString timeColon = QStringLiteral(":");

// The options dialog
inline const QString optionsTitle = QStringLiteral("Option Setting");
inline const QString fontSizeLabel = QStringLiteral("FontSize");
inline const QString standbyLabel = QStringLiteral("Standby (sec)");
inline const QString syncTransmitLabel = QStringLiteral("Sync Transmit");
inline const QString syncReceiveLabel = QStringLiteral("Sync Recive");
inline const QString alarmLabel = QStringLiteral("Alarm");
inline const QString stampDateLabel = QStringLiteral("Disp Date");
inline const QString stampTimeLabel = QStringLiteral("Disp Time");
inline const QString logChatLabel = QStringLiteral("Log File");
inline const QString speechLabel = QStringLiteral("Speech");

// The schedule dialog
inline const QString scheduleTitle = QStringLiteral("SetTime");
inline const QString startTimeLabel = QStringLiteral("Start Time");
inline const QString endTimeLabel = QStringLiteral("End Time");
inline const QString firstWindowBox = QStringLiteral("Timer01");
inline const QString secondWindowBox = QStringLiteral("Timer02");
inline const QString timeRangeMark = QStringLiteral("\uFF5E");

// The log viewer's file dialog
inline const QString logFileDialogTitle = QStringLiteral("gLogFile Open");
inline const QString textFilesType = QStringLiteral("TXTﾌｧｲﾙ(*.txt)");
inline const QString allFilesType = QStringLiteral("すべてのﾌｧｲﾙ(*.*)");

// The about box
inline const QString aboutTitleSuffix = QStringLiteral(" Version Info.");
inline const QString aboutVersion = QStringLiteral("Ver. ");
inline const QString aboutDescription = QStringLiteral("Transmit timeout prevent monitor Utility");
inline const QString aboutReadme = QStringLiteral("HELP File is [ Readme.txt ]");
inline const QString aboutMessage = QStringLiteral("Message:  Enjoy EchoLink Life!!");
inline const QString aboutThanks = QStringLiteral("Thanks to every EchoLink operator on the air");
inline const QString aboutCopyright = QStringLiteral("Copyright (c) 2026 The Vorlane developers");
inline const QString okButton = QStringLiteral("OK");

} // namespace Texts
