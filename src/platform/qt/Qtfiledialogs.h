#pragma once
#include "platform/Filedialogs.h"

class QWidget;

// The Qt file dialogs.
class TQtFileDialogs : public IFileDialogs {
public:
    explicit TQtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    std::vector<std::string> OpenFiles(const std::string& folder, const std::string& filter,
                                       bool multiple) override;
    std::string SaveFile(const std::string& folder, const std::string& filter,
                         const std::string& defaultExtension) override;

private:
    QWidget* parent_;
};
