#include "common/item_reader.h"
#include "common/process_starter.h"
#include "common/testing/recording_program.h"
#include "common/testing/temp_folder.h"
#include "dravik/catalogue/file_list_entry.h"
#include "dravik/launch/association_table.h"
#include "dravik/launch/launcher.h"

#include <QThread>

#include <gtest/gtest.h>

#include <filesystem>

using common::testing::RecordingProgram;
using common::testing::TempFolder;
namespace catalogue = dravik::catalogue;
using dravik::launch::AssociationTable;
using dravik::launch::Launcher;

namespace {

void makeExecutable(const std::filesystem::path& file) {
    std::filesystem::permissions(file, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
}

class Launching : public ::testing::Test {
protected:
    TempFolder root;
    std::filesystem::path disc = root.makeFolder("disc");
    std::filesystem::path program = root.makeFolder("program");
    Launcher launcher{disc.string() + "/", program};
    QString discPath(const std::string& name) const {
        return QString::fromStdString((disc / name).string());
    }
};

} // namespace

TEST(AssociationTableTest, TheFirstLinkOfAnExtensionWinsWithoutRegardToCase) {
    const QStringList links = {"mp3 /usr/bin/player", "TXT /usr/bin/first", "txt /usr/bin/other"};
    EXPECT_EQ(AssociationTable::programFor(links, "txt"), "/usr/bin/first");
    EXPECT_EQ(AssociationTable::programFor(links, "Mp3"), "/usr/bin/player");
    EXPECT_FALSE(AssociationTable::programFor(links, "doc"));
    EXPECT_FALSE(AssociationTable::programFor(links, ""));
    // A short key is filled, so the program still starts at the fifth character.
    EXPECT_EQ(AssociationTable::line("js", "/usr/bin/node"), "js  /usr/bin/node");
    EXPECT_EQ(AssociationTable::programFor({AssociationTable::line("js", "/usr/bin/node")}, "JS"),
              "/usr/bin/node");
    EXPECT_TRUE(AssociationTable::hasExtension({"TXT", "mp3"}, "Txt"));
    EXPECT_FALSE(AssociationTable::hasExtension({"TXT"}, "doc"));
}

TEST(AssociationTableTest, EditsRewriteBothFilesAndAppendsAddOneLine) {
    TempFolder data;
    data.write("DK.soc", "txt /old\r\n");
    const AssociationTable table(data.path());
    table.appendLine("mp3 /usr/bin/player");
    EXPECT_EQ(TempFolder::read(data / "DK.soc"), "txt /old\r\nmp3 /usr/bin/player\r\n");
    table.saveLines({"txt /usr/bin/ed", "doc /opt/a,b/writer"});
    EXPECT_EQ(TempFolder::read(data / "DK.mmd"), "txt /usr/bin/ed\r\ndoc /opt/a,b/writer\r\n");
    // A line with a comma goes in quotes, so the start-up's item reading gets it back whole.
    EXPECT_EQ(TempFolder::read(data / "DK.soc"), "txt /usr/bin/ed\r\n\"doc /opt/a,b/writer\"\r\n");
    table.appendExtension("mp3");
    EXPECT_EQ(TempFolder::read(data / "DK.EXL"), "mp3\r\n");
}

TEST(AssociationTableTest, EveryLineIsWrittenSoItReadsBackAsOneEntry) {
    TempFolder data;
    const AssociationTable table(data.path());
    const QStringList lines = {"jpg /opt/Foo, Inc/bin/viewer", "txt /usr/bin/ed",
                               "doc /ends/in/blank "};
    for (const QString& l : lines)
        table.appendLine(l);
    EXPECT_EQ(TempFolder::read(data / "DK.soc"),
              "\"jpg /opt/Foo, Inc/bin/viewer\"\r\ntxt /usr/bin/ed\r\n"
              "\"doc /ends/in/blank \"\r\n");
    const auto read = common::ItemReader::readAll(data / "DK.soc");
    ASSERT_EQ(read.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(QString::fromStdString(read[i]), lines[i]);
    table.saveLines(lines);
    EXPECT_EQ(TempFolder::read(data / "DK.soc"),
              "\"jpg /opt/Foo, Inc/bin/viewer\"\r\ntxt /usr/bin/ed\r\n"
              "\"doc /ends/in/blank \"\r\n");
}

TEST_F(Launching, ProgramsOfThisSystemWithoutALinkStartThemselves) {
    for (const char* name : {"SETUP.EXE", "setup.exe", "Setup.Exe", "tool"}) {
        makeExecutable(root.write(std::string("disc/") + name, std::string("\x7f") + "ELF\2\1"));
        const QString entry = catalogue::FileListEntry::of(QString::fromLatin1(name));
        const auto plan = launcher.plan(entry, {"txt /bin/true"});
        ASSERT_TRUE(plan) << name;
        EXPECT_EQ(plan->program, discPath(name));
        EXPECT_TRUE(plan->arguments.isEmpty());
        EXPECT_EQ(plan->commandLine, discPath(name));
    }
    makeExecutable(root.write("disc/run.sh", "#!/bin/sh\n"));
    EXPECT_EQ(launcher.plan("run.sh", {})->program, discPath("run.sh"));
    // Not marked executable, or not a program here (a Windows program): nothing starts.
    root.write("disc/plain", "#!/bin/sh\n");
    EXPECT_FALSE(launcher.plan("plain", {}));
    makeExecutable(root.write("disc/win.exe", "MZ\x90"));
    EXPECT_FALSE(launcher.plan("exe win.exe", {}));
}

// Media written on Windows are mounted with every file marked executable.
TEST_F(Launching, AFileMarkedExecutableOpensWithItsAssociation) {
    const auto viewer = root.write("viewer", "#!/bin/sh\n");
    makeExecutable(viewer);
    const QString program = QString::fromStdString(viewer.string());
    makeExecutable(root.write("disc/photo.jpg", "\xff\xd8\xff\xe0"));
    const auto plan = launcher.plan("jpg photo.jpg", {"JPG " + program});
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->program, program);
    EXPECT_EQ(plan->arguments, QStringList{discPath("photo.jpg")});
    EXPECT_FALSE(launcher.plan("jpg photo.jpg", {})); // not a program: no association
    // Even a program here opens with the program its extension is linked to.
    makeExecutable(root.write("disc/edit.sh", "#!/bin/sh\n"));
    EXPECT_EQ(launcher.plan("edit.sh", {"sh  " + program})->program, program);
    makeExecutable(root.write("disc/setup.exe", "#!/bin/sh\n"));
    EXPECT_EQ(launcher.plan("exe setup.exe", {"exe " + program})->program, program);
}

TEST_F(Launching, AnExecutableMediaFileReachesItsProgramAsOneArgument) {
    const RecordingProgram viewer(root / "viewer", root / "received");
    makeExecutable(root.write("disc/my photo.jpg", "\xff\xd8\xff\xe0"));
    const auto plan = launcher.plan("jpg my photo.jpg",
                                    {"jpg " + QString::fromStdString(viewer.path().string())});
    ASSERT_TRUE(plan);
    ASSERT_TRUE(launcher.start(*plan));
    const std::string received = viewer.received();
    EXPECT_EQ(received.substr(0, received.find("--\n")), (disc / "my photo.jpg").string() + "\n");
}

TEST_F(Launching, OtherFilesOpenWithTheirProgramAndTheFileAsOneArgument) {
    root.write("disc/notes.txt", "");
    const auto editor = root.write("my tools/editor", "#!/bin/sh\n");
    makeExecutable(editor);
    const QString program = QString::fromStdString(editor.string());
    const auto plan = launcher.plan("txt notes.txt", {"TXT " + program});
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->program, program); // blanks in the program's path need no quotes
    EXPECT_EQ(plan->arguments, QStringList{discPath("notes.txt")});
    EXPECT_EQ(plan->commandLine, program + " \"" + discPath("notes.txt") + "\"");
    // A bare entry looks its extension up by up to three characters.
    root.write("disc/movie.mpeg", "");
    EXPECT_TRUE(launcher.plan("movie.mpeg", {AssociationTable::line("mpe", program)}));
}

TEST_F(Launching, NoProgramThatCanRunMeansNoAssociation) {
    root.write("disc/notes.txt", "");
    EXPECT_FALSE(launcher.plan("txt notes.txt", {}));
    EXPECT_FALSE(launcher.plan("txt notes.txt", {"txt /no/such/program"}));
    const auto plain = root.write("not a program", "");
    EXPECT_FALSE(launcher.plan("txt notes.txt", {"txt " + QString::fromStdString(plain.string())}));
    root.write("disc/README", "");
    EXPECT_FALSE(launcher.plan("README", {"txt /bin/true"}));
}

TEST_F(Launching, TheRecordIsWrittenOnlyAfterAStart) {
    QList<QStringList> started;
    common::ProcessStarter::replaceForTests([&](const QString& p, const QStringList& a) {
        started << (QStringList{p} + a);
        return started.size() == 1;
    });
    EXPECT_TRUE(launcher.start({"/bin/viewer", {"/d/a b.txt"}, "/bin/viewer \"/d/a b.txt\""}));
    EXPECT_EQ(TempFolder::read(program / "ttt.ttt"), "/bin/viewer \"/d/a b.txt\"\r\n");
    EXPECT_FALSE(launcher.start({"/bin/other", {}, "/bin/other"}));
    EXPECT_EQ(TempFolder::read(program / "ttt.ttt"), "/bin/viewer \"/d/a b.txt\"\r\n");
    common::ProcessStarter::replaceForTests({});
    EXPECT_EQ(started[0], (QStringList{"/bin/viewer", "/d/a b.txt"}));
}

TEST_F(Launching, NoCharacterOfAFileNameIsInterpreted) {
    const std::string odd = "a;b $(touch pwned) `id` \"q\" 'x'\nz.txt";
    root.write("disc/" + odd, "");
    const auto out = root / "received";
    const auto receiver =
        root.write("receiver", "#!/bin/sh\nprintf '%s' \"$1\" > '" + out.string() + "'\n");
    makeExecutable(receiver);
    const auto plan = launcher.plan("txt " + QString::fromStdString(odd),
                                    {"txt " + QString::fromStdString(receiver.string())});
    ASSERT_TRUE(plan);
    ASSERT_TRUE(launcher.start(*plan));
    for (int i = 0; i < 200 && !std::filesystem::exists(out); ++i)
        QThread::msleep(20);
    for (int i = 0; i < 50 && TempFolder::read(out).empty(); ++i)
        QThread::msleep(20);
    EXPECT_EQ(TempFolder::read(out), (disc / odd).string());
    EXPECT_FALSE(std::filesystem::exists(disc / "pwned"));
}
