#include <iostream>
#include <string>
#include <vector>

#include "platform/Memory.h"
#include "shell/Printnetwork.h"
#include "shell/Projectinfo.h"
#ifdef ARROWPLAN_CLI_PICTURES
#include "platform/qt/Qtprinter.h"
#include "shell/Pictureexportfm.h"
#endif

// The headless program: reads, reports on, converts and draws project files.
// All of its logic lives in the core library; messages of the model go to
// standard error through the default message service. Pictures come from
// the Qt library when the program is built with it; they need no display.
int main(int argc, char** argv)
{
    TuneAllocatorForLargePlans();
    std::vector<std::string> args(argv + 1, argv + argc);
    TPictureWriter writePicture;
#ifdef ARROWPLAN_CLI_PICTURES
    writePicture = [](Tpertgra& net, const std::string& path, bool printPalette, double scale,
                      std::string& problem) {
        return ExportPicture(net, path,
                             printPalette ? TPicturePalette::Print : TPicturePalette::Screen,
                             scale, &problem);
    };
#endif
    if (!args.empty() && args[0] == "print") {
        TPdfPrinterMaker pdfPrinter;
#ifdef ARROWPLAN_CLI_PICTURES
        pdfPrinter = [](const std::string& path) -> std::unique_ptr<IPrinter> {
            return std::make_unique<TQtPrinter>(path);
        };
        int status = 1;
        if (!WithPictureGui([&] { status = RunPrintCli(args, std::cout, std::cerr, pdfPrinter); })) {
            std::cerr << "arrowplan-cli: printing needs a graphical Qt application\n";
            return 1;
        }
        return status;
#else
        return RunPrintCli(args, std::cout, std::cerr, pdfPrinter);
#endif
    }
    return RunProjectCli(args, std::cout, std::cerr, writePicture);
}
