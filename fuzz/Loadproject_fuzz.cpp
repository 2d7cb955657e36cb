#include <cstddef>
#include <cstdint>
#include <vector>

#include "file/Projectfile.h"
#include "model/Pertgra.h"
#include "platform/Messagebox.h"

// Feeds arbitrary bytes to the project file reader. Whatever it accepts must
// also be written and read again, and a second write must give the same bytes.

namespace {

class TQuietMessages : public IMessageService {
public:
    TMsgAnswer Show(const std::string&, const std::string&, TMsgIcon, TMsgButtons buttons) override
    {
        return buttons == TMsgButtons::Ok ? TMsgAnswer::Ok : TMsgAnswer::No;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static TQuietMessages quiet;
    SetMessageService(&quiet);
    Tpertgra net;
    if (ReadProjectBytes(net, data, size, "fuzz.prt") != 1) return 0;
    const std::vector<uint8_t> first = WriteProjectBytes(net);
    Tpertgra again;
    if (ReadProjectBytes(again, first.data(), first.size(), "fuzz.prt") != 1) return 0;
    if (WriteProjectBytes(again) != first) __builtin_trap();
    return 0;
}
