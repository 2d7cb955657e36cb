#include "platform/Filetypes.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/Replacefile.h"

extern char** environ;

namespace {

std::string EnvOr(const char* name, const std::string& fallback)
{
    const char* v = std::getenv(name);
    return v && *v ? std::string(v) : fallback;
}

std::string XmlEscaped(const std::string& s)
{
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// A path quoted for the Exec key of a desktop entry.
std::string ExecQuoted(const std::string& s)
{
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

bool SameContents(const std::string& path, const std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    const std::string old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return old == text;
}

// Writes the file unless it already holds the text; changed tells whether it wrote.
bool WriteIfDifferent(const std::string& path, const std::string& text, bool& changed)
{
    if (SameContents(path, text)) return true;
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    std::string reason;
    if (!ReplaceFileContents(path, std::vector<uint8_t>(text.begin(), text.end()), true, reason))
        return false;
    changed = true;
    return true;
}

// Runs a tool found on the search path with its output discarded; a missing
// tool or a failure is no concern of the caller.
void RunQuietly(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    }
    posix_spawn_file_actions_destroy(&actions);
}

TXdgFileTypes& DesktopRegistry()
{
    static TXdgFileTypes registry("ArrowPlan");
    return registry;
}

IFileTypeRegistry* bound = nullptr;

}  // namespace

IFileTypeRegistry& FileTypes()
{
    return bound ? *bound : DesktopRegistry();
}

void SetFileTypes(IFileTypeRegistry* registry)
{
    bound = registry;
}

TXdgFileTypes::TXdgFileTypes(std::string applicationName, std::string dataHome)
    : applicationName_(std::move(applicationName)), dataHome_(std::move(dataHome))
{
}

bool TXdgFileTypes::RegisterFileType(const std::string& extension,
                                     const std::string& description,
                                     const std::string& programPath,
                                     const std::string& iconPath)
{
    lastChanged = false;
    const std::string data =
        dataHome_.empty()
            ? EnvOr("XDG_DATA_HOME", EnvOr("HOME", ".") + "/.local/share")
            : dataHome_;
    const std::string typeName = extension + "_cairn_file";
    const std::string mimeType = "application/x-" + typeName;

    const std::string package =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"" + mimeType + "\">\n"
        "    <comment>" + XmlEscaped(description) + "</comment>\n"
        "    <glob pattern=\"*." + XmlEscaped(extension) + "\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n";
    std::string entry =
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=" + applicationName_ + "\n"
        "Comment=" + description + "\n"
        "Exec=" + ExecQuoted(programPath) + " %f\n";
    if (!iconPath.empty()) entry += "Icon=" + iconPath + "\n";
    entry += "MimeType=" + mimeType + ";\n"
             "Terminal=false\n"
             "Categories=Office;ProjectManagement;\n";

    bool changed = false;
    const std::string mimeDir = data + "/mime";
    const std::string appsDir = data + "/applications";
    const std::string desktopName = "arrowplan-" + extension + ".desktop";
    // As with a registry, a key that cannot be written ends the registration.
    if (!WriteIfDifferent(mimeDir + "/packages/" + typeName + ".xml", package, changed))
        return false;
    if (!WriteIfDifferent(appsDir + "/" + desktopName, entry, changed)) return false;
    lastChanged = changed;
    if (changed && runTools) {
        RunQuietly({"update-mime-database", mimeDir});
        RunQuietly({"update-desktop-database", appsDir});
        RunQuietly({"xdg-mime", "default", desktopName, mimeType});
    }
    return true;
}
