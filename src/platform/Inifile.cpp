#include "platform/Inifile.h"

#include <fstream>
#include <sys/stat.h>

#include "platform/Replacefile.h"

namespace {

std::string Trim(const std::string& s)
{
    const size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return "";
    const size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The section a header line opens, or false for any other line.
bool HeaderOf(const std::string& line, std::string& name)
{
    const std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') return false;
    name = Trim(t.substr(1, t.size() - 2));
    return true;
}

// Key and value of a "key=value" line; comments and other lines give false.
bool EntryOf(const std::string& line, std::string& key, std::string& value)
{
    const std::string t = Trim(line);
    if (t.empty() || t[0] == ';' || t[0] == '#') return false;
    const size_t eq = line.find('=');
    if (eq == std::string::npos) return false;
    key = Trim(line.substr(0, eq));
    value = line.substr(eq + 1);
    if (!value.empty() && value.back() == '\r') value.pop_back();
    return !key.empty();
}

}  // namespace

bool TIniFile::Exists() const
{
    struct stat st;
    return stat(path_.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const
{
    bool inSection = false;
    for (const std::string& line : ReadLines(path_)) {
        std::string name, k, v;
        if (HeaderOf(line, name)) {
            inSection = SameName(name, section);
        } else if (inSection && EntryOf(line, k, v) && SameName(k, key)) {
            return v;
        }
    }
    return def;
}

bool TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value)
{
    return WriteStrings(section, {{key, value}});
}

bool TIniFile::WriteStrings(const std::string& section,
                            const std::vector<std::pair<std::string, std::string>>& values)
{
    std::vector<std::string> lines = ReadLines(path_);
    // Where the section begins and where its last entry stands.
    size_t header = lines.size();
    size_t end = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string name;
        if (!HeaderOf(lines[i], name)) continue;
        if (header != lines.size()) {
            end = i;
            break;
        }
        if (SameName(name, section)) header = i;
    }
    if (header == lines.size()) {
        if (!lines.empty() && !Trim(lines.back()).empty()) lines.push_back("");
        lines.push_back("[" + section + "]");
        header = lines.size() - 1;
        end = lines.size();
    }
    for (const auto& [key, value] : values) {
        bool found = false;
        size_t lastEntry = header;
        for (size_t i = header + 1; i < end; ++i) {
            std::string k, v;
            if (!EntryOf(lines[i], k, v)) continue;
            lastEntry = i;
            if (SameName(k, key)) {
                lines[i] = key + "=" + value;
                found = true;
                break;
            }
        }
        if (!found) {
            lines.insert(lines.begin() + std::ptrdiff_t(lastEntry + 1), key + "=" + value);
            ++end;
        }
    }
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    std::string reason;
    return ReplaceFileContents(path_, std::vector<uint8_t>(text.begin(), text.end()), true,
                               reason);
}
