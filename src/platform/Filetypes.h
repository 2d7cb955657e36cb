#pragma once
#include <string>

// Registration of a document type with the desktop, so that the file manager
// shows the files as ours and opens them with the program.
class IFileTypeRegistry {
public:
    virtual ~IFileTypeRegistry() = default;
    // True when every entry was written.
    virtual bool RegisterFileType(const std::string& extension, const std::string& description,
                                  const std::string& programPath, const std::string& iconPath) = 0;
};

IFileTypeRegistry& FileTypes();
// Binds a registry (not owned); null restores the desktop one.
void SetFileTypes(IFileTypeRegistry* registry);

// The freedesktop way: a shared-mime-info package
// (mime/packages/<ext>_cairn_file.xml) and a desktop entry
// (applications/arrowplan-<ext>.desktop) under the user's data folder
// ($XDG_DATA_HOME, else ~/.local/share). When a file's contents change, the
// update tools are run if they are installed; their failures are ignored.
class TXdgFileTypes : public IFileTypeRegistry {
public:
    // An empty dataHome means the user's data folder; applicationName is the
    // name the desktop entry shows.
    TXdgFileTypes(std::string applicationName, std::string dataHome = "");
    bool RegisterFileType(const std::string& extension, const std::string& description,
                          const std::string& programPath, const std::string& iconPath) override;

    // Run the desktop's update tools after a change (tests leave them alone).
    bool runTools = true;
    // Whether the last registration changed a file.
    bool lastChanged = false;

private:
    std::string applicationName_;
    std::string dataHome_;
};
