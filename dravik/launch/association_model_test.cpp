#include "common/error.h"
#include "common/testing/temp_folder.h"
#include "dravik/launch/association_model.h"

#include <gtest/gtest.h>

using common::testing::TempFolder;
using dravik::launch::AssociationModel;

namespace {

struct Counted {
    int links = 0;
    int extensions = 0;
    explicit Counted(AssociationModel& model) {
        QObject::connect(&model, &AssociationModel::linksChanged, [this] { ++links; });
        QObject::connect(&model, &AssociationModel::extensionsChanged, [this] { ++extensions; });
    }
};

} // namespace

TEST(AssociationModel, StartUpReadsTheTableAndTheExtensions) {
    TempFolder data;
    AssociationModel model;
    model.prepare(data.path());
    model.loadLinks(data.path());
    model.loadExtensions(data.path());
    for (const char* name : {"DK.mmd", "DK.SoC", "DK.EXL"})
        EXPECT_EQ(TempFolder::read(data / name), "") << name;
    EXPECT_TRUE(model.links().isEmpty());

    // Links are read item by item: a comma splits a line, a blank line is an empty entry.
    data.write("DK.SoC", "txt /bin/a,b\r\n\r\n\"doc /x,y\"\r\n");
    data.write("DK.EXL", ".mp3\r\n  \r\n\r\n.jpg\r\n");
    Counted counted(model);
    model.loadLinks(data.path());
    model.loadExtensions(data.path());
    EXPECT_EQ(model.links(), (QStringList{"txt /bin/a", "b", "", "doc /x,y"}));
    EXPECT_EQ(model.extensions(), (QStringList{".mp3", ".jpg"}));
    EXPECT_GE(counted.links, 1);
    EXPECT_GE(counted.extensions, 1);
}

TEST(AssociationModel, EveryChangeIsWrittenLetterForLetter) {
    TempFolder data;
    data.write("DK.SoC", "txt /bin/a\r\n");
    AssociationModel model;
    model.loadLinks(data.path());
    model.loadExtensions(data.path());
    Counted counted(model);

    model.addLink("doc /bin/b");
    EXPECT_EQ(TempFolder::read(data / "DK.SoC"), "txt /bin/a\r\ndoc /bin/b\r\n");
    model.replaceLink(0, "txt /bin/x,y"); // to the end of the list
    EXPECT_EQ(model.links(), (QStringList{"doc /bin/b", "txt /bin/x,y"}));
    EXPECT_EQ(TempFolder::read(data / "DK.mmd"), "doc /bin/b\r\ntxt /bin/x,y\r\n");
    EXPECT_EQ(TempFolder::read(data / "DK.SoC"), "doc /bin/b\r\n\"txt /bin/x,y\"\r\n");
    model.removeLink(0);
    EXPECT_EQ(TempFolder::read(data / "DK.SoC"), "\"txt /bin/x,y\"\r\n");
    model.removeLink(5); // no such row: nothing written, nothing told
    model.replaceLink(-1, "mp3 /bin/c");
    EXPECT_EQ(model.links(), QStringList{"txt /bin/x,y"});
    EXPECT_EQ(counted.links, 3);

    EXPECT_TRUE(model.addExtension("txt"));
    EXPECT_FALSE(model.addExtension("TXT"));
    EXPECT_FALSE(model.addExtension("  "));
    EXPECT_EQ(TempFolder::read(data / "DK.EXL"), "txt\r\n");
    EXPECT_EQ(counted.extensions, 1);
}

TEST(AssociationModel, AFileThatCannotBeReadOrWrittenChangesNothing) {
    TempFolder data;
    data.write("DK.SoC/inside", "x");
    AssociationModel model;
    EXPECT_THROW(model.loadLinks(data.path()), common::Error);
    EXPECT_TRUE(model.links().isEmpty());
    try {
        model.addLink("txt /bin/a");
        FAIL() << "a link appended to a folder";
    } catch (const common::Error& e) {
        EXPECT_EQ(e.number(), 75);
    }
    EXPECT_TRUE(model.links().isEmpty()); // not shown as kept when it was not
}

TEST(AssociationModel, AnEditWithoutALinkToReplaceJoinsTheEnd) {
    TempFolder data;
    data.write("DK.SoC", "txt /bin/a\r\n");
    AssociationModel model;
    model.loadLinks(data.path());
    Counted counted(model);
    model.appendEdited("doc /x,y");
    EXPECT_EQ(model.links(), (QStringList{"txt /bin/a", "doc /x,y"}));
    EXPECT_EQ(TempFolder::read(data / "DK.mmd"), "txt /bin/a\r\ndoc /x,y\r\n");
    EXPECT_EQ(TempFolder::read(data / "DK.SoC"), "txt /bin/a\r\n\"doc /x,y\"\r\n");
    EXPECT_EQ(counted.links, 1);
}
