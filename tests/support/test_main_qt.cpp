#include "isolated_environment.h"
#include "unused_script_check.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    lumora::testing::failTestsOnUnusedScripts();
    // The environment must be private before Qt reads HOME or XDG variables.
    auto* environment = new lumora::testing::IsolatedEnvironment;
    environment->SetUp();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const int result = RUN_ALL_TESTS();
    environment->TearDown();
    delete environment;
    return result;
}
