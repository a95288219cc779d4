#include "dravik/catalogue/medium_controller.h"

#include "common/mount_watcher.h"
#include "dravik/controls/control_names.h"
#include "dravik/testing/catalogue_fixture.h"
#include "dravik/testing/fake_medium_recogniser.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using common::MountChange;
using dravik::catalogue::MediumController;
using dravik::services::CataloguedDisc;
using dravik::services::MediumIdentity;
namespace Control = dravik::controls::Control;

namespace {

const MediumIdentity Holiday{"HOLIDAY_09", "2009-08-14-10-22-31-00", "iso9660", 4'700'000'000};
const QString KnownText = "This disc is in the catalogue as 'Holiday 2009' (catalogued 2026-03-01)";

class RecognisingMedia : public dravik::testing::CatalogueFixture {
protected:
    dravik::testing::FakeMediumRecogniser recogniser;
    std::unique_ptr<MediumController> media;
    bool busy = false;

    void TearDown() override {
        media.reset();
        CatalogueFixture::TearDown();
    }
    void startMedia() {
        startPanels();
        media = std::make_unique<MediumController>(
            *index, *discs, recogniser, dravik::services::FeatureContext{*ws, *services, *list},
            [this] { return busy; });
    }
    // Starts a look (or a mount change) and waits until its result is shown.
    template <typename Start> void looking(Start start) {
        QSignalSpy looked(media.get(), &MediumController::looked);
        start();
        ASSERT_TRUE(looked.wait(20000));
    }
    void look() {
        looking([this] { media->look(); });
    }
    static MountChange change(MountChange::Kind kind, const std::string& point,
                              const std::string& device = "/dev/sr0") {
        return {kind, {61, device, point, "iso9660"}};
    }
    void mountHoliday() {
        recogniser.insert(disc, Holiday);
        looking([this] { media->mountChanged(change(MountChange::Kind::Mounted, disc)); });
    }
    void catalogueHoliday() {
        recogniser.catalogue(Holiday.uuid, CataloguedDisc{"Holiday 2009", QDate(2026, 3, 1)});
    }
    QComboBox* box() const { return find<QComboBox>(Control::DiscBox); }
    QString status() const { return find<QLabel>(Control::Status)->text(); }
    void typeName(const QString& name) {
        box()->setEditText(name);
        QTest::keyRelease(box(), Qt::Key_Shift);
    }
};

} // namespace

TEST_F(RecognisingMedia, AnEmptyBoxIsOfferedTheVolumeLabelSelectedSoTypingReplacesIt) {
    startMedia();
    const QString before = status();
    mountHoliday();
    EXPECT_EQ(box()->currentText(), "HOLIDAY_09");
    EXPECT_EQ(box()->lineEdit()->selectedText(), "HOLIDAY_09");
    EXPECT_EQ(status(), before);
    QTest::keyClicks(box()->lineEdit(), "Trip");
    EXPECT_EQ(box()->currentText(), "Trip");
}

TEST_F(RecognisingMedia, AKnownMediumIsNamedInTheStatusLineAndTheBox) {
    catalogueHoliday();
    startMedia();
    mountHoliday();
    EXPECT_EQ(status(), KnownText);
    EXPECT_EQ(box()->currentText(), "Holiday 2009");
    EXPECT_EQ(box()->lineEdit()->selectedText(), "Holiday 2009");
    EXPECT_EQ(MediumController::knownText({"Disc 7", QDate(2025, 12, 31)}),
              "This disc is in the catalogue as 'Disc 7' (catalogued 2025-12-31)");
}

TEST_F(RecognisingMedia, ANameTheUserTypedStays) {
    catalogueHoliday();
    startMedia();
    typeName("Mine");
    mountHoliday();
    EXPECT_EQ(box()->currentText(), "Mine");
    EXPECT_EQ(status(), KnownText);
}

TEST_F(RecognisingMedia, AKnownMediumTakesThePlaceOfAnotherListedDiscButNotOfALabel) {
    catalogueHoliday();
    root.write("data/DK.tex", "Disc 1\r\n");
    startMedia();
    typeName("disc 1");
    mountHoliday();
    EXPECT_EQ(box()->currentText(), "Holiday 2009");
    recogniser.eject(disc);
    looking([this] { media->mountChanged(change(MountChange::Kind::Unmounted, disc)); });
    typeName("Disc 1");
    recogniser.insert(disc, {"BACKUP", "77aa", "ext4", 2'000'000});
    look();
    EXPECT_EQ(box()->currentText(), "Disc 1");
}

TEST_F(RecognisingMedia, AMediumWithoutLabelOrAPlainFolderOffersNothing) {
    startMedia();
    recogniser.insert(disc, {{}, "0d3c-11ee", "vfat", 1'000'000});
    look();
    EXPECT_EQ(box()->currentText(), "");
    recogniser.eject(disc);
    look();
    EXPECT_EQ(box()->currentText(), "");
    EXPECT_EQ(recogniser.identified(), 2);
}

TEST_F(RecognisingMedia, OnlyMountsOfTheDefaultDriveAreLookedAt) {
    startMedia();
    recogniser.insert(disc, Holiday);
    media->mountChanged(change(MountChange::Kind::Mounted, (root / "elsewhere").string()));
    media->mountChanged(change(MountChange::Kind::Mounted, disc.string() + "2"));
    QCoreApplication::processEvents();
    EXPECT_EQ(recogniser.identified(), 0);
    EXPECT_EQ(box()->currentText(), "");
    // The same folder written another way is the drive.
    looking([this] {
        media->mountChanged(change(MountChange::Kind::Mounted, (disc / "Photos" / "..").string()));
    });
    EXPECT_EQ(box()->currentText(), "HOLIDAY_09");
}

TEST_F(RecognisingMedia, ADriveMappedToADeviceIsLookedAtWhenThatDeviceIsMounted) {
    startMedia();
    ws->drives().set('E', "/dev/dravik-test-drive");
    media->mountChanged(change(MountChange::Kind::Mounted, disc, "/dev/other"));
    QCoreApplication::processEvents();
    EXPECT_EQ(recogniser.identified(), 0);
    // Nothing is mounted from that device really: the drive reads as empty.
    looking([this] {
        media->mountChanged(change(MountChange::Kind::Mounted, disc, "/dev/dravik-test-drive"));
    });
    EXPECT_EQ(recogniser.identified(), 0);
    EXPECT_EQ(box()->currentText(), "");
}

TEST_F(RecognisingMedia, AnUnmountTakesBackWhatTheUserLeftAsItWas) {
    catalogueHoliday();
    startMedia();
    mountHoliday();
    recogniser.eject(disc);
    looking([this] { media->mountChanged(change(MountChange::Kind::Unmounted, disc)); });
    EXPECT_EQ(box()->currentText(), "");
    EXPECT_EQ(status(), "");
}

TEST_F(RecognisingMedia, AnUnmountLeavesATypedNameAndAStatusLineSinceChanged) {
    catalogueHoliday();
    startMedia();
    mountHoliday();
    typeName("Holiday 2009 again");
    list->setStatus("Finished.");
    recogniser.eject(disc);
    looking([this] { media->mountChanged(change(MountChange::Kind::Unmounted, disc)); });
    EXPECT_EQ(box()->currentText(), "Holiday 2009 again");
    EXPECT_EQ(status(), "Finished.");
}

TEST_F(RecognisingMedia, AnotherMediumReplacesTheOfferAndClearsTheStatusLine) {
    catalogueHoliday();
    startMedia();
    mountHoliday();
    recogniser.insert(disc, {"BACKUP", "77aa", "ext4", 2'000'000});
    look();
    EXPECT_EQ(box()->currentText(), "BACKUP");
    EXPECT_EQ(status(), "");
}

TEST_F(RecognisingMedia, NothingIsShownWhileACommandRuns) {
    catalogueHoliday();
    startMedia();
    busy = true;
    const QString before = status();
    mountHoliday();
    EXPECT_EQ(box()->currentText(), "");
    EXPECT_EQ(status(), before);
}

TEST_F(RecognisingMedia, AChangeDuringALookIsLookedAtAgainAndOnlyThatIsShown) {
    startMedia();
    recogniser.insert(disc, Holiday);
    QSignalSpy looked(media.get(), &MediumController::looked);
    media->look();
    recogniser.insert(disc, {"BACKUP", "77aa", "ext4", 2'000'000});
    media->look();
    ASSERT_TRUE(looked.wait(20000));
    EXPECT_EQ(recogniser.identified(), 2);
    EXPECT_EQ(looked.count(), 1);
    EXPECT_EQ(box()->currentText(), "BACKUP");
}

TEST_F(RecognisingMedia, TheWindowRecognisesTheMediumOnItsDefaultDriveAsItComesAndGoes) {
    auto owned = std::make_unique<dravik::testing::FakeMediumRecogniser>();
    auto& fake = *owned;
    fake.catalogue(Holiday.uuid, CataloguedDisc{"Holiday 2009", QDate(2026, 3, 1)});
    fake.insert(disc, Holiday);
    start();
    auto* discBox = window->findChild<QComboBox*>(Control::DiscBox);
    QSignalSpy shown(discBox, &QComboBox::editTextChanged);
    window->recogniseMedia(std::move(owned));
    ASSERT_TRUE(shown.wait(20000));
    EXPECT_EQ(discBox->currentText(), "Holiday 2009");
    EXPECT_EQ(window->findChild<QLabel*>(Control::Status)->text(), KnownText);
    ASSERT_NE(window->mountWatcher(), nullptr);
    EXPECT_TRUE(window->mountWatcher()->watching());
    fake.eject(disc);
    emit window->mountWatcher()->changed(change(MountChange::Kind::Unmounted, disc));
    ASSERT_TRUE(shown.wait(20000));
    EXPECT_EQ(discBox->currentText(), "");
    EXPECT_EQ(window->findChild<QLabel*>(Control::Status)->text(), "");
}

TEST_F(RecognisingMedia, AnotherDefaultDriveIsLookedAtAsSoonAsItIsChosen) {
    auto owned = std::make_unique<dravik::testing::FakeMediumRecogniser>();
    auto& fake = *owned;
    fake.insert(home, Holiday); // in drive C; the default drive E is empty
    start();
    window->recogniseMedia(std::move(owned));
    auto* discBox = window->findChild<QComboBox*>(Control::DiscBox);
    QSignalSpy shown(discBox, &QComboBox::editTextChanged);
    QTest::mouseClick(window->findChild<QLabel*>(Control::DefaultDriveCaption), Qt::LeftButton);
    dialogs.expectInput("Create temporary external drive(s)",
                        "Type the letter of the CD/DvD Drive and enter", "c");
    QTest::mousePress(
        window->findChild<QWidget*>(dravik::controls::objectName(dravik::controls::SellD::Third)),
        Qt::RightButton, {}, QPoint(2, 2));
    ASSERT_TRUE(shown.wait(20000));
    EXPECT_EQ(discBox->currentText(), "HOLIDAY_09");
}
