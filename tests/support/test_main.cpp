#include "isolated_environment.h"
#include "unused_script_check.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    lumora::testing::failTestsOnUnusedScripts();
    ::testing::AddGlobalTestEnvironment(new lumora::testing::IsolatedEnvironment);
    return RUN_ALL_TESTS();
}
