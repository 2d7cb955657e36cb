#include "platform/Filedialogs.h"

namespace {

class CancellingDialogs : public IFileDialogs {
public:
    std::vector<std::string> OpenFiles(const std::string&, const std::string&, bool) override
    {
        return {};
    }
    std::string SaveFile(const std::string&, const std::string&, const std::string&) override
    {
        return "";
    }
};

CancellingDialogs cancelling;
IFileDialogs* bound = nullptr;

}  // namespace

IFileDialogs& FileDialogs()
{
    return bound ? *bound : cancelling;
}

void SetFileDialogs(IFileDialogs* dialogs)
{
    bound = dialogs;
}
