#include "data/HeapTuning.h"

#include <cstddef> // which names the C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void TuneHeapForWorkspaces() {
#if defined(__GLIBC__)
    // glibc's defaults are made for long-lived mixes of sizes, and cost a
    // tree's load dearly:
    // - Freed small blocks wait in "fast" lists until a larger request
    //   merges them all at once: the first such request of a load (a class's
    //   subject list, say) then pays for every record of the tree freed
    //   before it. Without these lists a block is merged when freed, when
    //   the tree is released.
    // - A freed tree leaves a large free end of the heap, which glibc gives
    //   back to the system as soon as it passes 128 KB; the next load then
    //   takes every page back from the system, one fault at a time. The end
    //   is kept, up to 1 GB, for the next tree.
    // - Setting that bound stops glibc from raising by itself the size from
    //   which a block gets a mapping of its own: its highest value is set
    //   here, so that a save's parts, say, are not mapped and faulted in
    //   again and again.
    constexpr int kKeptFreeEnd = 1 << 30;
    constexpr int kOwnMapping = 32 << 20;
    mallopt(M_MXFAST, 0);
    mallopt(M_TRIM_THRESHOLD, kKeptFreeEnd);
    mallopt(M_MMAP_THRESHOLD, kOwnMapping);
#endif
}
