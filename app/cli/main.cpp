#include <iostream>
#include <string>
#include <vector>

#include "file/Projectinfo.h"
#include "platform/Memory.h"

// The headless program: reads, reports on and converts project files. All
// of its logic lives in the core library; messages of the model go to
// standard error through the default message service.
int main(int argc, char** argv)
{
    TuneAllocatorForLargePlans();
    std::vector<std::string> args(argv + 1, argv + argc);
    return RunProjectCli(args, std::cout, std::cerr);
}
