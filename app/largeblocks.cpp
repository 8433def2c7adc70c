#include "app/largeblocks.h"

#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

void giveLargeBlocksBack()
{
#if defined(__GLIBC__)
    // Setting the bound also keeps it where it is set.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}
