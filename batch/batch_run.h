#pragma once
// lumora-batch as a whole: reads the command line, finds the pages, works on them in
// this process or in worker processes, prints the results. Returns the exit status.

namespace lumora::batch {

int runBatch(int argc, char** argv);

} // namespace lumora::batch
