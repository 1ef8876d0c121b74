#pragma once
// Prints the results of a run in page order while they arrive in any order, keeps
// the progress line on a terminal's standard error, and tells whether every page
// succeeded.

#include "batch/batch_options.h"
#include "batch/page_result.h"

#include <cstdio>
#include <optional>
#include <vector>

namespace lumora::batch {

class ResultSink {
public:
    ResultSink(const Options& options, size_t pages, std::FILE* out, std::FILE* err,
               bool showProgress);

    void add(size_t index, PageResult result);
    // Clears the progress line; every page must have been added.
    void finish();
    bool allSucceeded() const { return allSucceeded_; }

private:
    void print(const PageResult& result);
    void clearProgress();
    void drawProgress();

    const Options& options_;
    std::vector<std::optional<PageResult>> waiting_;
    size_t nextToPrint_ = 0;
    size_t done_ = 0;
    std::FILE* out_;
    std::FILE* err_;
    bool showProgress_;
    bool progressShown_ = false;
    bool allSucceeded_ = true;
};

} // namespace lumora::batch
