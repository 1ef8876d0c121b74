#pragma once
// Gives the whole test process a private HOME, XDG directories and TMPDIR, so no
// test can touch the developer's own files or shared temporary names.

#include <gtest/gtest.h>

namespace lumora::testing {

class IsolatedEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

private:
    std::string root_;
};

} // namespace lumora::testing
