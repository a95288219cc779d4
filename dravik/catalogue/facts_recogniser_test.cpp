#include "common/testing/workspace_fixture.h"
#include "dravik/catalogue/facts_recogniser.h"
#include "dravik/media/facts_store.h"

#include <gtest/gtest.h>

using common::testing::TempFolder;
using dravik::catalogue::FactsRecogniser;
using dravik::media::FactsStore;
using dravik::services::MediumIdentity;

namespace {

class FactsRecogniserTest : public common::testing::WorkspaceFixture {
protected:
    FactsRecogniser recogniser;

    // A cataloguing of a medium with this label and UUID, as the store keeps it.
    void catalogued(const QString& disc, const std::string& label, const std::string& uuid) {
        dravik::media::MediumFacts facts;
        facts.volume.identity = dravik::media::Identity::Probed;
        facts.volume.label = label;
        facts.volume.uuid = uuid;
        facts.volume.capacity = 700;
        facts.cataloguedAt = "2026-03-01T14:05:09Z";
        root.write("program/work", "\"E:\\\",\"a.txt\"\r\n1 files :  folders\r\n");
        FactsStore store(data);
        store.published(store.beginCatalogue(disc, facts, {}, program / "work",
                                             data / (disc.toStdString() + ".rtf")));
    }
};

} // namespace

TEST_F(FactsRecogniserTest, FindsADiscByUuidElseByLabelAndCapacity) {
    EXPECT_FALSE(recogniser.find({"HOLIDAY", "2026-03-01-14-05-09-00", "iso9660", 700}, data));
    EXPECT_FALSE(std::filesystem::exists(data / FactsStore::FileName)); // looking made nothing
    catalogued("Holiday 2009", "HOLIDAY", "2026-03-01-14-05-09-00");
    catalogued("Backup", "BACKUP", "");
    const auto byUuid = recogniser.find({"OTHER", "2026-03-01-14-05-09-00", "iso9660", 1}, data);
    ASSERT_TRUE(byUuid);
    EXPECT_EQ(byUuid->name, "Holiday 2009");
    EXPECT_EQ(byUuid->catalogued, QDate(2026, 3, 1));
    ASSERT_TRUE(recogniser.find({"BACKUP", "", "vfat", 700}, data));
    EXPECT_EQ(recogniser.find({"BACKUP", "", "vfat", 700}, data)->name, "Backup");
    // A label alone is not enough: another medium may carry it.
    EXPECT_FALSE(recogniser.find({"BACKUP", "", "vfat", 701}, data));
    EXPECT_FALSE(recogniser.find({"HOLIDAY", "1999-01-01-00-00-00-00", "iso9660", 700}, data));
}

TEST_F(FactsRecogniserTest, APlainFolderIsNoMediumToRecognise) {
    EXPECT_FALSE(recogniser.identify(disc));
}
