#include "MessageBox.h"

#include "AppInfo.h"

#include <QMessageBox>

QString MessageBox::programTitle()
{
    return AppInfo::title();
}

void QtMessageBox::show(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, m_parent);
    box.exec();
}
