#include "desktop/JapaneseFont.h"
#include "ui/dialogs/AboutDialog.h"

#include "support/RecordingMessageDialog.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestAboutDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { JapaneseFont::installSubstitutes(); }

    // The box is filled and placed anew each time it is built.
    void fillsAndPlaces()
    {
        QMainWindow main;
        RecordingMessageDialog messages;
        for (const QPoint &corner : {QPoint(100, 100), QPoint(400, 250)}) {
            main.move(corner);
            AboutDialog about(&main, messages);
            QCOMPARE(about.pos(), main.frameGeometry().topLeft() + QPoint(17, 140)); // 250, 2100 twips
            QCOMPARE(about.windowTitle(), QStringLiteral("Vorlane Version Info."));
            const QList<std::pair<const char *, QString>> texts{
                {"title", "Vorlane"},
                {"version", "Ver. 0.1.14"},
                {"description", "Transmit timeout prevent monitor Utility"},
                {"readme", "HELP File is [ Readme.txt ]"},
                {"disclaimer", "Message:  Enjoy EchoLink Life!!"}};
            for (const auto &[name, text] : texts)
                QCOMPARE(about.findChild<QLabel *>(name)->text(), text);
            for (QLabel *label : about.findChildren<QLabel *>()) // nothing clipped
                QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                         qPrintable(label->objectName()));
        }
        QVERIFY(messages.texts().isEmpty());
    }

    // Esc presses OK, as Enter does, rather than cancelling.
    void escapePressesOk()
    {
        QMainWindow main;
        RecordingMessageDialog messages;
        AboutDialog about(&main, messages);
        QSignalSpy okClicks(about.findChild<QPushButton *>("ok"), &QPushButton::clicked);
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(okClicks.count(), 1);
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestAboutDialog)
#include "tst_aboutdialog.moc"
