#include "LogViewer.h"

#include "DialogScaffold.h"
#include "MainWindowState.h"
#include "compat/ErrorTrap.h"
#include "compat/TextBeforeNul.h"
#include "compat/Texts.h"
#include "compat/WindowsKeys.h"
#include "desktop/Clipboard.h"
#include "desktop/FileOpenDialog.h"
#include "desktop/JapaneseFont.h"
#include "desktop/MessageDialog.h"
#include "desktop/Twips.h"
#include "desktop/WindowFrame.h"
#include "encoding/Cp932Escape.h"
#include "encoding/TextFile.h"
#include "settings/Settings.h"
#include "system/Clock.h"
#include "ui/widgets/ReadingKeys.h"

#include <QDir>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include <algorithm>

namespace {

const double smallestWidth = 1680;
const double smallestHeight = 1200;

QString crlfText(QString selection)
{
    return selection.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
}

} // namespace

LogViewer::LogViewer(const Settings &settings, const Clock &clock, const MainWindowState &mainWindow,
                     MessageDialog &messages, Clipboard &clipboard, FileOpenDialog &fileDialog, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint
                          | Qt::WindowCloseButtonHint),
      m_settings(settings),
      m_clock(clock),
      m_mainWindow(mainWindow),
      m_messages(messages),
      m_clipboard(clipboard),
      m_fileDialog(fileDialog),
      m_text(new QPlainTextEdit(this))
{
    m_text->setObjectName(QStringLiteral("logText"));
    m_text->setReadOnly(true);
    // A caret the keys move, which is how screen readers read a text.
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setAccessibleName(QStringLiteral("Log"));
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // lines wrap
    m_text->installEventFilter(this);
    resize(Twips::toPixels(4875), Twips::toPixels(3195)); // the design client area
}

bool LogViewer::load()
{
    return ErrorTrap::report(m_messages, Texts::ErrorBox::viewerFileNotFound, [this] {
        m_text->setFont(JapaneseFont::font(m_settings.fontSize));
        DialogScaffold::placeBeside(this, m_mainWindow.windowState().placement);

        const QString fileName = chooseFile(m_settings.logsFolder() + m_clock.dateDigits() + QStringLiteral(".txt"));
        setWindowTitle(QDir::toNativeSeparators(fileName));
        m_text->setPlainText(Cp932Escape::unescaped(TextFile::readAll(fileName)));
    });
}

// The name the user chose, or the proposed one when the dialog gives none.
QString LogViewer::chooseFile(const QString &proposed)
{
    QString fileName = proposed;
    ErrorTrap::report(m_messages, Texts::ErrorBox::viewerFileDialog, [&] {
        const QList<FileOpenDialog::FileType> types = {
            {Texts::textFilesType, QStringLiteral("*.txt")},
            {Texts::allFilesType, QStringLiteral("*")},
        };
        const QString chosen = textBeforeNul(
            m_fileDialog.open(this, Texts::logFileDialogTitle, types, proposed, QStringLiteral("txt")));
        if (!chosen.isEmpty())
            fileName = chosen;
    });
    return fileName;
}

void LogViewer::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    fitText();
}

// Keeps the outer size at 1680 x 1200 twips or more and fills the window
// with the text. The outer size is the client area plus the design's frame,
// as for the main window, whatever frame the platform draws.
void LogViewer::fitText()
{
    ErrorTrap::report(m_messages, Texts::ErrorBox::viewerResize, [this] {
        if (isMinimized())
            return;
        const double width = std::max(Twips::fromPixels(this->width()) + WindowFrame::Width, smallestWidth);
        const double height = std::max(Twips::fromPixels(this->height()) + WindowFrame::Height, smallestHeight);
        const QSize client(Twips::toPixels(width - WindowFrame::Width), Twips::toPixels(height - WindowFrame::Height));
        if (client != size())
            resize(client);
        m_text->setGeometry(Twips::rect(60, 60, width - 225, height - 550));
    });
}

bool LogViewer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_text || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    onTextKey(key->key(), key->modifiers());
    // Ctrl+C has been served; the text box sees only the keys that move its
    // caret or selection, so nothing can be changed.
    return !ReadingKeys::isReadingKey(key->key(), key->modifiers());
}

void LogViewer::onTextKey(int key, Qt::KeyboardModifiers modifiers)
{
    ErrorTrap::report(m_messages, Texts::ErrorBox::viewerKey, [&] {
        if (key == Qt::Key_C && WindowsKeys::isCtrlAlone(modifiers))
            m_clipboard.setText(crlfText(m_text->textCursor().selectedText()));
    });
}
