#pragma once
#include <string>

// The message-box service. Logic never opens a window: it asks this service,
// which the desktop program binds to real dialogs, the command-line program
// to standard error, and tests to a scripted fake.
enum class TMsgIcon { None, Warning, Information, Question };
enum class TMsgButtons { Ok, YesNo, YesNoCancel };
enum class TMsgAnswer { Ok, Yes, No, Cancel };

class IMessageService {
public:
    virtual ~IMessageService() = default;
    virtual TMsgAnswer Show(const std::string& text, const std::string& caption, TMsgIcon icon,
                            TMsgButtons buttons) = 0;
};

// The bound service; without a binding messages go to standard error.
IMessageService& Messages();
// Binds a service (not owned); null restores the standard-error service.
void SetMessageService(IMessageService* service);

// The usual shapes of the messages.
// "警告" with the warning icon and OK.
void ShowWarning(const std::string& text);
// No caption, no icon, OK ("网络图不能有回路", "文件格式不对或已被破坏！").
void ShowPlain(const std::string& text);
// "提示" with the information icon and OK.
void ShowInformation(const std::string& text);
// A Yes/No question with the question icon.
TMsgAnswer AskYesNo(const std::string& text, const std::string& caption);
