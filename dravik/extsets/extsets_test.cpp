#include "common/error.h"
#include "common/testing/temp_folder.h"
#include "dravik/extsets/entry_extension.h"
#include "dravik/extsets/extension_list.h"
#include "dravik/extsets/saved_name.h"
#include "dravik/extsets/selections.h"
#include "dravik/extsets/set_box.h"

#include <gtest/gtest.h>

using common::testing::TempFolder;
using namespace dravik::extsets;

TEST(EntryExtension, TakesTheExtensionByTheLengthInTheBox) {
    const std::vector<std::pair<const char*, const char*>> four = {
        {"readme.txt", "TXT"}, {"a.txt", "TXT"},       {"page.js", ""}, {"b.js", ""},
        {"README", "ADME"},    {"photo.jpeg", "JPEG"}, {"ab", ""},      {"name.", ""}};
    for (const auto& [entry, extension] : four)
        EXPECT_EQ(EntryExtension::extensionOf(entry, 4), extension) << entry;
    const std::vector<std::pair<const char*, const char*>> variable = {
        {"archive.tar.gz", "GZ"}, {"photo.jpeg", "JPEG"}, {"README", "README"}, {"name.", ""}};
    for (const auto& [entry, extension] : variable)
        EXPECT_EQ(EntryExtension::extensionOf(entry, 0), extension) << entry;
    EXPECT_EQ(EntryExtension::extensionOf("x.mp3", 3), "MP3");

    EXPECT_EQ(EntryExtension::lengthOf("4"), 4);
    EXPECT_EQ(EntryExtension::lengthOf("0"), 0);
    EXPECT_EQ(EntryExtension::lengthOf("x"), 0);
    EXPECT_EQ(EntryExtension::lengthOf(""), 0);
    EXPECT_EQ(EntryExtension::checkedLengthText(""), "4");
    EXPECT_EQ(EntryExtension::checkedLengthText("12"), "4");
    EXPECT_EQ(EntryExtension::checkedLengthText("0"), "0");
}

TEST(ExtensionList, AddsUpperCasedInSortedPlaceOnce) {
    ExtensionList list;
    EXPECT_EQ(list.add("txt"), 0);
    EXPECT_EQ(ExtensionList::countLabel(list.size()), "File type to search for: (0)");
    EXPECT_EQ(list.add("txt"), std::nullopt);
    EXPECT_EQ(list.add("TXT"), std::nullopt);
    EXPECT_EQ(list.add(""), std::nullopt);
    EXPECT_EQ(list.add(".jpg"), 0);
    EXPECT_EQ(list.add("doc"), 1);
    EXPECT_EQ(list.entries(), QStringList({".JPG", "DOC", "TXT"}));
    EXPECT_EQ(ExtensionList::countLabel(list.size()), "File type to search for: (2)");
}

TEST(ExtensionList, SetTextsSelectAndNeverDeselect) {
    ExtensionList list;
    for (const char* e : {"TXT", "DOC", "JPG", "MP3"})
        list.add(e);
    list.setSelected(3, true); // TXT
    list.setSelected(0, true); // DOC
    EXPECT_EQ(list.setText(), "DOC TXT ");
    EXPECT_EQ(ExtensionList::pieces("TXT DOC"), QStringList({"TXT", "DOC"}));
    EXPECT_EQ(ExtensionList::pieces("TXT DOC "), QStringList({"TXT", "DOC"}));
    EXPECT_EQ(ExtensionList::pieces("A  B"), QStringList({"A", "", "B"}));

    list.selectAll(false);
    list.setSelected(1, true); // JPG stays selected
    list.applySet("txt doc");
    EXPECT_EQ(list.selectedEntries(), QStringList({"DOC", "JPG", "TXT"}));
    list.applySet("AVI WAV ");
    EXPECT_EQ(list.selectedEntries(), QStringList({"DOC", "JPG", "TXT"}));

    list.removeSelected();
    EXPECT_EQ(list.entries(), QStringList({"MP3"}));
    EXPECT_FALSE(list.anySelected());
}

TEST(ExtensionList, FilesOfTheList) {
    TempFolder data;
    ExtensionList list;
    list.load(data.path());
    EXPECT_EQ(TempFolder::read(data / "ExtLys.ini"), ""); // created when missing
    data.write("ExtLys.ini", "txt\r\n\"DOC\",AVI\r\ntxt\r\n");
    list.load(data.path());
    EXPECT_EQ(list.entries(), QStringList({"AVI", "DOC", "txt", "txt"}));
    list.save(data.path());
    EXPECT_EQ(TempFolder::read(data / "ExtLys.ini"), "AVI\r\nDOC\r\ntxt\r\ntxt\r\n");
    EXPECT_FALSE(std::filesystem::exists(data / "ExtLys.inZ"));
    list.clear();
    list.add("mp3");
    list.saveForStart(data.path());
    EXPECT_EQ(TempFolder::read(data / "ExtLys.ini"), "MP3\r\n");
    EXPECT_EQ(TempFolder::read(data / "ExtLys.inZ"), "MP3\r\n");
}

TEST(SetBox, RecordsEachNewSetOnceAndLosesTheTrailingBlankOnReading) {
    TempFolder program;
    SetBox box;
    box.load(program.path());
    EXPECT_TRUE(box.rows().isEmpty());
    EXPECT_TRUE(box.record("TXT DOC ", program.path()));
    EXPECT_FALSE(box.record("txt doc ", program.path()));
    EXPECT_FALSE(box.record("", program.path()));
    EXPECT_FALSE(box.record("A", program.path()));
    EXPECT_TRUE(box.record("A ", program.path()));
    EXPECT_EQ(TempFolder::read(program / "sette.lys"), "TXT DOC \r\nA \r\n");
    EXPECT_EQ(box.rows(), QStringList({"A ", "TXT DOC "}));

    // After a restart the box holds the set without its blank, so the same set is recorded once
    // more; the restart after that shows it once again.
    box.load(program.path());
    EXPECT_EQ(box.rows(), QStringList({"A", "TXT DOC"}));
    EXPECT_TRUE(box.record("TXT DOC ", program.path()));
    EXPECT_EQ(box.rows(), QStringList({"A", "TXT DOC", "TXT DOC "}));
    box.load(program.path());
    EXPECT_EQ(box.rows(), QStringList({"A", "TXT DOC"}));
}

TEST(Selections, RememberedByPositionAndAppliedSkippingBadLines) {
    TempFolder data;
    Selections selections(data.path());
    selections.load();
    EXPECT_EQ(TempFolder::read(data / "RemSel.ini"), "");
    selections.remember("Work", {0, 2, 3});
    selections.remember("audio", {1});
    EXPECT_EQ(TempFolder::read(data / "Work.ini"), " 0 \r\n 2 \r\n 3 \r\n");
    EXPECT_EQ(TempFolder::read(data / "RemSel.ini"), "audio\r\nWork\r\n");
    EXPECT_EQ(selections.positions("Work", 5), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(selections.positions("Work", 3), (std::vector<int>{0, 2}));

    data.write("Odd.ini", " 1 \r\nabc\r\n 9 \r\n4,\"2\"\r\n-1\r\n\r\n3.5\r\n");
    EXPECT_EQ(selections.positions("Odd", 5), (std::vector<int>{1, 4, 2}));
    EXPECT_EQ(selections.positions("New", 5), std::vector<int>());
    EXPECT_TRUE(std::filesystem::exists(data / "New.ini"));

    selections.remove("Work");
    EXPECT_EQ(selections.names(), QStringList({"audio"}));
    EXPECT_FALSE(std::filesystem::exists(data / "Work.ini"));
    EXPECT_EQ(TempFolder::read(data / "RemSel.ini"), "audio\r\n");
}

TEST(Selections, RefusedNamesWriteNothing) {
    TempFolder data;
    data.write("ExtLys.ini", "TXT\r\n");
    Selections selections(data.path());
    selections.load();
    selections.remember("WORK", {});
    EXPECT_EQ(*selections.refusal(""), "I don't like files with no names. . .");
    EXPECT_EQ(*selections.refusal("work"),
              "Name: work Already Exists!\n\nPlease use another name and try again");
    EXPECT_EQ(*selections.refusal("a/b"), "A selection name cannot hold / or \\.");
    EXPECT_EQ(*selections.refusal("a,b"), "A selection name cannot hold a comma: the list of "
                                          "selections would read it back as two names.");
    EXPECT_EQ(*selections.refusal("extlys"),
              "\"extlys\" is the name of a list the program keeps (ExtLys.ini) and cannot name a "
              "selection.");
    EXPECT_THROW(selections.remember("RemSel", {1}), common::Error);
    EXPECT_THROW(selections.remember("../x", {1}), common::Error);
    EXPECT_EQ(TempFolder::read(data / "RemSel.ini"), "WORK\r\n");

    // A name typed by hand that cannot be a selection touches no file.
    selections.remove("ExtLys");
    EXPECT_EQ(TempFolder::read(data / "ExtLys.ini"), "TXT\r\n");
    EXPECT_EQ(selections.positions("../ExtLys", 5), std::vector<int>());
}

TEST(Selections, ASelectionNamedSScLeavesTheDefaultDriveAlone) {
    // No data path set and started in the program folder: the data folder holds "SSc.ini".
    TempFolder folder;
    folder.write("SSc.ini", "E\r\n");
    Selections selections(folder.path());
    selections.load();
    EXPECT_EQ(*selections.refusal("SSc"), "\"SSc\" is the name of a list the program keeps "
                                          "(SSc.ini) and cannot name a selection.");
    for (const char* name : {"SSc", "ssc", "SSC"})
        EXPECT_THROW(selections.remember(name, {0, 2}), common::Error) << name;
    selections.remove("ssc");
    EXPECT_EQ(selections.positions("SSc", 5), std::vector<int>());
    EXPECT_EQ(TempFolder::read(folder / "SSc.ini"), "E\r\n");
    selections.remember("80s..90s", {1});
    EXPECT_EQ(TempFolder::read(folder / "80s..90s.ini"), " 1 \r\n");
}

TEST(SavedName, TheFilesOfThisFolderAreKnownToTheGate) {
    for (const char* own : {ExtensionList::FileName, ExtensionList::StartCopyName,
                            Selections::FileName, SetBox::FileName})
        EXPECT_TRUE(common::FileNameGate::ownFile(QString::fromLatin1(own))) << own;
}

TEST(SavedName, TheDiscNameRuleInTheWordsOfASelection) {
    EXPECT_TRUE(SavedName::refusal(".."));
    EXPECT_TRUE(SavedName::refusal("a,b")); // read back from a list of names
    EXPECT_FALSE(SavedName::refusal("ExtLys2"));
}
