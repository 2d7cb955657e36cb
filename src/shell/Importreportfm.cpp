#include "shell/Importreportfm.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QVBoxLayout>

void ShowImportReportWindow(QWidget* parent, const std::string& text)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("导入报告"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* lines = new QPlainTextEdit(QString::fromStdString(text), &dialog);
    lines->setReadOnly(true);
    lines->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(lines);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.resize(640, 400);
    dialog.exec();
}
