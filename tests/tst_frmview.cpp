#include "chat/frmView.h"
#include "platform/FileOpenDialog.h"
#include "platform/Twips.h"
#include "platform/VbError.h"
#include "settings/Module1.h"

#include "support/FakeClipboard.h"
#include "support/FakeClock.h"
#include "support/FakeSettingsWindow.h"
#include "support/RecordingMessageBox.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

// Answers as the test says (the proposed path when cancel) and records what
// it was asked.
class FakeFileOpenDialog : public FileOpenDialog
{
public:
    QString open(QWidget *owner, const QString &title, const QList<FileType> &types, const QString &initialPath,
                 const QString &defaultSuffix) override
    {
        asked = {owner, title, types, initialPath, defaultSuffix};
        if (failing)
            throw VbError("dialog not available");
        return cancel ? initialPath : answer;
    }

    struct Request
    {
        QWidget *owner;
        QString title;
        QList<FileType> types;
        QString initial;
        QString suffix;
    } asked{};
    bool cancel = true;
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
        m_dir = std::make_unique<QTemporaryDir>();
        m_messages = RecordingMessageBox();
        m_clipboard = FakeClipboard();
        m_dialog = FakeFileOpenDialog();
        const QString folder = m_dir->path() + "/";
        m_module = std::make_unique<Module1>(m_window, m_messages, ProgramFolders{folder, folder + "none/", folder});
        QVERIFY(m_module->EnsureLogsFolder());
    }

    void load_data()
    {
        QTest::addColumn<QString>("file"); // written under Logs unless empty
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("answer"); // under Logs; "cancel" for Cancel
        QTest::addColumn<QString>("shown");  // the caption under Logs; empty when not shown
        QTest::addColumn<QString>("text");

        const QByteArray log = "JA1ABC>hello\r\nJA2XYZ>73\r\n";
        const QString logText = "JA1ABC>hello\nJA2XYZ>73\n";
        const QString today = "20060314.txt";
        QTest::newRow("cancel shows today's log") << today << log << "cancel" << today << logText;
        QTest::newRow("no log today") << "" << QByteArray() << "cancel" << "" << "";
        QTest::newRow("chosen file") << "old.txt" << log << "old.txt" << "old.txt" << logText;
        QTest::newRow("chosen file missing") << today << log << "nothere.txt" << "" << "";
        QTest::newRow("folder chosen") << today << log << "." << "" << "";
        QTest::newRow("name in a NUL-filled buffer")
            << "old.txt" << log << QString("old.txt") + QString(5, QChar(0)) << "old.txt" << logText;
        QTest::newRow("empty file") << today << QByteArray() << "cancel" << today << "";
        QTest::newRow("Japanese in code page 932")
            << today << QByteArray("JA1ABC>\x93\xfa\x96\x7b\x8c\xea\x81\x60\xb1\xb2\r\n") << "cancel" << today
            << QString::fromUtf8("JA1ABC>日本語～ｱｲ\n");
        QTest::newRow("invalid bytes") << today << QByteArray("a\x81\x7f" "b") << "cancel" << today
                                       << QString::fromUtf8("a\uFFFD\x7f" "b");
    }
    void load()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, answer);
        QFETCH(QString, shown);
        QFETCH(QString, text);

        if (!file.isEmpty())
            QVERIFY(writeFile(logs() + file, bytes));
        m_dialog.cancel = answer == "cancel";
        m_dialog.answer = logs() + answer;
        const auto view = loaded(!shown.isEmpty());

        if (shown.isEmpty()) {
            QCOMPARE(m_messages.texts, QStringList{"File not Found"});
        } else {
            QCOMPARE(view->windowTitle(), logs() + shown);
            QCOMPARE(view->Text1->toPlainText(), text);
            QVERIFY(m_messages.texts.isEmpty());
        }
    }

    void dialogRequestAndFailure()
    {
        m_module->settings.FontSize = 14;
        m_window.place = {300, 600, 5640, 8460};
        QVERIFY(writeFile(today(), "x"));
        auto view = loaded();

        const FakeFileOpenDialog::Request &r = m_dialog.asked;
        QCOMPARE(r.owner, view.get());
        QCOMPARE(r.title, QString("gLogFile Open"));
        QCOMPARE(r.types.size(), 2);
        QCOMPARE(r.types[0].name + r.types[0].pattern, QString::fromUtf8("TXT\uFF8C\uFF67\uFF72\uFF99(*.txt)*.txt"));
        QCOMPARE(r.types[1].name + r.types[1].pattern,
                 QString::fromUtf8("\u3059\u3079\u3066\u306E\uFF8C\uFF67\uFF72\uFF99(*.*)*"));
        QCOMPARE(r.initial, today());
        QCOMPARE(r.suffix, QString("txt"));
        QCOMPARE(view->Text1->font().pointSizeF(), 14.0);
        QCOMPARE(view->pos(), QPoint(Twips::toPixels(550), Twips::toPixels(2700)));

        // The dialog failing leaves today's log to be shown.
        m_dialog.failing = true;
        m_dialog.cancel = false;
        view = loaded();
        QCOMPARE(m_messages.texts, QStringList{"frmView.logDir Error"});
        QCOMPARE(view->windowTitle(), today());
    }

    void smallestSize()
    {
        QVERIFY(writeFile(today(), "x"));
        const auto view = loaded();
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));

        view->resize(20, 20);
        QTRY_COMPARE(view->frameGeometry().size(), QSize(Twips::toPixels(1680), Twips::toPixels(1200)));
        QCOMPARE(view->Text1->geometry(), Twips::rect(60, 60, 1680 - 225, 1200 - 550));

        view->resize(400, 300);
        QTRY_COMPARE(view->size(), QSize(400, 300));
        const QSize outer = view->frameGeometry().size();
        QCOMPARE(view->Text1->geometry(),
                 Twips::rect(60, 60, Twips::fromPixels(outer.width()) - 225, Twips::fromPixels(outer.height()) - 550));
    }

    void keys()
    {
        QVERIFY(writeFile(today(), "JA1ABC>hello\r\nJA2XYZ>73\r\n"));
        const auto view = loaded();
        view->show();
        QPlainTextEdit *text = view->Text1;

        QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(m_clipboard.text, QString(""));
        QTextCursor cursor(text->document());
        cursor.setPosition(7);
        cursor.setPosition(18, QTextCursor::KeepAnchor);
        text->setTextCursor(cursor);
        QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(m_clipboard.text, QString("hello\r\nJA2XY"));

        QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClicks(text, "abc");
        for (const int key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return, Qt::Key_Down})
            QTest::keyClick(text, Qt::Key(key));
        QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(text->toPlainText(), QString("JA1ABC>hello\nJA2XYZ>73\n"));
        QCOMPARE(text->textCursor().selectedText(), QString("hello\u2029JA2XY"));
        QCOMPARE(m_clipboard.writes, 2);

        m_clipboard.failing = true;
        QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(m_messages.texts, QStringList{"frmView.Text1_KeyDown Error"});
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
        // A broken answer must not leave the dialog open for ever.
        QTimer watchdog;
        connect(&watchdog, &QTimer::timeout, this, [] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        watchdog.start(10000);

        QtFileOpenDialog dialog;
        answer("newname");
        QCOMPARE(dialog.open(nullptr, "gLogFile Open", types, today(), "txt"), QDir(logs()).filePath("newname.txt"));
        QCOMPARE(shownTypes, (QStringList{types[0].name, types[1].name}));
        answer("");
        QCOMPARE(dialog.open(nullptr, "gLogFile Open", types, today(), "txt"), today());
    }

private:
    QString logs() const { return m_module->logsFolder(); }
    QString today() const { return logs() + "20060314.txt"; }
    std::unique_ptr<frmView> loaded(bool expected = true)
    {
        auto view = std::make_unique<frmView>(*m_module, m_clock, m_window, m_messages, m_clipboard, m_dialog);
        [&] { QCOMPARE(view->load(), expected); }();
        return view;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    FakeSettingsWindow m_window;
    RecordingMessageBox m_messages;
    FakeClock m_clock;
    FakeClipboard m_clipboard;
    FakeFileOpenDialog m_dialog;
    std::unique_ptr<Module1> m_module;
};

QTEST_MAIN(TestFrmView)
#include "tst_frmview.moc"
