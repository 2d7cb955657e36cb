#include "shell/Addfilemenu.h"

#include <sys/stat.h>
#include <utility>
#include <vector>

#include "platform/Inifile.h"

namespace {

bool IsRegularFile(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

void TAddFilemenu::Load(const TIniFile& ini)
{
    if (!ini.Exists()) return;
    files.clear();
    for (int i = 0; i < kMaxCount; ++i) {
        const std::string v = ini.ReadString(kSection, std::to_string(i));
        if (v == "-1") break;
        if (v.empty()) continue;
        if (fileExists ? fileExists(v) : IsRegularFile(v)) files.push_back(v);
    }
}

void TAddFilemenu::Add(const std::string& path, TIniFile& ini)
{
    if (path.empty()) return;
    for (std::string& f : files)
        if (f == path) f.clear();
    files.push_front(path);
    if (int(files.size()) > kMaxCount) files.pop_back();
    std::vector<std::pair<std::string, std::string>> keys;
    for (size_t i = 0; i < files.size(); ++i) keys.emplace_back(std::to_string(i), files[i]);
    keys.emplace_back(std::to_string(files.size()), "-1");
    ini.WriteStrings(kSection, keys);
}
