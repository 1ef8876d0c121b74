#include "isolated_environment.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new lumora::testing::IsolatedEnvironment);
    return RUN_ALL_TESTS();
}
