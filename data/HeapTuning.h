#pragma once

// Sets the C library's allocator for a program whose memory is mostly one
// workspace tree of many small records, built at once and freed at once.
// Called first thing in main, by the program and by its benchmarks alike.
void TuneHeapForWorkspaces();
