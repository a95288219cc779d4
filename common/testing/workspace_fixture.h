#pragma once

#include "common/drive_table.h"
#include "common/testing/scoped_variable.h"
#include "common/testing/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace common::testing {

// A private workspace for one test: data, program, settings and home folders and a disc folder,
// with the DRAVIK_* variables pointed at them, so a program under test finds only these.
class WorkspaceFixture : public ::testing::Test {
protected:
    TempFolder root;
    std::filesystem::path data = root.makeFolder("data");
    std::filesystem::path program = root.makeFolder("program");
    std::filesystem::path settings = root.makeFolder("settings");
    std::filesystem::path home = root.makeFolder("home");
    std::filesystem::path disc = root.makeFolder("disc");

    // C is the home folder, E the disc.
    common::DriveTable drives() const {
        common::DriveTable table;
        table.set('C', home.string());
        table.set('E', disc.string());
        return table;
    }

private:
    ScopedVariable settingsVariable_{"DRAVIK_SETTINGS_DIR", settings.c_str()};
    ScopedVariable programVariable_{"DRAVIK_PROGRAM_DIR", program.c_str()};
    ScopedVariable driveC_{"DRAVIK_DRIVE_C", home.c_str()};
    ScopedVariable driveE_{"DRAVIK_DRIVE_E", disc.c_str()};
};

} // namespace common::testing
