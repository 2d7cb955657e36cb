#pragma once
#include <deque>
#include <functional>
#include <string>

class TIniFile;

// The recently used files, newest first, as the settings file keeps them:
// section "menuname", keys "0", "1", ... with the paths in order and "-1"
// in the key after the last one.
class TAddFilemenu {
public:
    static constexpr const char* kSection = "menuname";
    static constexpr int kMaxCount = 7;

    std::deque<std::string> files;

    // Only when the settings file exists: reads the keys until "-1" or seven
    // keys have been read and keeps every value that names an existing file.
    void Load(const TIniFile& ini);
    // Blanks every entry equal to path, puts path in front, keeps at most
    // seven entries and rewrites the keys. Nothing for an empty path.
    void Add(const std::string& path, TIniFile& ini);

    // How a path is tested for existence; a regular file by default.
    std::function<bool(const std::string&)> fileExists;
};
