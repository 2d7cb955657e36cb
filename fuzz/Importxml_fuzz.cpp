#include <cstddef>
#include <cstdint>
#include <string>

#include "interchange/Projectxml.h"
#include "interchange/Projectxmlimport.h"
#include "model/Pertgra.h"

// Feeds arbitrary bytes to the interchange XML importer. Whatever it
// accepts must export and import again.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TXmlImport r = ImportProjectXml(std::string(reinterpret_cast<const char*>(data), size));
    if (!r.net) {
        if (r.problem.empty()) __builtin_trap();
        return 0;
    }
    const TXmlImport again = ImportProjectXml(ProjectXml(*r.net));
    if (!again.net) __builtin_trap();
    return 0;
}
