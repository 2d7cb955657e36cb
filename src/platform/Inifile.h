#pragma once
#include <string>
#include <utility>
#include <vector>

// A settings file of "[section]" headers and "key=value" lines, read and
// written by section and key. Section and key names compare without regard
// to ASCII case; values are kept exactly. Every read looks at the file as it
// is on disk and every write rewrites it at once (a new file renamed over the
// old one), keeping the lines it does not touch, so that several parts of the
// program can share one file.
class TIniFile {
public:
    explicit TIniFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }
    bool Exists() const;

    // The value, or def when the section or key is absent.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& def = "") const;
    // Sets one value; false when the file could not be written.
    bool WriteString(const std::string& section, const std::string& key,
                     const std::string& value);
    // Sets several values of one section with a single rewrite of the file.
    bool WriteStrings(const std::string& section,
                      const std::vector<std::pair<std::string, std::string>>& values);

private:
    std::string path_;
};
