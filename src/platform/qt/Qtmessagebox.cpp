#include "platform/qt/Qtmessagebox.h"

#include <QMessageBox>
#include <QString>

TMsgAnswer TQtMessageService::Show(const std::string& text, const std::string& caption,
                                   TMsgIcon icon, TMsgButtons buttons)
{
    QMessageBox box(parent_);
    box.setText(QString::fromStdString(text));
    box.setWindowTitle(QString::fromStdString(caption));
    switch (icon) {
    case TMsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case TMsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case TMsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case TMsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
    case TMsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case TMsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case TMsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return TMsgAnswer::Yes;
    case QMessageBox::No: return TMsgAnswer::No;
    case QMessageBox::Cancel: return TMsgAnswer::Cancel;
    default: return TMsgAnswer::Ok;
    }
}
