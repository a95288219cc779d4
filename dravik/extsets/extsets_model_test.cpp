#include "common/error.h"
#include "common/testing/temp_folder.h"
#include "dravik/extsets/extension_list.h"
#include "dravik/extsets/selections.h"
#include "dravik/extsets/set_box.h"

#include <gtest/gtest.h>

using common::testing::TempFolder;
using namespace dravik::extsets;

TEST(ExtensionListModel, TellsEntriesApartFromTheChoiceOfThem) {
    ExtensionList list;
    int changes = 0;
    int choices = 0;
    QObject::connect(&list, &ExtensionList::changed, [&] { ++changes; });
    QObject::connect(&list, &ExtensionList::selectionChanged, [&] { ++choices; });
    list.add("txt");
    list.add("doc");
    list.add("TXT"); // there already: nothing to tell
    EXPECT_EQ(changes, 2);
    list.setSelection({1, 7, -1}); // rows the list does not hold are passed over
    EXPECT_EQ(list.selectedEntries(), QStringList{"TXT"});
    list.applySet("DOC");
    EXPECT_EQ(list.selectedEntries(), (QStringList{"DOC", "TXT"}));
    EXPECT_EQ(choices, 2);
    list.removeSelected();
    EXPECT_EQ(changes, 3);
    EXPECT_TRUE(list.entries().isEmpty());
}

TEST(ExtensionListModel, AFileThatCannotBeReadLeavesNoHalfList) {
    TempFolder data;
    data.write("ExtLys.ini/inside", "x");
    ExtensionList list;
    list.add("mp3");
    try {
        list.load(data.path());
        FAIL() << "a folder read as the extension list";
    } catch (const common::Error& e) {
        EXPECT_EQ(e.number(), 75);
    }
    EXPECT_TRUE(list.entries().isEmpty());
}

TEST(SetBoxModel, AnAddedSetIsToldAndAppended) {
    TempFolder program;
    program.write("sette.lys", "TXT \r\n");
    SetBox sets;
    int changes = 0;
    QObject::connect(&sets, &SetBox::changed, [&] { ++changes; });
    sets.load(program.path());
    EXPECT_TRUE(sets.record("DOC ", program.path()));
    EXPECT_FALSE(sets.record("doc ", program.path()));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(TempFolder::read(program / "sette.lys"), "TXT \r\nDOC \r\n");

    program.write("other/sette.lys/inside", "x");
    EXPECT_THROW(sets.load(program / "other"), common::Error);
    EXPECT_TRUE(sets.rows().isEmpty());
    EXPECT_EQ(changes, 3);
}

TEST(SelectionsModel, NamesChangeOnlyWhenTheListFileDoes) {
    TempFolder data;
    Selections selections;
    int changes = 0;
    QObject::connect(&selections, &Selections::changed, [&] { ++changes; });
    selections.load(data.path());
    selections.remember("Work", {0, 2});
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(TempFolder::read(data / "RemSel.ini"), "Work\r\n");
    EXPECT_EQ(TempFolder::read(data / "Work.ini"), " 0 \r\n 2 \r\n");

    // The list file cannot be rewritten: the name stays, on disk and in the list.
    std::filesystem::remove(data / "RemSel.ini");
    data.write("RemSel.ini/inside", "x");
    EXPECT_THROW(selections.remove("Work"), common::Error);
    EXPECT_EQ(selections.names(), QStringList{"Work"});
    EXPECT_THROW(selections.remember("Home", {1}), common::Error);
    EXPECT_EQ(selections.names(), QStringList{"Work"});
    EXPECT_EQ(changes, 2);
}
