// lumora-batch: Lumora's commands for many pages, without a window.

#include "batch/batch_run.h"

int main(int argc, char** argv) {
    return lumora::batch::runBatch(argc, argv);
}
