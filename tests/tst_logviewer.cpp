#include "chat/frmView.h"
#include "platform/FileOpenDialog.h"
#include "platform/Twips.h"

#include "support/ChatFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

// Answers as the test says (the proposed path, as after Cancel, when null) and
// records what it was asked: title, proposed path, suffix, then each type's
// name + pattern.
class FakeFileOpenDialog : public FileOpenDialog
{
public:
    QString open(QWidget *owner, const QString &title, const QList<FileType> &types, const QString &initialPath,
                 const QString &defaultSuffix) override
    {
        askedBy = owner;
        asked = QStringList{title, initialPath, defaultSuffix};
        for (const FileType &type : types)
            asked << type.name + type.pattern;
        if (failing)
            throw VbError("dialog not available");
        return answer.isNull() ? initialPath : answer;
    }

    QWidget *askedBy = nullptr;
    QStringList asked;
    bool failing = false;
    QString answer;
};

} // namespace

class TestFrmView : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        f = std::make_unique<ChatFixture>();
        QVERIFY(f->logsReady);
        m_dialog = FakeFileOpenDialog();
    }

    void load_data()
    {
        QTest::addColumn<QString>("file"); // written under Logs unless empty
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("answer"); // under Logs; "cancel" for Cancel, "fail" for a failing dialog
        QTest::addColumn<QString>("shown");  // the caption under Logs; empty when not shown
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");

        const QByteArray log = "JA1ABC>hello\r\nJA2XYZ>73\r\n";
        const QString logText = "JA1ABC>hello\nJA2XYZ>73\n";
        const QString today = "20060314.txt";
        const QString notFound = "File not Found";
        QTest::newRow("cancel shows today's log") << today << log << "cancel" << today << logText << "";
        QTest::newRow("no log today") << "" << QByteArray() << "cancel" << "" << "" << notFound;
        QTest::newRow("chosen file missing") << today << log << "nothere.txt" << "" << "" << notFound;
        QTest::newRow("chosen name in a NUL-filled buffer")
            << "old.txt" << log << QString("old.txt") + QString(5, QChar(0)) << "old.txt" << logText << "";
        QTest::newRow("failing dialog leaves today's log")
            << today << log << "fail" << today << logText << "frmView.logDir Error";
        QTest::newRow("empty file") << today << QByteArray() << "cancel" << today << "" << "";
        QTest::newRow("Japanese in code page 932")
            << today << QByteArray("JA1ABC>\x93\xfa\x96\x7b\x8c\xea\x81\x60\xb1\xb2\r\n") << "cancel" << today
            << QString::fromUtf8("JA1ABC>日本語～ｱｲ\n") << "";
        QTest::newRow("invalid bytes") << today << QByteArray("a\x81\x7f" "b") << "cancel" << today
                                       << QString::fromUtf8("a\uFFFD\x7f" "b") << "";
    }
    void load()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, answer);
        QFETCH(QString, shown);
        QFETCH(QString, text);
        QFETCH(QString, message);
        if (!file.isEmpty())
            QVERIFY(writeFile(f->logsFile(file), bytes));
        m_dialog.failing = answer == "fail";
        m_dialog.answer = answer == "cancel" ? QString() : f->logsFile(answer);
        const auto view = loaded(!shown.isEmpty());
        QCOMPARE(f->messages.texts.join('|'), message);
        if (!shown.isEmpty()) {
            QCOMPARE(view->windowTitle(), f->logsFile(shown));
            QCOMPARE(view->Text1->toPlainText(), text);
        }
    }

    // Today's log as the user sees it: the dialog's request, the font and the
    // place; only Ctrl+C acts, copying the selection (even an empty one) as
    // CR LF text, and no key changes the text or the selection; the smallest
    // size.
    void shownViewer()
    {
        f->module.settings.FontSize = 14;
        f->window.place = {300, 600, 5640, 8460};
        QVERIFY(writeFile(f->logsFile(), "JA1ABC>hello\r\nJA2XYZ>73\r\n"));
        const auto view = loaded();
        QCOMPARE(m_dialog.askedBy, view.get());
        QCOMPARE(m_dialog.asked, (QStringList{"gLogFile Open", f->logsFile(), "txt",
                                               QString::fromUtf16(u"TXT\uFF8C\uFF67\uFF72\uFF99(*.txt)*.txt"),
                                               QString::fromUtf16(u"\u3059\u3079\u3066\u306E\uFF8C\uFF67\uFF72\uFF99(*.*)*")}));
        QCOMPARE(view->Text1->font().pointSizeF(), 14.0);
        QCOMPARE(view->pos(), QPoint(Twips::toPixels(550), Twips::toPixels(2700)));
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));

        QPlainTextEdit *text = view->Text1;
        QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(f->clipboard.text, QString(""));
        QTextCursor cursor(text->document());
        cursor.setPosition(7);
        cursor.setPosition(18, QTextCursor::KeepAnchor);
        text->setTextCursor(cursor);
        QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(f->clipboard.text, QString("hello\r\nJA2XY"));
        QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClicks(text, "abc");
        for (const int key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return, Qt::Key_Down})
            QTest::keyClick(text, Qt::Key(key));
        QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(text->toPlainText(), QString("JA1ABC>hello\nJA2XYZ>73\n"));
        QCOMPARE(text->textCursor().selectedText(), QString("hello\u2029JA2XY"));
        QCOMPARE(f->clipboard.writes, 2);
        f->clipboard.failing = true;
        QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(f->messages.texts, QStringList{"frmView.Text1_KeyDown Error"});

        view->resize(20, 20);
        QTRY_COMPARE(view->frameGeometry().size(), QSize(Twips::toPixels(1680), Twips::toPixels(1200)));
        QCOMPARE(text->geometry(), Twips::rect(60, 60, 1680 - 225, 1200 - 550));
        view->resize(400, 300);
        QTRY_COMPARE(view->size(), QSize(400, 300));
        const QSize outer = view->frameGeometry().size();
        QCOMPARE(text->geometry(),
                 Twips::rect(60, 60, Twips::fromPixels(outer.width()) - 225, Twips::fromPixels(outer.height()) - 550));
    }

    // The real dialog: the type names as shown, a typed name of a missing file
    // without an extension, and Cancel.
    void qtDialog()
    {
        QCOMPARE(QtFileOpenDialog::withDefaultSuffix("/v/Logs/chat.log", "txt"), QString("/v/Logs/chat.log"));
        QCOMPARE(QtFileOpenDialog::withDefaultSuffix("/v.1/Logs/0314", "txt"), QString("/v.1/Logs/0314.txt"));

        const QList<FileOpenDialog::FileType> types = {{QString::fromUtf8("TXTﾌｧｲﾙ(*.txt)"), "*.txt"},
                                                       {QString::fromUtf8("すべてのﾌｧｲﾙ(*.*)"), "*"}};
        QStringList shownTypes;
        auto answer = [&](const QString &typed) {
            QTimer::singleShot(0, this, [&shownTypes, typed] {
                auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                if (!dialog)
                    return;
                const auto *combo = dialog->findChild<QComboBox *>("fileTypeCombo");
                for (int i = 0; combo && i < combo->count(); ++i)
                    shownTypes << combo->itemText(i);
                if (typed.isEmpty())
                    return dialog->reject();
                dialog->findChild<QLineEdit *>("fileNameEdit")->setText(typed);
                static_cast<QDialog *>(dialog)->accept();
            });
        };
        QtFileOpenDialog dialog;
        answer("newname");
        QCOMPARE(dialog.open(nullptr, "gLogFile Open", types, f->logsFile(), "txt"), f->logsFile("newname.txt"));
        QCOMPARE(shownTypes, (QStringList{types[0].name, types[1].name}));
        answer("");
        QCOMPARE(dialog.open(nullptr, "gLogFile Open", types, f->logsFile(), "txt"), f->logsFile());
    }

private:
    std::unique_ptr<frmView> loaded(bool expected = true)
    {
        auto view = std::make_unique<frmView>(f->module, f->clock, f->window, f->messages, f->clipboard, m_dialog);
        [&] { QCOMPARE(view->load(), expected); }();
        return view;
    }

    std::unique_ptr<ChatFixture> f;
    FakeFileOpenDialog m_dialog;
};

QTEST_MAIN(TestFrmView)
#include "tst_frmview.moc"
