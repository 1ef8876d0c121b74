// Runs the scan's tests through one chosen block pass when LUMORA_TEST_BLOCK_PASS
// names it, so every pass is tested whatever the machine would pick by itself.

#include "keywords/word_breaks.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

namespace {

using lumora::keywords::BlockPass;

class BlockPassEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        const char* name = std::getenv("LUMORA_TEST_BLOCK_PASS");
        if (!name)
            return;
        static const std::map<std::string, BlockPass> kPasses = {{"bytewise", BlockPass::Bytewise},
                                                                 {"lanes16", BlockPass::Lanes16},
                                                                 {"lanes32", BlockPass::Lanes32}};
        const auto found = kPasses.find(name);
        ASSERT_NE(found, kPasses.end()) << "unknown block pass " << name;
        if (!lumora::keywords::forceBlockPass(found->second))
            GTEST_SKIP() << "this machine has no " << name << " block pass";
    }
    void TearDown() override { lumora::keywords::forceBlockPass(std::nullopt); }
};

[[maybe_unused]] auto* const registered =
    ::testing::AddGlobalTestEnvironment(new BlockPassEnvironment);

} // namespace
