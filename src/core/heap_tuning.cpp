#include "core/heap_tuning.h"

#include <cstdlib>  // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace brendax {

void TuneHeapForLargeOutputs() {
#if defined(__GLIBC__)
  // A fixed trim threshold also ends the threshold's growth after every
  // large free, so the sizes below stay as set.
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
#endif
}

}  // namespace brendax
