#include "platform/qt/Qtfiledialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace {

// "prt|*.prt|bmp|*.bmp" becomes "prt (*.prt)" and "bmp (*.bmp)".
QStringList NameFilters(const std::string& filter)
{
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(';', ' '));
    return out;
}

}  // namespace

std::vector<std::string> TQtFileDialogs::OpenFiles(const std::string& folder,
                                                   const std::string& filter, bool multiple)
{
    QFileDialog d(parent_);
    d.setAcceptMode(QFileDialog::AcceptOpen);
    d.setFileMode(multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    d.setNameFilters(NameFilters(filter));
    if (!folder.empty()) d.setDirectory(QString::fromStdString(folder));
    std::vector<std::string> files;
    if (d.exec() != QDialog::Accepted) return files;
    for (const QString& f : d.selectedFiles()) files.push_back(f.toStdString());
    return files;
}

std::string TQtFileDialogs::SaveFile(const std::string& folder, const std::string& filter,
                                     const std::string& defaultExtension)
{
    QFileDialog d(parent_);
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setFileMode(QFileDialog::AnyFile);
    d.setNameFilters(NameFilters(filter));
    d.setDefaultSuffix(QString::fromStdString(defaultExtension));
    if (!folder.empty()) d.setDirectory(QString::fromStdString(folder));
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return "";
    return d.selectedFiles().front().toStdString();
}
