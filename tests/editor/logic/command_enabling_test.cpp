#include "editor/logic/command_enabling.h"
#include "editor/logic/undo_toggle.h"

#include <gtest/gtest.h>

using namespace lumora::editor;

TEST(CommandEnabling, ContextMenuFollowsSelectionAndClipboard) {
    EXPECT_EQ(contextMenuEnabling(true, true),
              (ContextMenuEnabling{true, false, false, true, true}));
    EXPECT_EQ(contextMenuEnabling(true, false),
              (ContextMenuEnabling{true, false, false, false, true}));
    EXPECT_EQ(contextMenuEnabling(false, false),
              (ContextMenuEnabling{true, true, true, false, true}));
}

TEST(CommandEnabling, PreviewOnLeavesOnlyPreviewOff) {
    PreviewEnabling onlyOff;
    onlyOff.PreviewOff1 = true;
    EXPECT_EQ(enablingWithPreviewOn(), onlyOff);
}

TEST(CommandEnabling, PreviewOffKeepsManualStepsAwayInAutomaticMode) {
    const PreviewEnabling automatic = enablingWithPreviewOff(true);
    const PreviewEnabling manual = enablingWithPreviewOff(false);
    for (const PreviewEnabling* enabling : {&automatic, &manual}) {
        EXPECT_TRUE(enabling->PreviwOn1);
        EXPECT_FALSE(enabling->PreviewOff1);
        EXPECT_TRUE(enabling->BitBtn1FullAuto && enabling->RecentFiles1 && enabling->New2 &&
                    enabling->Open2 && enabling->Save2 && enabling->SaveAs2 && enabling->Undo1 &&
                    enabling->Utiltes1);
    }
    EXPECT_FALSE(automatic.Button5 || automatic.SpeedButton1 || automatic.Button6);
    EXPECT_TRUE(manual.Button5 && manual.SpeedButton1 && manual.Button6);
}

TEST(UndoToggle, UndoTwiceRestoresAndAnEditStartsOver) {
    UndoToggle toggle;
    EXPECT_EQ(toggle.nextStep(), UndoToggle::Step::Undo);
    EXPECT_EQ(toggle.nextStep(), UndoToggle::Step::Redo);
    EXPECT_EQ(toggle.nextStep(), UndoToggle::Step::Undo);
    toggle.textChanged();
    EXPECT_EQ(toggle.nextStep(), UndoToggle::Step::Undo);
}
