#include "shell/Startup.h"

#include "editing/Backupfiles.h"
#include "platform/Messagebox.h"

void TStartup::Run(TBackupFiles& backups, const std::vector<std::string>& files,
                   const std::function<bool(const std::string&)>& restore,
                   const std::function<void(const std::string&)>& open)
{
    for (const std::string& backup : backups.Leftovers()) {
        const TMsgAnswer a = AskYesNo("是否恢复上次非正常退出自动备份的文件?", "退出");
        // A backup that is not restored, or cannot be, stays until the
        // program ends normally.
        if (a != TMsgAnswer::Yes || !restore(backup)) backups.Decline(backup);
    }
    for (const std::string& f : files) open(f);
}

std::vector<std::string> TStartup::FilesOf(int argc, const char* const* argv)
{
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i)
        if (argv[i] && *argv[i]) files.emplace_back(argv[i]);
    return files;
}
