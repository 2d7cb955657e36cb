#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Messagebox.h"

// Records every message and answers from a queue (OK / the first button when empty).
// Binds itself for its lifetime.
class TFakeMessages : public IMessageService {
public:
    struct Shown {
        std::string text;
        std::string caption;
        TMsgIcon icon;
        TMsgButtons buttons;
    };

    TFakeMessages() { SetMessageService(this); }
    ~TFakeMessages() override { SetMessageService(nullptr); }

    TMsgAnswer Show(const std::string& text, const std::string& caption, TMsgIcon icon,
                    TMsgButtons buttons) override
    {
        shown.push_back({text, caption, icon, buttons});
        if (onShow) onShow(shown.back());
        if (!answers.empty()) {
            TMsgAnswer a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == TMsgButtons::Ok ? TMsgAnswer::Ok : TMsgAnswer::Yes;
    }

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> t;
        for (const auto& s : shown) t.push_back(s.text);
        return t;
    }

    std::vector<Shown> shown;
    std::deque<TMsgAnswer> answers;
    // Called as each message is shown, to look at the screen at that moment.
    std::function<void(const Shown&)> onShow;
};
