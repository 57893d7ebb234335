#pragma once

// Sets the C library's allocator for a program whose memory is mostly one
// workspace tree of many small records, built at once and freed at once.
// Called by the program once its window is drawn, and by its benchmarks
// before they start.
void TuneHeapForWorkspaces();
