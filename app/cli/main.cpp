#include <iostream>
#include <string>
#include <vector>

#include "file/Projectinfo.h"
#include "platform/Memory.h"
#ifdef ARROWPLAN_CLI_PICTURES
#include "drawing/Pictureexportfm.h"
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
    return RunProjectCli(args, std::cout, std::cerr, writePicture);
}
