#pragma once
#include <string>

// Where the program finds and keeps its side files. The program's own folder
// holds the samples ("示例") and the help document; the settings file
// "zaveviIniFile.INI" and the crash backups ("~TMP", ...) stay there too when
// the folder is writable (a portable install), and otherwise go to the user's
// XDG config and state folders, under the same names.
class TProgramFolders {
public:
    std::string programDir;
    std::string settingsDir;
    std::string backupDir;

    // Decides the folders for a program installed in programDir, reading
    // XDG_CONFIG_HOME, XDG_STATE_HOME and HOME.
    static TProgramFolders For(const std::string& programDir);
    // Everything in one folder (tests, portable installs).
    static TProgramFolders InOneFolder(const std::string& dir);

    std::string SettingsFile() const { return settingsDir + "/zaveviIniFile.INI"; }
    // "workbook.txt", the list of common work names, kept with the settings.
    std::string WorkbookFile() const { return settingsDir + "/workbook.txt"; }
    std::string HelpFile() const { return programDir + "/help/HELPPRJ.html"; }
    std::string SamplesDir() const { return programDir + "/示例"; }

    // Creates settingsDir and backupDir when they do not exist yet.
    void MakeFolders() const;
};

// The folders of the running program; unset they are the current folder.
const TProgramFolders& ProgramFolders();
void SetProgramFolders(const TProgramFolders& folders);
