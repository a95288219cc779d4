#include "dravik/catalogue/medium_controller.h"

#include "common/drive_table.h"
#include "dravik/catalogue/disc_index.h"
#include "dravik/catalogue/disc_panel.h"
#include "dravik/controls/list_view_panel.h"
#include "dravik/workspace/workspace.h"

#include <QLabel>
#include <QThread>

namespace dravik::catalogue {

MediumController::MediumController(const DiscIndex& index, DiscPanel& discs,
                                   const services::MediumRecogniser& recogniser,
                                   services::FeatureContext context, std::function<bool()> busy)
    : index_(index), discs_(discs), recogniser_(recogniser), list_(context.list),
      workspace_(context.workspace), busy_(std::move(busy)) {
    // Once the user acts on the box, its text is theirs.
    const auto userActed = [this] { offered_.clear(); };
    connect(&discs_, &DiscPanel::keyReleased, this, userActed);
    connect(&discs_, &DiscPanel::enterPressed, this, userActed);
    connect(&discs_, &DiscPanel::discChosen, this, userActed);
}

MediumController::~MediumController() {
    if (looking_)
        looking_->wait();
}

QString MediumController::knownText(const services::CataloguedDisc& disc) {
    return QStringLiteral("This disc is in the catalogue as '") + disc.name +
           QStringLiteral("' (catalogued ") + disc.catalogued.toString(Qt::ISODate) +
           QLatin1Char(')');
}

bool MediumController::concernsDefaultDrive(const common::MountChange& change) const {
    const QString letter = workspace_.defaultDrive();
    if (letter.isEmpty())
        return false;
    return change.entry.shows(workspace_.drives().mapping(letter[0].toLatin1()));
}

void MediumController::mountChanged(const common::MountChange& change) {
    if (concernsDefaultDrive(change))
        look();
}

void MediumController::look() {
    // One look at a time; a change meanwhile makes the running one stale.
    if (looking_) {
        lookAgain_ = true;
        return;
    }
    const QString letter = workspace_.defaultDrive();
    if (letter.isEmpty())
        return;
    auto finding = std::make_shared<Finding>();
    // The thread works on copies: the window may change its drives or data folder meanwhile.
    looking_.reset(
        QThread::create([finding, drives = workspace_.drives(), data = workspace_.dataFolder(),
                         drive = letter[0].toLatin1(), &recogniser = recogniser_] {
            try {
                finding->medium = recogniser.identify(drives.root(drive));
                if (finding->medium)
                    finding->disc = recogniser.find(*finding->medium, data);
            } catch (...) {
                // An empty drive, an unreadable medium or catalogue: nothing to recognise.
                *finding = {};
            }
        }));
    connect(looking_.get(), &QThread::finished, this, [this, finding] { lookEnded(*finding); });
    looking_->start();
}

void MediumController::lookEnded(const Finding& finding) {
    looking_->wait();
    looking_.reset();
    if (std::exchange(lookAgain_, false)) {
        look();
        return;
    }
    if (!busy_ || !busy_())
        show(finding);
    emit looked();
}

void MediumController::show(const Finding& finding) {
    if (!finding.medium) {
        withdraw();
        return;
    }
    if (finding.disc) {
        // A disc name in the box gives way to the disc that is in the drive; a new name the user
        // is typing does not.
        offer(finding.disc->name, Replacing::ListedDiscToo);
        showStatus(knownText(*finding.disc));
        return;
    }
    // Another medium than the one the status line names.
    showStatus({});
    if (!finding.medium->label.isEmpty())
        offer(finding.medium->label, Replacing::OwnOfferOnly);
}

void MediumController::offer(const QString& name, Replacing replacing) {
    const QString shown = discs_.name();
    const bool free = shown.isEmpty() || shown == offered_ ||
                      (replacing == Replacing::ListedDiscToo && index_.holds(shown));
    if (!free)
        return;
    discs_.offer(name);
    offered_ = name;
}

void MediumController::withdraw() {
    if (!offered_.isEmpty() && discs_.name() == offered_)
        discs_.setName({});
    offered_.clear();
    showStatus({});
}

void MediumController::showStatus(const QString& text) {
    // The status line is the controller's only while it still shows what the controller put there.
    const bool ours = !status_.isEmpty() && list_.status()->text() == status_;
    if (text.isEmpty() && !ours)
        return;
    list_.setStatus(text);
    status_ = text;
}

} // namespace dravik::catalogue
