#pragma once
#include <string>

// Where the program finds and keeps its side files. The program's own folder
// holds the samples ("示例") and the help document. The settings file
// "zaveviIniFile.INI" goes to the user's XDG config folder and the crash
// backups ("~TMP", ...) to the XDG state folder, under the same names, so that
// every user of one install has their own and a build tree stays clean.
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
    // A settings file that an earlier version left in the program's folder
    // is copied to the settings folder once, while the user has none there,
    // so that the recent files and the input choice are kept. True when copied.
    bool CarryOverSettings() const;
};

// The folders of the running program; unset they are the current folder.
const TProgramFolders& ProgramFolders();
void SetProgramFolders(const TProgramFolders& folders);
