#include "common/program_folder.h"
#include "common/testing/scoped_variable.h"
#include "common/testing/temp_folder.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace ProgramFolder = common::ProgramFolder;
using common::testing::ScopedVariable;
using common::testing::TempFolder;

TEST(ProgramFolder, SiblingNamesCannotCollideWithOtherPrograms) {
    EXPECT_STREQ(ProgramFolder::Peek, "dravik-peek");
    EXPECT_STREQ(ProgramFolder::Splitter, "dravik-splitter");
}

TEST(ProgramFolder, ASiblingMissingBesideTheProgramIsStartedByItsName) {
    EXPECT_EQ(ProgramFolder::siblingProgram("dravik-no-such-sibling"), "dravik-no-such-sibling");
}

TEST(ProgramFolder, ASiblingBesideTheProgramIsStartedFromThere) {
    const QString self = QCoreApplication::applicationFilePath();
    const QString name = self.section(u'/', -1);
    EXPECT_EQ(ProgramFolder::siblingProgram(name), self);
}

TEST(ProgramFolder, TheVariableChoosesTheFolderAndItIsMade) {
    const TempFolder temp;
    const auto wanted = temp / "made" / "here";
    const ScopedVariable dir("DRAVIK_PROGRAM_DIR", wanted.c_str());
    EXPECT_EQ(ProgramFolder::locate(), wanted);
    EXPECT_TRUE(std::filesystem::is_directory(wanted));
}

TEST(ProgramFolder, ABuildFolderShipsNothing) {
    EXPECT_FALSE(ProgramFolder::shippedFolder().has_value());
}
