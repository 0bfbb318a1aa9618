#include "frmView.h"

#include "TrimAtNull.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/ErrorTrap.h"
#include "platform/FileOpenDialog.h"
#include "platform/JapaneseFont.h"
#include "platform/TextFile.h"
#include "platform/Twips.h"
#include "settings/Module1.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

#include <algorithm>

namespace {

const double smallestWidth = 1680;
const double smallestHeight = 1200;

// Qt's key codes of the letters are their upper-case character codes.
const int keyC = 67;

int shiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
        | (modifiers & Qt::AltModifier ? 4 : 0);
}

QString crlfText(QString selection)
{
    return selection.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
}

} // namespace

frmView::frmView(Module1 &module, const Clock &clock, SettingsWindow &mainWindow, MessageBox &messages,
                 Clipboard &clipboard, FileOpenDialog &fileDialog, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint
                          | Qt::WindowCloseButtonHint),
      Text1(new QPlainTextEdit(this)),
      m_module(module),
      m_clock(clock),
      m_mainWindow(mainWindow),
      m_messages(messages),
      m_clipboard(clipboard),
      m_fileDialog(fileDialog)
{
    Text1->setReadOnly(true);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->installEventFilter(this);
    resize(Twips::toPixels(4875), Twips::toPixels(3195));
}

bool frmView::load()
{
    return ErrorTrap::report(m_messages, QStringLiteral("File not Found"), [this] {
        Text1->setFont(JapaneseFont::font(m_module.settings.FontSize));
        const WindowPlacement main = m_mainWindow.placement();
        move(Twips::toPixels(main.left + 250), Twips::toPixels(main.top + 2100));

        QString fileName = m_module.logsFolder() + m_clock.dateDigits() + QStringLiteral(".txt");
        OpenLogFileDialog(fileName);
        setWindowTitle(fileName);
        Text1->setPlainText(TextFile::readAll(fileName));
    });
}

void frmView::OpenLogFileDialog(QString &fileName)
{
    ErrorTrap::report(m_messages, QStringLiteral("frmView.logDir Error"), [&] {
        const QList<FileOpenDialog::FileType> types = {
            {QStringLiteral("TXTﾌｧｲﾙ(*.txt)"), QStringLiteral("*.txt")},
            {QStringLiteral("すべてのﾌｧｲﾙ(*.*)"), QStringLiteral("*")},
        };
        const QString chosen = TrimAtNull(
            m_fileDialog.open(this, QStringLiteral("gLogFile Open"), types, fileName, QStringLiteral("txt")));
        if (!chosen.isEmpty())
            fileName = chosen;
    });
}

void frmView::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmView::Form_Resize()
{
    ErrorTrap::report(m_messages, QStringLiteral("frmView.Form_Resize Error"), [this] {
        if (isMinimized())
            return;
        const QRect outer = frameGeometry();
        const double width = std::max(Twips::fromPixels(outer.width()), smallestWidth);
        const double height = std::max(Twips::fromPixels(outer.height()), smallestHeight);
        if (Twips::toPixels(width) != outer.width() || Twips::toPixels(height) != outer.height()) {
            const QSize frame = outer.size() - size();
            resize(Twips::toPixels(width) - frame.width(), Twips::toPixels(height) - frame.height());
        }
        Text1->setGeometry(Twips::rect(60, 60, width - 225, height - 550));
    });
}

bool frmView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != Text1 || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    int KeyCode = key->key();
    Text1_KeyDown(KeyCode, shiftState(key->modifiers()));
    // Ctrl+C has been served and every other key is discarded: the text
    // box itself sees no key.
    return true;
}

void frmView::Text1_KeyDown(int &KeyCode, int Shift)
{
    ErrorTrap::report(m_messages, QStringLiteral("frmView.Text1_KeyDown Error"), [&] {
        if (KeyCode == keyC && Shift == 2) {
            m_clipboard.setText(crlfText(Text1->textCursor().selectedText()));
            return;
        }
        KeyCode = 0;
    });
}
