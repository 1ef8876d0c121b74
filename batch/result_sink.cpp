#include "result_sink.h"

namespace lumora::batch {

ResultSink::ResultSink(const Options& options, size_t pages, std::FILE* out, std::FILE* err,
                       bool showProgress)
    : options_(options), waiting_(pages), out_(out), err_(err), showProgress_(showProgress) {}

void ResultSink::add(size_t index, PageResult result) {
    if (result.status != PageStatus::Ok)
        allSucceeded_ = false;
    ++done_;
    waiting_.at(index) = std::move(result);
    clearProgress();
    while (nextToPrint_ < waiting_.size() && waiting_[nextToPrint_]) {
        print(*waiting_[nextToPrint_]);
        // Printed results are not needed again; a large run keeps only the waiting ones.
        waiting_[nextToPrint_].reset();
        ++nextToPrint_;
    }
    std::fflush(out_);
    drawProgress();
}

void ResultSink::print(const PageResult& result) {
    if (result.status == PageStatus::Error)
        std::fputs(errorLine(result).c_str(), err_);
    const std::string text = options_.json                        ? formatJson(result, options_)
                             : result.status == PageStatus::Error ? std::string()
                                                                  : formatText(result, options_);
    std::fwrite(text.data(), 1, text.size(), out_);
}

void ResultSink::clearProgress() {
    if (progressShown_) {
        std::fputs("\r\033[K", err_);
        progressShown_ = false;
    }
}

void ResultSink::drawProgress() {
    if (!showProgress_ || done_ == waiting_.size())
        return;
    std::fprintf(err_, "lumora-batch: %zu of %zu pages done", done_, waiting_.size());
    std::fflush(err_);
    progressShown_ = true;
}

void ResultSink::finish() {
    clearProgress();
    std::fflush(out_);
    std::fflush(err_);
}

} // namespace lumora::batch
