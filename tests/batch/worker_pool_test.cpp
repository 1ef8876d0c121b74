#include "batch/worker_pool.h"

#include <gtest/gtest.h>

#include <map>

using namespace lumora::batch;

namespace {

std::map<size_t, PageResult> runAll(const std::string& script, size_t pages, int workers) {
    std::vector<PageRequest> requests;
    for (size_t i = 0; i < pages; ++i)
        requests.push_back({i * 10, "page" + std::to_string(i) + ".htm", ""});
    std::map<size_t, PageResult> results;
    runOnWorkers({"/bin/sh", {"-c", script}}, requests, workers,
                 [&](size_t index, PageResult result) {
                     EXPECT_TRUE(results.emplace(index, std::move(result)).second) << index;
                 });
    return results;
}

} // namespace

TEST(WorkerPool, AWorkerThatDiesTakesOnlyItsPageAndOthersCarryOn) {
    const auto results = runAll("exit 3", 5, 2);
    ASSERT_EQ(results.size(), 5u);
    for (const auto& [index, result] : results) {
        EXPECT_EQ(result.status, PageStatus::Error);
        EXPECT_EQ(result.path, "page" + std::to_string(index / 10) + ".htm");
        EXPECT_NE(result.reason.find("exit status 3"), std::string::npos) << result.reason;
    }
}

TEST(WorkerPool, AWorkerThatAnswersGarbageIsStopped) {
    // Reads its page, answers nonsense, then would wait for ever.
    const auto results = runAll("read line; echo 'not a record'; exec sleep 60", 2, 1);
    ASSERT_EQ(results.size(), 2u);
    for (const auto& [index, result] : results) {
        EXPECT_EQ(result.status, PageStatus::Error);
        EXPECT_NE(result.reason.find("signal 9"), std::string::npos) << result.reason;
    }
}

TEST(WorkerPool, AProgramThatCannotStartIsReported) {
    std::vector<PageRequest> requests{{0, "a.htm", ""}};
    EXPECT_THROW(
        runOnWorkers({"/nonexistent/lumora-batch", {}}, requests, 2, [](size_t, PageResult) {}),
        std::runtime_error);
}
