#pragma once
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "editing/Desktopfixtures.h"
#include "platform/Filedialogs.h"
#include "platform/Filetypes.h"
#include "platform/Timer.h"
#include "platform/qt/Qtcanvas.h"

// The application of the window tests: made by the first test that needs it,
// ended after the last.
class TDesktopAppEnvironment : public ::testing::Environment {
public:
    void TearDown() override
    {
        delete owned;
        owned = nullptr;
    }
    static inline QApplication* owned = nullptr;
};

inline void EnsureDesktopApp()
{
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "arrowplan_gui_tests";
    static char* argv[] = {name, nullptr};
    static ::testing::Environment* const env =
        ::testing::AddGlobalTestEnvironment(new TDesktopAppEnvironment);
    (void)env;
    TDesktopAppEnvironment::owned = new QApplication(argc, argv);
    InstallFontSubstitutions();
}

// Open and save dialogs that answer from queues and record what they were asked.
class TFakeFileDialogs : public IFileDialogs {
public:
    TFakeFileDialogs() { SetFileDialogs(this); }
    ~TFakeFileDialogs() override { SetFileDialogs(nullptr); }
    std::vector<std::string> OpenFiles(const std::string& folder, const std::string& filter,
                                       bool multiple) override
    {
        opened.push_back({folder, filter, multiple});
        if (openAnswers.empty()) return {};
        auto a = openAnswers.front();
        openAnswers.pop_front();
        return a;
    }
    std::string SaveFile(const std::string& folder, const std::string& filter,
                         const std::string& ext) override
    {
        saved.push_back({folder, filter, ext});
        if (saveAnswers.empty()) return "";
        std::string a = saveAnswers.front();
        saveAnswers.pop_front();
        return a;
    }
    struct TAsked {
        std::string folder, filter, extension;
    };
    struct TOpenAsked {
        std::string folder, filter;
        bool multiple;
    };
    std::deque<std::vector<std::string>> openAnswers;
    std::deque<std::string> saveAnswers;
    std::vector<TOpenAsked> opened;
    std::vector<TAsked> saved;
};

// A file-type registry that only records.
class TFakeFileTypes : public IFileTypeRegistry {
public:
    TFakeFileTypes() { SetFileTypes(this); }
    ~TFakeFileTypes() override { SetFileTypes(nullptr); }
    bool RegisterFileType(const std::string& ext, const std::string& desc, const std::string&,
                          const std::string&) override
    {
        calls.push_back(ext + "|" + desc);
        return true;
    }
    std::vector<std::string> calls;
};

// Timers the test fires by hand; the factory keeps every timer it made.
class TManualTimers {
public:
    TTimerFactory Factory()
    {
        return [this] {
            auto t = std::make_unique<TManualTimer>();
            made.push_back(t.get());
            return t;
        };
    }
    std::vector<TManualTimer*> made;
};

// Runs f on the modal dialog of type D as soon as it is shown.
template <class D>
void WhenModal(std::function<void(D&)> f)
{
    auto* poll = new QTimer;
    poll->setInterval(5);
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, f, tries] {
        auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
        if (d || ++*tries > 400) {
            poll->stop();
            poll->deleteLater();
        }
        if (d) f(*d);
    });
    poll->start();
}
