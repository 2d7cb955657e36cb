#pragma once
#include <functional>
#include <string>
#include <vector>

class TBackupFiles;

// The start of the program after its main window exists: every crash
// backup left by an earlier run is offered ("是否恢复上次非正常退出自动备份
// 的文件?"), whether or not files were named on the command line; then the
// named files are opened.
class TStartup {
public:
    // restore opens a backup as a document and says whether it could;
    // open opens a file of the command line.
    static void Run(TBackupFiles& backups, const std::vector<std::string>& files,
                    const std::function<bool(const std::string&)>& restore,
                    const std::function<void(const std::string&)>& open);

    // The files of a command line: every argument after the program's name.
    static std::vector<std::string> FilesOf(int argc, const char* const* argv);
};
