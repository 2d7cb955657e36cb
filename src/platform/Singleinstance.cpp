#include "platform/Singleinstance.h"

namespace {
constexpr const char* kHead = "open\n";
}

std::string EncodeStartMessage(const std::vector<std::string>& files)
{
    std::string m = kHead;
    for (const std::string& f : files) {
        // A file name cannot hold a line break that survives this; such a name is dropped.
        if (f.find('\n') != std::string::npos) continue;
        m += f + "\n";
    }
    return m;
}

bool DecodeStartMessage(const std::string& message, std::vector<std::string>& files)
{
    files.clear();
    const std::string head = kHead;
    if (message.compare(0, head.size(), head) != 0) return false;
    size_t p = head.size();
    while (p < message.size()) {
        const size_t nl = message.find('\n', p);
        if (nl == std::string::npos) return false;  // cut short
        if (nl > p) files.push_back(message.substr(p, nl - p));
        p = nl + 1;
    }
    return true;
}
