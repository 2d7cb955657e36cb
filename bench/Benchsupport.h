#pragma once

// What every benchmark needs around the code it measures.

#include <string>

#include "platform/Messagebox.h"

// Answers every message box with OK, so a refusal never waits for a user.
inline void SilenceMessages()
{
    class TQuietMessages : public IMessageService {
    public:
        TMsgAnswer Show(const std::string&, const std::string&, TMsgIcon, TMsgButtons) override
        {
            return TMsgAnswer::Ok;
        }
    };
    static TQuietMessages quiet;
    SetMessageService(&quiet);
}

#ifdef ARROWPLAN_BENCH_UI
#include <QGuiApplication>

#include "platform/qt/Qtcanvas.h"

// One offscreen application for the benchmarks that paint through Qt.
inline void EnsureBenchGui()
{
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "arrowplan-bench";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);   // lives as long as the program
    InstallFontSubstitutions();
}
#endif
