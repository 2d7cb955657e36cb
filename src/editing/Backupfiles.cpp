#include "editing/Backupfiles.h"

#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <sys/stat.h>

namespace {

bool IsFile(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The number of a backup name: 0 for "~TMP", n for "~TMPn".
long NumberOf(const std::string& name)
{
    const std::string base = TBackupFiles::kBaseName;
    return name.size() == base.size() ? 0 : std::stol(name.substr(base.size()));
}

}  // namespace

bool TBackupFiles::IsBackupName(const std::string& fileName)
{
    const std::string base = kBaseName;
    if (fileName.compare(0, base.size(), base) != 0) return false;
    if (fileName.size() == base.size()) return true;
    if (fileName.size() > base.size() + 6) return false;
    if (fileName[base.size()] == '0') return false;
    return std::all_of(fileName.begin() + std::ptrdiff_t(base.size()), fileName.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<std::string> TBackupFiles::Leftovers() const
{
    std::vector<std::string> names;
    if (DIR* d = opendir(folder_.c_str())) {
        while (dirent* e = readdir(d)) {
            const std::string name = e->d_name;
            if (IsBackupName(name) && IsFile(folder_ + "/" + name)) names.push_back(name);
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return NumberOf(a) < NumberOf(b); });
    std::vector<std::string> paths;
    for (const std::string& n : names) paths.push_back(folder_ + "/" + n);
    return paths;
}

std::string TBackupFiles::Claim()
{
    for (int n = 0;; ++n) {
        const std::string path = folder_ + "/" + kBaseName + (n ? std::to_string(n) : "");
        if (claimed_.count(path) || declined_.count(path) || IsFile(path)) continue;
        claimed_.insert(path);
        return path;
    }
}

void TBackupFiles::ClaimExisting(const std::string& path)
{
    declined_.erase(path);
    claimed_.insert(path);
}

void TBackupFiles::Release(const std::string& path)
{
    if (!claimed_.erase(path)) return;
    std::remove(path.c_str());
}

void TBackupFiles::Decline(const std::string& path)
{
    declined_.insert(path);
}

void TBackupFiles::RemoveAll()
{
    for (const std::string& p : claimed_) std::remove(p.c_str());
    for (const std::string& p : declined_) std::remove(p.c_str());
    claimed_.clear();
    declined_.clear();
}
