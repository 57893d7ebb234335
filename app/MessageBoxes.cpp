#include "app/MessageBoxes.h"

#include <QMessageBox>

namespace {

void Show(QWidget* parent, QMessageBox::Icon icon, QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    QMessageBox box(icon, ApplicationTitle(), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

void ShowMessage(QWidget* parent, const QString& text) {
    Show(parent, QMessageBox::NoIcon, text);
}

void ShowErrorReport(QWidget* parent, const QString& text) {
    Show(parent, QMessageBox::Critical, text);
}
