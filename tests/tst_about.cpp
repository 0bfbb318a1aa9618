#include "ui/frmAbout.h"
#include "platform/JapaneseFont.h"

#include "support/RecordingMessageBox.h"

#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { JapaneseFont::installSubstitutes(); }

    // The box is filled and placed anew each time it is built.
    void loadFillsAndPlaces()
    {
        QMainWindow main;
        RecordingMessageBox messages;
        for (const QPoint &corner : {QPoint(100, 100), QPoint(400, 250)}) {
            main.move(corner);
            frmAbout about(&main, messages);
            QCOMPARE(about.pos(), main.frameGeometry().topLeft() + QPoint(17, 140)); // 250, 2100 twips
            QCOMPARE(about.windowTitle(), QStringLiteral("Vorlane Version Info."));
            const QList<QPair<QLabel *, QString>> texts{
                {about.lblTitle, "Vorlane"},
                {about.lblVersion, "Ver. 0.1.14"},
                {about.lblDescription, "Transmit timeout prevent monitor Utility"},
                {about.readme, "HELP File is [ Readme.txt ]"},
                {about.lblDisclaimer, "Message:  Enjoy EchoLink Life!!"}};
            for (const auto &[label, text] : texts)
                QCOMPARE(label->text(), text);
            QCOMPARE(about.cmdOK->text(), QStringLiteral("OK"));
            QVERIFY(!about.Thanks->text().isEmpty() && !about.copyright->text().isEmpty());
            for (QLabel *label : about.findChildren<QLabel *>()) // nothing clipped
                QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                         qPrintable(label->objectName()));
        }
        QVERIFY(messages.texts.isEmpty());
    }

    void closingKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }
    void closingKeys()
    {
        QFETCH(int, key);
        QMainWindow main;
        RecordingMessageBox messages;
        frmAbout about(&main, messages);
        QSignalSpy okClicks(about.cmdOK, &QPushButton::clicked);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTest::keyClick(about.cmdOK, Qt::Key(key)); // the button has the focus
        QCOMPARE(okClicks.count(), 1);
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }

    void loadFailureIsReported()
    {
        RecordingMessageBox messages;
        frmAbout about(nullptr, messages);
        QCOMPARE(messages.texts, QStringList{QStringLiteral("frmAbout.Form_Load Error")});
        QCOMPARE(messages.titles, QStringList{QStringLiteral("Vorlane")});
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
