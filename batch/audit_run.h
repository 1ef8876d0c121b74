#pragma once
// The audit command: reads every page (in -j threads; no window is involved), prints
// the summary or the JSON lines, and tells the exit status.

#include "batch/batch_options.h"

#include <cstdio>

namespace lumora::batch {

// 0, or 1 when a page could not be read or a finding named by --fail-on occurred.
int runAudit(const Options& options, int jobs, std::FILE* out, std::FILE* err);

} // namespace lumora::batch
