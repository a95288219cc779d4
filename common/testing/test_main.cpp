// The main of every test program: a QApplication on the offscreen platform, and every folder the
// program could touch (home, settings, program folder, runtime folder) pointed at a private
// temporary folder, so tests never touch the user's files.
#include "common/testing/temp_folder.h"

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const common::testing::TempFolder sandbox("dravik-tests");
    const std::filesystem::path root = sandbox.path();
    for (const char* sub : {"home", "settings", "program", "runtime"})
        std::filesystem::create_directories(root / sub);
    ::chmod((root / "runtime").c_str(), 0700);
    setenv("HOME", (root / "home").c_str(), 1);
    setenv("DRAVIK_SETTINGS_DIR", (root / "settings").c_str(), 1);
    setenv("DRAVIK_PROGRAM_DIR", (root / "program").c_str(), 1);
    setenv("DRAVIK_DRIVE_C", (root / "home").c_str(), 1);
    if (!std::getenv("XDG_RUNTIME_DIR"))
        setenv("XDG_RUNTIME_DIR", (root / "runtime").c_str(), 1);
    unsetenv("DRAVIK_CODEPAGE");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
