// How the programs set up the C library's heap for the largest outputs.
#pragma once

namespace brendax {

// The largest blocks are a hundred thousand and more line strings, made and
// freed on every run. By default the C library hands the freed top of the
// heap back to the system after a run and takes it again page by page on
// the next, which costs several times the generating itself. This keeps up
// to 64 MB of freed memory for reuse. Call it once at start-up; it does
// nothing where the C library has no such setting.
void TuneHeapForLargeOutputs();

}  // namespace brendax
