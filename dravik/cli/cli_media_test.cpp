#include "common/testing/workspace_fixture.h"
#include "dravik/cli/cli.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <sstream>

using common::testing::TempFolder;
using dravik::cli::Cli;

namespace {
class CliMediaTest : public common::testing::WorkspaceFixture {
protected:
    std::ostringstream out, err;

    void SetUp() override {
        root.write("disc/keep.txt", "same");
        root.write("disc/grow.txt", "small");
        root.write("disc/gone.txt", "x");
    }
    int run(QStringList args) {
        out.str({});
        err.str({});
        args << "--data" << QString::fromStdString(data.string());
        return Cli(out, err).run(args);
    }
    QJsonObject json() const {
        QJsonParseError error{};
        const auto document = QJsonDocument::fromJson(QByteArray::fromStdString(out.str()), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << out.str();
        return document.object();
    }
    // Catalogued once, then changed and catalogued again.
    void twoVersions() {
        ASSERT_EQ(run({"catalogue", "Holiday 2009", "--drive", "E"}), 0) << err.str();
        first = TempFolder::read(data / "Holiday 2009.rtf");
        std::filesystem::remove(disc / "gone.txt");
        root.write("disc/grow.txt", "much larger now");
        root.write("disc/new.txt", "1");
        ASSERT_EQ(run({"catalogue", "holiday 2009", "--drive", "E", "--rebuild"}), 0);
        second = TempFolder::read(data / "Holiday 2009.rtf");
    }
    static QString today() { return QDateTime::currentDateTimeUtc().toString("yyyy-MM-dd"); }
    std::string first, second;
};
} // namespace

TEST_F(CliMediaTest, ARebuildSaysWhatChanged) {
    twoVersions();
    EXPECT_EQ(out.str(), "3 files : 0 folders\n1 files added, 1 removed, 1 changed size since " +
                             today().toStdString() + "\n");
}

TEST_F(CliMediaTest, InfoPrintsTheFactsAndJson) {
    ASSERT_EQ(run({"catalogue", "Holiday 2009", "--drive", "E"}), 0);
    EXPECT_EQ(run({"info", "HOLIDAY 2009"}), 0) << err.str();
    EXPECT_NE(out.str().find("Disc:       Holiday 2009\nVersion:    1, catalogued " +
                             today().toStdString()),
              std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("Identity:   no label or UUID: the drive is a folder, not a "
                             "mounted medium\n"),
              std::string::npos);
    EXPECT_NE(out.str().find("Files:      3, 10 bytes\nFolders:    0\n"), std::string::npos);

    EXPECT_EQ(run({"info", "Holiday 2009", "--json"}), 0);
    const auto o = json();
    EXPECT_EQ(o["disc"].toString(), "Holiday 2009");
    EXPECT_EQ(o["version"].toInt(), 1);
    EXPECT_TRUE(o["current"].toBool());
    EXPECT_TRUE(o["facts"].toBool());
    EXPECT_EQ(o["identity"].toString(), "plain folder");
    EXPECT_EQ(o["label"].toString(), "");
    EXPECT_EQ(o["files"].toInt(), 3);
    EXPECT_EQ(o["folders"].toInt(), 0);
    EXPECT_EQ(o["bytes"].toInt(), 10);
    EXPECT_GT(o["capacity"].toDouble(), 0);
    EXPECT_TRUE(o["catalogued"].toString().startsWith(today()));
}

TEST_F(CliMediaTest, ADiscWithoutFactsHasNoneAndAnUnknownDiscIsRefused) {
    root.write("data/Old.rtf", "\"E:\\\",\"a\"\r\n1 files :  folders\r\n");
    root.write("data/DK.tex", "Old\r\n");
    EXPECT_EQ(run({"info", "Old"}), 0);
    EXPECT_EQ(out.str(), "No facts are kept for \"Old\": it was catalogued before they were "
                         "kept, or on another computer.\n");
    EXPECT_EQ(run({"info", "Old", "--json"}), 0);
    EXPECT_FALSE(json()["facts"].toBool());
    EXPECT_EQ(run({"info", "Nothing"}), Cli::Refused);
    EXPECT_EQ(err.str(), "dravik-cli: no disc named \"Nothing\" is catalogued\n");
    EXPECT_EQ(run({"info"}), Cli::Usage);
    EXPECT_EQ(run({"diff", "Old", "--version", "x"}), Cli::Usage);
    EXPECT_FALSE(std::filesystem::exists(data / ".dravik-media.sqlite"));
}

TEST_F(CliMediaTest, HistoryListsTheVersionsNewestFirst) {
    twoVersions();
    EXPECT_EQ(run({"history", "Holiday 2009"}), 0);
    const std::string day = today().toStdString();
    const std::string text = out.str();
    EXPECT_EQ(text.substr(0, 12), "2\t" + day);
    EXPECT_NE(text.find("\t3 files\t0 folders\t20 bytes\tcurrent\n1\t" + day), std::string::npos)
        << text;
    EXPECT_TRUE(text.ends_with("\t3 files\t0 folders\t10 bytes\n")) << text;

    EXPECT_EQ(run({"history", "Holiday 2009", "--json"}), 0);
    const auto versions = json()["versions"].toArray();
    ASSERT_EQ(versions.size(), 2);
    EXPECT_EQ(versions[0].toObject()["version"].toInt(), 2);
    EXPECT_TRUE(versions[0].toObject()["current"].toBool());
    EXPECT_EQ(versions[1].toObject()["bytes"].toInt(), 10);
    EXPECT_FALSE(versions[1].toObject()["current"].toBool());
}

TEST_F(CliMediaTest, DiffPrintsTheAddedRemovedAndChangedFiles) {
    twoVersions();
    EXPECT_EQ(run({"diff", "Holiday 2009"}), 0) << err.str();
    EXPECT_EQ(out.str(),
              "removed\tE:\\gone.txt\nchanged\tE:\\grow.txt\t5\t15\nadded\tE:\\new.txt\n");
    EXPECT_EQ(err.str(), "1 files added, 1 removed, 1 changed size since " + today().toStdString() +
                             " (version 1)\n");
    EXPECT_EQ(run({"diff", "Holiday 2009", "--version", "2"}), Cli::Refused);
    EXPECT_EQ(err.str(), "dravik-cli: the history of \"Holiday 2009\" holds no version 2\n");
}

TEST_F(CliMediaTest, RestoreBringsTheOldListBackByteForByte) {
    twoVersions();
    EXPECT_EQ(run({"restore", "Holiday 2009"}), 0) << err.str();
    EXPECT_EQ(out.str(), "version 1 of \"Holiday 2009\" is the disc's list again; the list it "
                         "replaced is in the history\n");
    EXPECT_EQ(TempFolder::read(data / "Holiday 2009.rtf"), first);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Holiday 2009\r\n");
    EXPECT_EQ(run({"restore", "Holiday 2009", "--version", "2"}), 0);
    EXPECT_EQ(TempFolder::read(data / "Holiday 2009.rtf"), second);
    EXPECT_EQ(run({"restore", "Holiday 2009", "--version", "7"}), Cli::Refused);
    EXPECT_EQ(err.str(),
              "dravik-cli: the history of \"Holiday 2009\" holds no version 7 (error 5)\n");
}

TEST_F(CliMediaTest, ListAndSearchPrintJson) {
    ASSERT_EQ(run({"catalogue", "Caf\u00e9", "--drive", "E"}), 0);
    EXPECT_EQ(run({"list", "--json"}), 0);
    const auto discs = json()["discs"].toArray();
    ASSERT_EQ(discs.size(), 1);
    EXPECT_EQ(discs[0].toObject()["name"].toString(), QString::fromUtf8("Caf\u00e9"));
    EXPECT_EQ(discs[0].toObject()["size"].toString(), "");

    EXPECT_EQ(run({"search", "grow", "--json"}), 0) << err.str();
    const auto o = json();
    ASSERT_EQ(o["rows"].toArray().size(), 1);
    EXPECT_TRUE(o["rows"].toArray()[0].toString().contains("grow.txt"));
    EXPECT_EQ(o["links"].toInt(), 1);
}
