#include "desktop/Twips.h"
#include "support/DialogFixture.h"
#include "ui/dialogs/OptionsDialog.h"
#include <QCheckBox>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

using F = DialogFixture;
static const QStringList entryNames{"hours", "minutes", "seconds", "fontSize", "standby"};

class TestOptionsDialog : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_f = std::make_unique<DialogFixture>();
        m_f->save();
        m_dialog = std::make_unique<OptionsDialog>(m_f->settings, m_f->window, m_f->messages);
        m_dialog->show();
        m_applied = std::make_unique<QSignalSpy>(&m_f->settings, &SettingsStore::optionsApplied);
    }
    void cleanup() { m_applied.reset(); m_dialog.reset(); }

    // The boxes are narrower than a style's indicator: each still shows all
    // four edges of its square.
    void switchBoxesShowWhole()
    {
        for (QCheckBox *box : m_dialog->findChildren<QCheckBox *>()) {
            const QImage image = box->grab().toImage();
            const int side = qMin(image.width(), image.height());
            const int top = (image.height() - side) / 2;
            const int gray = qGray(m_dialog->palette().color(QPalette::Window).rgb());
            const auto edge = [&](int x, int y) { return qGray(image.pixel(x, y)) < gray - 40; };
            QVERIFY2(edge(0, top + side / 2) && edge(side - 1, top + side / 2) && edge(side / 2, top)
                         && edge(side / 2, top + side - 1),
                     qPrintable(box->objectName()));
        }
    }

    void set_data()
    {
        QTest::addColumn<QString>("texts"); // hours minutes seconds font standby; "#" empty
        QTest::addColumn<QString>("marks");
        QTest::addColumn<QString>("limit"); // stored afterwards; the dialog closes when it changed
        QTest::newRow("five minutes") << "00 05 00 9 5" << "WWWWW" << "00:05:00";
        QTest::newRow("60 minutes, font 73") << "00 60 00 73 5" << "WYWYW" << "00:03:00";
        QTest::newRow("7 minutes, font 5, standby 60") << "01 7 00 5 60" << "WYWYY" << "00:03:00";
        QTest::newRow("0 hours, empty seconds") << "0 03 # 9 5" << "YWYWW" << "00:03:00";
        QTest::newRow("three digits") << "100 100 00 9 5" << "YYWWW" << "00:03:00";
        QTest::newRow("font 6, standby 0") << "00 02 00 6 0" << "WWWWW" << "00:02:00";
        QTest::newRow("3 hours, font 72, standby 59") << "3 02 00 72 59" << "WWWWW" << "03:02:00";
        QTest::newRow("09:06:07") << "09 06 07 9 5" << "WWWWW" << "09:06:07";
    }
    void set()
    {
        QFETCH(QString, texts);
        QFETCH(QString, marks);
        QFETCH(QString, limit);
        enter(texts);
        F::click(*m_dialog, "set");
        const bool closes = limit != "00:03:00";
        const Settings &s = m_f->settings.settings();
        QCOMPARE(F::texts(entries(), true), marks);
        QCOMPARE(F::unnamed(*m_dialog), QStringList());
        QCOMPARE(m_dialog->isVisible(), !closes);
        QCOMPARE(m_f->iniLines().value(0), "Timer=" + limit);
        QCOMPARE(QString::asprintf("%02d:%02d:%02d", s.limit.hours, s.limit.minutes, s.limit.seconds), limit);
        QCOMPARE(QString::number(s.fontSize), closes ? texts.section(' ', 3, 3) : QString("9"));
        QCOMPARE(m_applied->size(), closes ? 1 : 0);
    }

    // Every Set stores the switches first, even when refused by a mark, an empty font size or a limit
    // past 32767 seconds (with a message); then nothing else is stored or written. Cancel stores
    // nothing. Shown again, the dialog loads the settings and the main window's Date, Time and Log.
    void refusedSetsCancelAndReload()
    {
        const QStringList before = m_f->iniLines();
        const QList<std::pair<const char *, const char *>> steps{
            {"syncTransmit", "00 60 00 9 5"}, {"alarm", "00 03 00 # 5"}, {"stampDate", "09 06 08 10 5"}};
        const Settings &s = m_f->settings.settings();
        for (int i = 0; i < 3; ++i) {
            check(steps[i].first)->toggle();
            enter(steps[i].second);
            F::click(*m_dialog, "set");
            QCOMPARE(!s.syncTransmit + s.alarm + s.stampDate, i + 1);
        }
        QCOMPARE(m_f->messages.texts(), QStringList(2, "frm.Opt.OkBtn_Click Error"));
        check("speech")->setChecked(true);
        F::click(*m_dialog, "cancel");
        QCOMPARE(QList<int>({s.speakCallsigns, s.limit.totalSeconds(), s.fontSize}), QList<int>({0, 180, 9}));
        QCOMPARE(m_f->iniLines(), before);
        QVERIFY(!m_dialog->isVisible() && m_applied->isEmpty());

        m_f->edit([](Settings &v) { v.limit = {1, 3, 7}; v.standbySeconds = 0; });
        m_f->window.setChecked(false, false, true);
        m_dialog->show();
        QCOMPARE(F::texts(entries(), true) + F::texts(entries()), QString("WWWWW01 03 07 9 0"));
        QString switches;
        for (const char *name : {"syncTransmit", "syncReceive", "alarm", "stampDate", "stampTime", "logChat", "speech"})
            switches += check(name)->isChecked() ? '1' : '0';
        QCOMPARE(switches, QString("0110010"));
        QCOMPARE(m_dialog->pos(), QPoint(Twips::toPixels(350), Twips::toPixels(2200)));
        for (QLineEdit *box : entries())
            QCOMPARE(F::typed(box), QString("129"));
        enter("00 06 08 10 5");
        F::click(*m_dialog, "set");
        QCOMPARE(m_applied->size(), 1);
        QCOMPARE(m_f->iniLines().mid(0, 9), QString("Timer=00:06:08 FontSize=10 Standby=5 SyncTX=0 SyncRX=1 "
                                                     "Alarm=1 DispDate=0 DispTime=0 LogFile=1").split(' '));
    }

private:
    QList<QLineEdit *> entries() const { return F::boxes(*m_dialog, entryNames); }
    void enter(const QString &texts) const
    {
        for (int i = 0; i < 5; ++i)
            entries()[i]->setText(texts.section(' ', i, i).replace("#", ""));
    }
    QCheckBox *check(const char *name) const { return F::child<QCheckBox>(*m_dialog, name); }

    std::unique_ptr<DialogFixture> m_f;
    std::unique_ptr<OptionsDialog> m_dialog;
    std::unique_ptr<QSignalSpy> m_applied;
};

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"
