#include "common/file_ops.h"
#include "common/settings_names.h"
#include "common/settings_store.h"
#include "common/testing/workspace_fixture.h"
#include "dravik/catalogue/cataloguer.h"
#include "dravik/catalogue/disc_index.h"
#include "dravik/discadmin/disc_admin.h"
#include "dravik/media/facts_diff.h"
#include "dravik/media/facts_store.h"

#include <gtest/gtest.h>

#include <algorithm>

using common::testing::TempFolder;
using dravik::catalogue::Catalogue;
using dravik::catalogue::Cataloguer;
using dravik::catalogue::DiscIndex;
using dravik::media::FactsDiff;
using dravik::media::FactsStore;
using dravik::media::Identity;
using dravik::media::VersionState;

namespace {

class FactsStoreTest : public common::testing::WorkspaceFixture {
protected:
    Catalogue catalogue{data, program};
    DiscIndex index{catalogue};
    common::DriveTable table = drives();
    Cataloguer cataloguer{index, table};
    FactsStore store{data};

    Cataloguer::Built catalogueDisc(const QString& name) {
        return cataloguer.buildAndRecord(name, "E", {});
    }
    std::string list(const std::string& name) const {
        return TempFolder::read(data / (name + ".rtf"));
    }
    FactsStore::ListPath listPath() const {
        return [this](const QString& disc) { return catalogue.discListPath(disc); };
    }
};

} // namespace

TEST_F(FactsStoreTest, CataloguingRecordsTheFactsOfTheMediumAndOfEachFile) {
    root.write("disc/a.txt", "12345");
    root.write("disc/Photos/b.jpg", "1234567890");
    std::filesystem::last_write_time(disc / "a.txt",
                                     std::filesystem::file_time_type(std::chrono::seconds(0)));
    const auto built = catalogueDisc("Holiday 2009");
    EXPECT_FALSE(built.changes); // catalogued anew: nothing to compare with
    const auto facts = store.current("holiday 2009");
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->disc, "Holiday 2009");
    EXPECT_EQ(facts->number, 1);
    EXPECT_TRUE(facts->hasFacts);
    EXPECT_EQ(facts->facts.files, 2);
    EXPECT_EQ(facts->facts.folders, 1);
    EXPECT_EQ(facts->facts.bytes, 15);
    EXPECT_EQ(facts->facts.volume.identity, Identity::PlainFolder);
    EXPECT_EQ(facts->facts.volume.label, "");
    EXPECT_GT(facts->facts.volume.capacity, 0u);
    EXPECT_EQ(facts->facts.cataloguedAt.size(), 20u);
    EXPECT_EQ(facts->listHash, FactsStore::hashOf(data / "Holiday 2009.rtf"));
    auto files = store.files(facts->id);
    std::sort(files.begin(), files.end(), [](auto& a, auto& b) { return a.path < b.path; });
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].path, "E:\\Photos\\b.jpg");
    EXPECT_EQ(files[0].size, 10);
    EXPECT_EQ(files[1].path, "E:\\a.txt");
    EXPECT_EQ(files[1].size, 5);
    // The list and the index are as they always were.
    EXPECT_TRUE(list("Holiday 2009").ends_with("\"\r\n2 files : 1 folders\r\n"));
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Holiday 2009\r\n");
}

TEST_F(FactsStoreTest, ReCataloguingKeepsTheOldListAndSaysWhatChanged) {
    root.write("disc/keep.txt", "same");
    root.write("disc/grow.txt", "small");
    root.write("disc/gone.txt", "x");
    catalogueDisc("Disc");
    const std::string before = list("Disc");
    const auto first = *store.current("Disc");
    std::filesystem::remove(disc / "gone.txt");
    root.write("disc/grow.txt", "much larger now");
    root.write("disc/new1.txt", "1");
    root.write("disc/sub/new2.txt", "2");

    const auto built = catalogueDisc("DISC");
    ASSERT_TRUE(built.changes);
    EXPECT_EQ(*built.changes, QString("2 files added, 1 removed, 1 changed size since ") +
                                  QString::fromStdString(first.facts.cataloguedAt.substr(0, 10)));
    const auto versions = store.versions("Disc");
    ASSERT_EQ(versions.size(), 2u);
    EXPECT_EQ(versions[0].number, 2);
    EXPECT_EQ(versions[0].state, VersionState::Current);
    EXPECT_EQ(versions[1].number, 1);
    EXPECT_EQ(versions[1].state, VersionState::History);
    EXPECT_EQ(TempFolder::read(store.historyList(versions[1].id)), before);
    EXPECT_NE(list("Disc"), before);
}

TEST_F(FactsStoreTest, AListMadeBeforeFactsWereKeptGoesIntoTheHistoryWithoutFacts) {
    const std::string old = "\"E:\\\",\"old.txt\"\r\n1 files :  folders\r\n";
    root.write("data/Old.rtf", old);
    root.write("data/DK.tex", "Old\r\n");
    EXPECT_FALSE(store.current("Old"));
    root.write("disc/new.txt", "n");
    const auto built = catalogueDisc("Old");
    ASSERT_TRUE(built.changes);
    EXPECT_TRUE(built.changes->startsWith("1 files added, 1 removed, 0 changed size since "));
    const auto versions = store.versions("Old");
    ASSERT_EQ(versions.size(), 2u);
    EXPECT_FALSE(versions[1].hasFacts);
    EXPECT_EQ(TempFolder::read(store.historyList(versions[1].id)), old);
}

TEST_F(FactsStoreTest, FiveEarlierVersionsAreKeptUnlessTheSettingSaysMore) {
    for (int i = 0; i < 8; ++i) {
        root.write("disc/file" + std::to_string(i) + ".txt", "x");
        catalogueDisc("Disc");
    }
    auto versions = store.versions("Disc");
    ASSERT_EQ(versions.size(), 6u); // the current one and five before it
    EXPECT_EQ(versions.back().number, 3);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(data / ".dravik-history"),
                            std::filesystem::directory_iterator()),
              5);
    common::SettingsStore(common::SettingsNames::Main).setValue("History", "Versions", "7");
    catalogueDisc("Disc");
    catalogueDisc("Disc");
    EXPECT_EQ(store.versions("Disc").size(), 8u);
}

TEST_F(FactsStoreTest, RestoreBringsAnEarlierListBackAndKeepsTheCurrentOne) {
    root.write("disc/a.txt", "a");
    catalogueDisc("Disc");
    const std::string first = list("Disc");
    root.write("disc/b.txt", "b");
    catalogueDisc("Disc");
    const std::string second = list("Disc");

    const DiscIndex::Change change(index);
    const auto started = store.beginRestore("Disc", 1, catalogue.discListPath("Disc"));
    common::FileOps::copyReplacing(store.historyList(started.id), catalogue.discListPath("Disc"));
    store.published(started);
    EXPECT_EQ(list("Disc"), first);
    EXPECT_EQ(store.current("Disc")->number, 1);
    const auto two = store.version("Disc", 2);
    EXPECT_EQ(two->state, VersionState::History);
    EXPECT_EQ(TempFolder::read(store.historyList(two->id)), second);
    EXPECT_FALSE(std::filesystem::exists(store.historyList(started.id)));
    EXPECT_THROW(store.beginRestore("Disc", 9, catalogue.discListPath("Disc")), common::Error);
}

TEST_F(FactsStoreTest, AVersionLeftPendingIsSettledByTheListInPlace) {
    root.write("disc/a.txt", "a");
    catalogueDisc("Disc");
    const std::string first = list("Disc");
    const auto firstId = store.current("Disc")->id;
    root.write("disc/b.txt", "b");
    // A cataloguing killed after its facts were written, before its list was published.
    root.write("program/File.List.Qel", "\"E:\\\",\"other\"\r\n1 files :  folders\r\n");
    dravik::media::FactsCollector none;
    const auto started = store.beginCatalogue("Disc", {}, none, program / "File.List.Qel",
                                              catalogue.discListPath("Disc"));
    EXPECT_EQ(store.version("Disc", 2)->state, VersionState::Pending);
    store.reconcile(listPath());
    EXPECT_FALSE(store.version("Disc", 2));
    EXPECT_EQ(store.current("Disc")->id, firstId);
    EXPECT_FALSE(std::filesystem::exists(store.historyList(firstId)));
    EXPECT_EQ(list("Disc"), first);

    // Killed after the list was published: the new version is current.
    const auto again = store.beginCatalogue("Disc", {}, none, program / "File.List.Qel",
                                            catalogue.discListPath("Disc"));
    catalogue.publishWorkFile("Disc");
    store.reconcile(listPath());
    EXPECT_EQ(store.current("Disc")->id, again.id);
    EXPECT_EQ(TempFolder::read(store.historyList(firstId)), first);
    (void)started;
}

TEST_F(FactsStoreTest, RenameAndDeleteCarryTheFactsAlong) {
    root.write("disc/a.txt", "a");
    catalogueDisc("Disc");
    catalogueDisc("Disc");
    catalogueDisc("Other");
    const dravik::discadmin::DiscAdmin admin(index);
    admin.rename("disc", "Summer", {});
    EXPECT_TRUE(store.versions("Disc").empty());
    ASSERT_EQ(store.versions("Summer").size(), 2u);
    EXPECT_EQ(store.current("summer")->disc, "Summer");
    const auto kept = store.historyList(store.version("Summer", 1)->id);
    EXPECT_TRUE(std::filesystem::exists(kept));

    admin.remove({"SUMMER"}, {});
    EXPECT_TRUE(store.versions("Summer").empty());
    EXPECT_FALSE(std::filesystem::exists(kept));
    EXPECT_EQ(store.versions("Other").size(), 1u);
}

TEST_F(FactsStoreTest, ADiscIsFoundByItsUuidOrByItsLabelWithItsCapacity) {
    root.write("disc/a.txt", "a");
    dravik::media::MediumFacts facts;
    facts.volume.identity = Identity::Probed;
    facts.volume.label = "HOLIDAY";
    facts.volume.uuid = "2026-03-01-14-05-09-00";
    facts.volume.capacity = 700;
    root.write("program/work", "\"E:\\\",\"a.txt\"\r\n1 files :  folders\r\n");
    const auto started = store.beginCatalogue("Holiday 2009", facts, {}, program / "work",
                                              data / "Holiday 2009.rtf");
    store.published(started);
    EXPECT_EQ(store.discsWithUuid("2026-03-01-14-05-09-00"), QStringList{"Holiday 2009"});
    EXPECT_EQ(store.discsWithLabel("HOLIDAY", 700), QStringList{"Holiday 2009"});
    EXPECT_TRUE(store.discsWithLabel("HOLIDAY", 701).isEmpty());
    EXPECT_TRUE(store.discsWithUuid("").isEmpty());
}

TEST(FactsDiff, CountsAddedRemovedAndChangedFilesAndSaysSoInTheStatusLineWords) {
    FactsDiff::Sizes before{
        {"E:\\a", 1}, {"E:\\b", 2}, {"E:\\c", 3}, {"E:\\d", FactsDiff::UnknownSize}};
    FactsDiff::Sizes after{{"E:\\a", 1}, {"E:\\b", 5}, {"E:\\d", 4}, {"E:\\e", 1}};
    const auto changes = FactsDiff::between(before, after);
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].path, "E:\\b");
    EXPECT_EQ(changes[0].kind, FactsDiff::Kind::Changed);
    EXPECT_EQ(changes[1].kind, FactsDiff::Kind::Removed);
    EXPECT_EQ(changes[2].kind, FactsDiff::Kind::Added);
    const FactsDiff::Counts counts{12, 3, 2};
    EXPECT_EQ(FactsDiff::summary(counts, "2026-03-01T10:00:00Z"),
              "12 files added, 3 removed, 2 changed size since 2026-03-01");
}
