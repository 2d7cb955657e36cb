#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "file/Projectfile.h"
#include "model/Pertgra.h"
#include "platform/Messagebox.h"

// Feeds arbitrary bytes to the project file reader: once as they are, and
// once with the trailer set to their length, so that mutations get past the
// length check into the records. Whatever the reader accepts must be written
// and read again, and a second write must give the same bytes.

namespace {

class TQuietMessages : public IMessageService {
public:
    TMsgAnswer Show(const std::string&, const std::string&, TMsgIcon, TMsgButtons buttons) override
    {
        return buttons == TMsgButtons::Ok ? TMsgAnswer::Ok : TMsgAnswer::No;
    }
};

void ReadAndRewrite(const uint8_t* data, size_t size)
{
    Tpertgra net;
    if (ReadProjectBytes(net, data, size, "fuzz.prt") != 1) return;
    const std::vector<uint8_t> first = WriteProjectBytes(net);
    Tpertgra again;
    // What we wrote must open again: a refusal here is a file the user saved
    // and cannot open.
    if (ReadProjectBytes(again, first.data(), first.size(), "fuzz.prt") != 1) __builtin_trap();
    if (WriteProjectBytes(again) != first) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static TQuietMessages quiet;
    SetMessageService(&quiet);
    ReadAndRewrite(data, size);
    if (size >= 4) {
        std::vector<uint8_t> fixed(data, data + size);
        const auto n = uint32_t(size);
        for (int i = 0; i < 4; ++i) fixed[size - 4 + size_t(i)] = uint8_t(n >> (8 * i));
        ReadAndRewrite(fixed.data(), fixed.size());
    }
    return 0;
}
