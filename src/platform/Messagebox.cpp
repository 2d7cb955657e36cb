#include "platform/Messagebox.h"

#include <cstdio>

namespace {

// Prints every message on standard error and takes the safe answer:
// No for a question, Cancel when it may be cancelled.
class StderrMessageService : public IMessageService {
public:
    TMsgAnswer Show(const std::string& text, const std::string& caption, TMsgIcon,
                    TMsgButtons buttons) override
    {
        if (caption.empty()) std::fprintf(stderr, "%s\n", text.c_str());
        else std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        switch (buttons) {
        case TMsgButtons::Ok: return TMsgAnswer::Ok;
        case TMsgButtons::YesNo: return TMsgAnswer::No;
        case TMsgButtons::YesNoCancel: return TMsgAnswer::Cancel;
        }
        return TMsgAnswer::Ok;
    }
};

StderrMessageService stderrService;
IMessageService* bound = nullptr;

}

IMessageService& Messages()
{
    return bound ? *bound : stderrService;
}

void SetMessageService(IMessageService* service)
{
    bound = service;
}

void ShowWarning(const std::string& text)
{
    Messages().Show(text, "警告", TMsgIcon::Warning, TMsgButtons::Ok);
}

void ShowPlain(const std::string& text)
{
    Messages().Show(text, "", TMsgIcon::None, TMsgButtons::Ok);
}

void ShowInformation(const std::string& text)
{
    Messages().Show(text, "提示", TMsgIcon::Information, TMsgButtons::Ok);
}

TMsgAnswer AskYesNo(const std::string& text, const std::string& caption)
{
    return Messages().Show(text, caption, TMsgIcon::Question, TMsgButtons::YesNo);
}
