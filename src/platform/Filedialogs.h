#pragma once
#include <string>
#include <vector>

// The common open and save dialogs. Filters are pairs of name and pattern
// joined by '|', as in "prt|*.prt" or "bmp|*.bmp|jpg|*.jpg"; the first pair
// is selected.
class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // The chosen existing files (several when multiple is set); empty when cancelled.
    virtual std::vector<std::string> OpenFiles(const std::string& folder,
                                               const std::string& filter, bool multiple) = 0;
    // The chosen path with the default extension added when the name has
    // none; asks before overwriting; empty when cancelled.
    virtual std::string SaveFile(const std::string& folder, const std::string& filter,
                                 const std::string& defaultExtension) = 0;
};

IFileDialogs& FileDialogs();
// Binds the dialogs (not owned); null restores the ones that always cancel.
void SetFileDialogs(IFileDialogs* dialogs);
