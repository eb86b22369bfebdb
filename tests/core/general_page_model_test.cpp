#include "core/general_page_model.h"
#include "core/layout/captions.h"
#include "fixtures/temp_dir.h"

#include <gtest/gtest.h>

using namespace tavrix;
using namespace tavrix::test;

TEST(GeneralPageModel, CancelReadsTheKeysAndSaveWritesThemInOrder) {
    TempDir dir;
    writeFile("tavrix.ini", "[Tavrix]\r\nshow-all-columns=1\r\nsorting-type=12\r\n");
    GeneralPageModel page;
    page.B05Click();
    EXPECT_EQ(page.romsDirectory(), ".\\roms");
    EXPECT_TRUE(!page.startupScan && !page.showFullRomset && page.showAllColumns && page.ascending);
    EXPECT_EQ(page.sortChoice, 2);

    page.pathText = "D:\\romsets\\", page.startupScan = true;
    page.B07Click(1, false);
    EXPECT_EQ(readFile("tavrix.ini"), "[Tavrix]\r\nshow-all-columns=1\r\nsorting-type=1\r\n"
                                      "roms-directory=D:\\romsets\\\r\nstartup-scan=1\r\nshow-full-romset=0\r\n\r\n");

    // A choice outside the group leaves the group as it was.
    writeFile("tavrix.ini", "[Tavrix]\r\nsorting-type=17\r\n");
    page.B05Click();
    EXPECT_TRUE(page.sortChoice == 2 && page.ascending);
}

TEST(GeneralPageModel, AChosenFolderReplacesThePathAndACancelledDialogLeavesIt) {
    GeneralPageModel page;
    page.pathText = ".\\roms";
    EXPECT_FALSE(page.B01Click(""));
    EXPECT_EQ(page.pathText, ".\\roms");
    EXPECT_TRUE(page.B01Click("/data/romsets"));
    EXPECT_EQ(page.romsDirectory(), "/data/romsets");
    EXPECT_STREQ(folderPrompt().in(true), "Select rom path:");
}
