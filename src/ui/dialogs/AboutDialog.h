#pragma once

#include <QDialog>

class MessageDialog;
class QKeyEvent;
class QPushButton;

// The about box: title, version, description, help file name and two credit
// lines. Built and placed on construction, 250 twips right of and 2100 below
// the main window's frame corner; show it with exec(). OK, Enter and Esc
// close it. Fixed size, inner area 4440 x 2595 twips. Its labels carry
// object names ("title", "version", ...) for whoever needs to find them.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    AboutDialog(QWidget *mainWindow, MessageDialog &messages);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createControls();
    void placeAndFill(QWidget *mainWindow);

    MessageDialog &m_messages;
    QPushButton *m_ok = nullptr;
};
