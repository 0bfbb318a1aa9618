#include "schedule/frmTimeSet.h"
#include "platform/Twips.h"

#include "support/DialogFixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

#include <memory>

class TestFrmTimeSet : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_f = std::make_unique<DialogFixture>();
        Settings &s = m_f->module.settings;
        s.Timer01Start = "08:15:30";
        s.Timer01End = "09:00:05";
        s.Timer02Start = "22:00:00";
        s.Timer02End = "23:59:59";
        m_f->module.chkT00 = 1;
        m_f->module.SaveSettings();
    }

    void loadAndKeyFilter()
    {
        m_f->window.place = {1000, 2000, 5640, 8460};
        const auto d = open();
        QCOMPARE(DialogFixture::texts(boxes(*d)), QString("08 15 30 09 00 05 22 00 00 23 59 59"));
        QCOMPARE(d->chkT00->checkState(), Qt::Checked);
        QCOMPARE(d->chkT01->checkState(), Qt::Unchecked);
        QCOMPARE(d->pos(), QPoint(Twips::toPixels(1250), Twips::toPixels(4100)));

        for (QLineEdit *box : boxes(*d))
            QCOMPARE(DialogFixture::typed(box), QString("129"));
    }

    void oneBox_data()
    {
        QTest::addColumn<int>("box"); // 0..11 in the order inH00 .. inS03
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored"); // Timer01 and Timer02 lines afterwards; empty when refused

        QTest::newRow("24 hours") << 0 << "24" << "";
        QTest::newRow("60 minutes") << 1 << "60" << "";
        QTest::newRow("60 seconds") << 11 << "60" << "";
        QTest::newRow("one digit") << 5 << "5" << "";
        QTest::newRow("empty") << 4 << "" << "";
        QTest::newRow("three characters") << 8 << "005" << "";
        QTest::newRow("00 hours, end before start")
            << 3 << "00" << "Timer01=08:15:30,00:00:05,1 Timer02=22:00:00,23:59:59,0";
        QTest::newRow("23 hours") << 6 << "23" << "Timer01=08:15:30,09:00:05,1 Timer02=23:00:00,23:59:59,0";
        QTest::newRow("59 seconds") << 2 << "59" << "Timer01=08:15:59,09:00:05,1 Timer02=22:00:00,23:59:59,0";
        QTest::newRow("pasted 1:") << 0 << "1:" << "Timer01=1::15:30,09:00:05,1 Timer02=22:00:00,23:59:59,0";
    }
    void oneBox()
    {
        QFETCH(int, box);
        QFETCH(QString, text);
        QFETCH(QString, stored);

        const QString before = scheduleLines();
        const auto d = open();
        boxes(*d)[box]->setText(text);
        d->btnSet_Click();

        QString expectedMarks(12, 'W');
        expectedMarks[box] = stored.isEmpty() ? 'Y' : 'W';
        QCOMPARE(DialogFixture::marks(boxes(*d)), expectedMarks);
        QCOMPARE(d->isVisible(), stored.isEmpty());
        QCOMPARE(scheduleLines(), stored.isEmpty() ? before : stored);
        QCOMPARE(m_f->module.Timer01On, qint16(stored.isEmpty() ? 0 : 1));
        QCOMPARE(m_f->module.settings.Timer01Start, stored.isEmpty() ? QString("08:15:30") : stored.mid(8, 8));
        QVERIFY(m_f->messages.texts.isEmpty());
    }

    // Start equal to end is accepted too.
    void twoRowsYellowThenCorrected()
    {
        const auto d = open();
        d->inM00->setText("75");
        d->inH03->setText("9");
        d->chkT00->setChecked(false);
        d->chkT01->setChecked(true);
        d->btnSet_Click();
        QCOMPARE(DialogFixture::marks(boxes(*d)), QString("WYWWWWWWWYWW"));
        QVERIFY(d->isVisible());

        d->inM00->setText("45");
        d->inH03->setText("22");
        d->inM03->setText("00");
        d->inS03->setText("00");
        d->btnSet_Click();
        QCOMPARE(DialogFixture::marks(boxes(*d)), QString(12, 'W'));
        QVERIFY(!d->isVisible());
        QCOMPARE(m_f->module.Timer01On, qint16(0));
        QCOMPARE(m_f->module.Timer02On, qint16(1));
        QCOMPARE(scheduleLines(), QString("Timer01=08:45:30,09:00:05,0 Timer02=22:00:00,22:00:00,1"));
    }

    // Cancel and the close box keep what was read at start-up (no Set has
    // confirmed it yet) and, later, what the last Set confirmed.
    void cancelKeepsTheConfirmedState()
    {
        m_f->module.chkT01 = 1;
        auto d = open();
        d->chkT00->setChecked(false);
        d->btnCancel_Click();
        d = open();
        QCOMPARE(d->chkT00->checkState(), Qt::Checked);
        d->chkT01->setChecked(false);
        d->close();
        QCOMPARE(m_f->module.Timer01On, qint16(0));
        m_f->module.SaveSettings();
        QCOMPARE(scheduleLines(), QString("Timer01=08:15:30,09:00:05,1 Timer02=22:00:00,23:59:59,1"));

        d = open();
        d->inH00->setText("10");
        d->btnSet_Click();
        d = open();
        d->inH00->setText("11");
        d->chkT00->setChecked(false);
        QTest::mouseClick(d->btnCancel, Qt::LeftButton);
        QVERIFY(!d->isVisible());
        QCOMPARE(m_f->module.settings.Timer01Start, QString("10:15:30"));
        d = open();
        QCOMPARE(d->inH00->text(), QString("10"));
        QCOMPARE(d->chkT00->checkState(), Qt::Checked);
        QCOMPARE(d->chkT01->checkState(), Qt::Checked);
    }

    void indeterminateDigitIsWrittenBack()
    {
        m_f->module.chkT00 = 2;
        m_f->module.chkT01 = 2;
        const auto d = open();
        QCOMPARE(d->chkT00->checkState(), Qt::PartiallyChecked);
        d->chkT01->click(); // a click checks, then the box has two states
        d->chkT01->click();
        d->chkT01->click();
        QCOMPARE(d->chkT01->checkState(), Qt::Checked);
        d->btnSet_Click();

        QCOMPARE(m_f->module.Timer01On, qint16(0));
        QCOMPARE(m_f->module.Timer02On, qint16(1));
        QCOMPARE(scheduleLines(), QString("Timer01=08:15:30,09:00:05,2 Timer02=22:00:00,23:59:59,1"));
        QCOMPARE(m_f->module.chkT00, 0);
    }

private:
    // The stored Timer01 and Timer02 lines, joined by a blank.
    QString scheduleLines() const { return m_f->iniLines().mid(12, 2).join(' '); }
    static QList<QLineEdit *> boxes(const frmTimeSet &d)
    {
        return {d.inH00, d.inM00, d.inS00, d.inH01, d.inM01, d.inS01,
                d.inH02, d.inM02, d.inS02, d.inH03, d.inM03, d.inS03};
    }
    std::unique_ptr<frmTimeSet> open()
    {
        auto dialog = std::make_unique<frmTimeSet>(m_f->module, m_f->window, m_f->messages);
        dialog->show();
        return dialog;
    }

    std::unique_ptr<DialogFixture> m_f;
};

QTEST_MAIN(TestFrmTimeSet)
#include "tst_frmtimeset.moc"
