#include "MessageDialog.h"

#include "compat/AppInfo.h"

#include <QMessageBox>

QString MessageDialog::programTitle()
{
    return AppInfo::title();
}

void QtMessageDialog::show(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, m_parent);
    box.exec();
}
