#include "platform/Programfolders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace {

std::string EnvOr(const char* name, const std::string& fallback)
{
    const char* v = std::getenv(name);
    return v && *v ? std::string(v) : fallback;
}

TProgramFolders& Bound()
{
    static TProgramFolders folders = TProgramFolders::InOneFolder(".");
    return folders;
}

}  // namespace

TProgramFolders TProgramFolders::For(const std::string& programDir)
{
    TProgramFolders f = InOneFolder(programDir);
    if (access(programDir.c_str(), W_OK) == 0) return f;
    const std::string home = EnvOr("HOME", ".");
    f.settingsDir = EnvOr("XDG_CONFIG_HOME", home + "/.config") + "/arrowplan";
    f.backupDir = EnvOr("XDG_STATE_HOME", home + "/.local/state") + "/arrowplan";
    return f;
}

TProgramFolders TProgramFolders::InOneFolder(const std::string& dir)
{
    TProgramFolders f;
    f.programDir = dir;
    f.settingsDir = dir;
    f.backupDir = dir;
    return f;
}

void TProgramFolders::MakeFolders() const
{
    std::error_code ec;
    std::filesystem::create_directories(settingsDir, ec);
    std::filesystem::create_directories(backupDir, ec);
}

const TProgramFolders& ProgramFolders()
{
    return Bound();
}

void SetProgramFolders(const TProgramFolders& folders)
{
    Bound() = folders;
}
