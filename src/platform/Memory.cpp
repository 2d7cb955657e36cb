#include "platform/Memory.h"

#include <cstdlib>   // defines __GLIBC__ on glibc systems

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void TuneAllocatorForLargePlans()
{
#if defined(__GLIBC__)
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_TOP_PAD, 64 * 1024 * 1024);
#endif
}
