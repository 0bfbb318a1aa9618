#include "desktop/Twips.h"
#include "support/DialogFixture.h"
#include "ui/AppIcon.h"
#include "ui/dialogs/ScheduleDialog.h"
#include <QCheckBox>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

using F = DialogFixture;
using Armed = QList<QVariantList>;
static const QString initialLines = "Timer01=08:15:30,09:00:05,1 Timer02=22:00:00,23:00:00,0";
static const QStringList boxNames = QString("firstStartHours firstStartMinutes firstStartSeconds firstEndHours "
                                            "firstEndMinutes firstEndSeconds secondStartHours secondStartMinutes "
                                            "secondStartSeconds secondEndHours secondEndMinutes secondEndSeconds")
                                        .split(' ');

class TestScheduleDialog : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_f = std::make_unique<DialogFixture>();
        m_f->edit([](Settings &s) { s.schedule = {{{"08:15:30", "09:00:05", 1}, {"22:00:00", "23:00:00", 0}}}; });
        m_f->save();
    }
    void cleanup() { m_armed.reset(); m_dialog.reset(); }

    // Unlike the program's other windows, the schedule dialog has no icon.
    void hasNoIcon()
    {
        QApplication::setWindowIcon(AppIcon::icon());
        open();
        const QImage icon = m_dialog->windowIcon().pixmap(16).toImage();
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x)
                QCOMPARE(qAlpha(icon.pixel(x, y)), 0);
    }

    // Loaded at creation; a refused Set, then valid edits and Cancel or the close box store
    // nothing, as each next opening shows.
    void loadsFiltersKeysAndCancels()
    {
        for (const bool closeBox : {false, true, false}) {
            open();
            QCOMPARE(F::texts(boxes()) + states(), QString("08 15 30 09 00 05 22 00 00 23 00 0010"));
            QCOMPARE(m_dialog->pos(), QPoint(Twips::toPixels(350), Twips::toPixels(2200)));
            for (QLineEdit *box : boxes())
                QCOMPARE(F::typed(box), QString("129"));
            F::click(*m_dialog, "set"); // every box is checked
            QCOMPARE(F::texts(boxes(), true), QString(12, 'Y'));
            for (QLineEdit *box : boxes())
                box->setText("11");
            enabled(0)->setChecked(false);
            closeBox ? void(m_dialog->close()) : F::click(*m_dialog, "cancel");
            QVERIFY(!m_dialog->isVisible() && m_armed->isEmpty());
        }
        QCOMPARE(scheduleLines(), initialLines);
    }

    void oneBox_data()
    {
        QTest::addColumn<int>("box"); // 0..11: first start, first end, second start, second end
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored"); // both schedule lines afterwards; empty when refused
        QTest::newRow("24 hours") << 0 << "24" << "";
        QTest::newRow("60 minutes") << 1 << "60" << "";
        QTest::newRow("60 seconds") << 11 << "60" << "";
        QTest::newRow("one digit") << 5 << "5" << "";
        QTest::newRow("empty") << 4 << "" << "";
        QTest::newRow("three characters") << 8 << "005" << "";
        QTest::newRow("end before start") << 3 << "00" << "Timer01=08:15:30,00:00:05,1 Timer02=22:00:00,23:00:00,0";
        QTest::newRow("start equals end") << 6 << "23" << "Timer01=08:15:30,09:00:05,1 Timer02=23:00:00,23:00:00,0";
        QTest::newRow("59 seconds") << 2 << "59" << "Timer01=08:15:59,09:00:05,1 Timer02=22:00:00,23:00:00,0";
        QTest::newRow("pasted 1:") << 0 << "1:" << "Timer01=1::15:30,09:00:05,1 Timer02=22:00:00,23:00:00,0";
    }
    void oneBox()
    {
        QFETCH(int, box);
        QFETCH(QString, text);
        QFETCH(QString, stored);
        open();
        boxes()[box]->setText(text);
        F::click(*m_dialog, "set");
        QCOMPARE(F::texts(boxes(), true), QString(12, 'W').replace(box, 1, stored.isEmpty() ? "Y" : "W"));
        QCOMPARE(F::unnamed(*m_dialog), QStringList());
        QCOMPARE(m_dialog->isVisible(), stored.isEmpty());
        QCOMPARE(scheduleLines(), stored.isEmpty() ? initialLines : stored);
        QCOMPARE(Armed(*m_armed), stored.isEmpty() ? Armed() : (Armed{{true, false}}));
        QCOMPARE(m_f->settings.settings().schedule[0].start, stored.isEmpty() ? "08:15:30" : stored.mid(8, 8));
    }

    // A stored 2 shows partly checked and is saved back as 2; Set arms only checked windows, as shown later.
    void partlyCheckedDigit()
    {
        m_f->edit([](Settings &s) { s.schedule[0].enableDigit = s.schedule[1].enableDigit = 2; });
        open();
        QCOMPARE(states(), QString("22"));
        for (int i = 0; i < 3; ++i)
            enabled(1)->click(); // a click checks, then the box has two states
        QCOMPARE(states(), QString("21"));
        F::click(*m_dialog, "set");
        QCOMPARE(Armed(*m_armed), (Armed{{false, true}}));
        QCOMPARE(scheduleLines(), QString("Timer01=08:15:30,09:00:05,2 Timer02=22:00:00,23:00:00,1"));
        open();
        QCOMPARE(states(), QString("01"));
    }

private:
    QString scheduleLines() const { return m_f->iniLines().mid(12, 2).join(' '); }
    QList<QLineEdit *> boxes() const { return F::boxes(*m_dialog, boxNames); }
    QCheckBox *enabled(int i) const { return F::child<QCheckBox>(*m_dialog, i ? "secondEnabled" : "firstEnabled"); }
    // The check boxes' states as digits: 0 unchecked, 1 checked, 2 partly.
    QString states() const
    {
        const QString digits = "021"; // indexed by Qt::CheckState
        return QString(digits[enabled(0)->checkState()]) + digits[enabled(1)->checkState()];
    }
    void open()
    {
        m_dialog = std::make_unique<ScheduleDialog>(m_f->settings, m_f->window, m_f->messages);
        m_armed = std::make_unique<QSignalSpy>(&m_f->settings, &SettingsStore::scheduleApplied);
        m_dialog->show();
    }

    std::unique_ptr<DialogFixture> m_f;
    std::unique_ptr<ScheduleDialog> m_dialog;
    std::unique_ptr<QSignalSpy> m_armed;
};

QTEST_MAIN(TestScheduleDialog)
#include "tst_scheduledialog.moc"
