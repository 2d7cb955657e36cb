#include "platform/Programfolders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

std::string EnvOr(const char* name, const std::string& fallback)
{
    const char* v = std::getenv(name);
    return v && *v ? std::string(v) : fallback;
}

// An XDG folder variable counts only with an absolute path; a relative one
// would put the files wherever the program happens to be started.
std::string XdgOr(const char* name, const std::string& fallback)
{
    const std::string v = EnvOr(name, "");
    return !v.empty() && v[0] == '/' ? v : fallback;
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
    const std::string home = EnvOr("HOME", ".");
    f.settingsDir = XdgOr("XDG_CONFIG_HOME", home + "/.config") + "/arrowplan";
    f.backupDir = XdgOr("XDG_STATE_HOME", home + "/.local/state") + "/arrowplan";
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

bool TProgramFolders::CarryOverSettings() const
{
    const std::string old = InOneFolder(programDir).SettingsFile();
    const std::string now = SettingsFile();
    std::error_code ec;
    if (std::filesystem::equivalent(old, now, ec)) return false;
    if (!std::filesystem::is_regular_file(old, ec) || std::filesystem::exists(now, ec)) return false;
    return std::filesystem::copy_file(old, now, ec) && !ec;
}

const TProgramFolders& ProgramFolders()
{
    return Bound();
}

void SetProgramFolders(const TProgramFolders& folders)
{
    Bound() = folders;
}
