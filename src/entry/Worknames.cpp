#include "entry/Worknames.h"

#include <fstream>
#include <iterator>
#include <sys/stat.h>

#include "file/Prtstream.h"
#include "platform/Programfolders.h"
#include "platform/Replacefile.h"

namespace {

bool FileExists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsUtf8(const std::string& s)
{
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        size_t n = 0;
        if (c < 0x80) n = 0;
        else if (c >= 0xC2 && c <= 0xDF) n = 1;
        else if (c >= 0xE0 && c <= 0xEF) n = 2;
        else if (c >= 0xF0 && c <= 0xF4) n = 3;
        else return false;
        if (i + n >= s.size() && n > 0) return false;
        for (size_t k = 1; k <= n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n + 1;
    }
    return true;
}

std::string Trim(const std::string& s)
{
    const size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return "";
    const size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

// The file as text in memory: UTF-8 without a byte-order mark, '\n' lines.
std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    if (!IsUtf8(bytes)) bytes = Cp936ToUtf8(bytes);
    std::string text;
    text.reserve(bytes.size());
    for (char c : bytes)
        if (c != '\r') text += c;
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t b = 0;
    while (b <= text.size()) {
        size_t e = text.find('\n', b);
        if (e == std::string::npos) e = text.size();
        lines.push_back(text.substr(b, e - b));
        b = e + 1;
    }
    return lines;
}

std::vector<std::string> NonBlank(const std::vector<std::string>& lines)
{
    std::vector<std::string> names;
    for (const std::string& l : lines)
        if (!Trim(l).empty()) names.push_back(l);
    return names;
}

bool WriteText(const std::string& text)
{
    ProgramFolders().MakeFolders();
    std::string bytes = text;
    if (!bytes.empty() && bytes.back() != '\n') bytes += '\n';
    std::string reason;
    return ReplaceFileContents(TWorknames::WritePath(),
                               std::vector<uint8_t>(bytes.begin(), bytes.end()), true, reason);
}

}  // namespace

std::string TWorknames::WritePath()
{
    return ProgramFolders().WorkbookFile();
}

std::string TWorknames::ReadPath()
{
    const std::string own = WritePath();
    if (FileExists(own)) return own;
    return ProgramFolders().programDir + "/workbook.txt";
}

void TWorknames::Load()
{
    const std::string path = ReadPath();
    text = FileExists(path) ? ReadText(path) : std::string();
    modified = false;
}

bool TWorknames::Confirm()
{
    if (!modified) return true;
    if (!WriteText(text)) return false;
    modified = false;
    return true;
}

void TWorknames::Cancel()
{
    if (modified) Load();
}

std::vector<std::string> TWorknames::Names() const
{
    if (text.empty()) return {};
    return NonBlank(SplitLines(text));
}

std::vector<std::string> TWorknames::ReadNames()
{
    TWorknames w;
    w.Load();
    return w.Names();
}

bool TWorknames::AppendName(const std::string& name)
{
    if (Trim(name).empty()) return false;
    TWorknames w;
    w.Load();
    std::vector<std::string> lines = w.text.empty() ? std::vector<std::string>{} : SplitLines(w.text);
    for (const std::string& l : lines)
        if (l == name) return false;
    lines.push_back(name);
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) text += '\n';
        text += lines[i];
    }
    return WriteText(text);
}
