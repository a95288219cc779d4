#pragma once

#include "common/mount_table.h"
#include "dravik/services/feature_context.h"
#include "dravik/services/medium_recogniser.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QThread;

namespace dravik::catalogue {

class DiscIndex;
class DiscPanel;

// Recognises the medium in the default drive as it comes: an empty disc box is offered its volume
// label, and a medium the catalogue knows is named in the status line and in the box. The
// recogniser runs on a thread of its own, so a drive spinning up never holds up the window.
class MediumController : public QObject {
    Q_OBJECT
public:
    // While `busy` says a command runs, the box and the status line are the command's, and what
    // was found is not shown.
    MediumController(const DiscIndex& index, DiscPanel& discs,
                     const services::MediumRecogniser& recogniser, services::FeatureContext context,
                     std::function<bool()> busy = {});
    // Waits for a look under way: it uses the recogniser.
    ~MediumController() override;

    // A mount came or went; the drive is looked at again when it concerns the default drive.
    void mountChanged(const common::MountChange& change);
    // Looks at the default drive now.
    void look();

    // "This disc is in the catalogue as 'Holiday 2009' (catalogued 2026-03-01)".
    static QString knownText(const services::CataloguedDisc& disc);

signals:
    // A look ended and what it found is shown.
    void looked();

private:
    // What an offer may replace besides an empty box and the controller's own offer.
    enum class Replacing { OwnOfferOnly, ListedDiscToo };
    struct Finding {
        std::optional<services::MediumIdentity> medium;
        std::optional<services::CataloguedDisc> disc;
    };

    bool concernsDefaultDrive(const common::MountChange& change) const;
    void lookEnded(const Finding& finding);
    void show(const Finding& finding);
    // Offers `name` in the box when the box is the controller's to fill.
    void offer(const QString& name, Replacing replacing);
    // Takes back what the controller showed and the user has left as it was.
    void withdraw();
    void showStatus(const QString& text);

    const DiscIndex& index_;
    DiscPanel& discs_;
    const services::MediumRecogniser& recogniser_;
    controls::ListViewPanel& list_;
    workspace::Workspace& workspace_;
    std::function<bool()> busy_;
    std::unique_ptr<QThread> looking_;
    bool lookAgain_ = false;
    QString offered_; // the name put in the box, until the user acts on the box
    QString status_;  // the status line shown, while it shows it
};

} // namespace dravik::catalogue
