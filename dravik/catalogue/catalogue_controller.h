#pragma once

#include "common/ui/dialogs.h"
#include "dravik/catalogue/cataloguer.h"
#include "dravik/services/feature_context.h"

#include <QObject>

#include <functional>

namespace dravik::catalogue {

class BrowserPanel;
class DiscPanel;

// Cataloguing in the main window: the disc box's keys, the naming step (Enter or CREATE), the
// build with its captions and colours, the next-disc command and the change notice.
class CatalogueController : public QObject {
    Q_OBJECT
public:
    CatalogueController(DiscIndex& index, DiscPanel& discs, BrowserPanel& browser,
                        services::FeatureContext context);

    // Opens the disc named in the disc box (used when a rebuild is declined).
    void setOpener(std::function<void()> open) { open_ = std::move(open); }

    // Enter in the disc box.
    void namingStep();
    // CREATE (`GCom` 7).
    void create();
    // `NDc`: the next name of a numbered series.
    void nextDisc();
    // Key release in the disc box: is the text an existing disc?
    void updateNameExists();
    // The change notice was clicked: the change is acknowledged.
    void acknowledgeChange();

    // What the window does while a walk runs: counts into `FileLab` and `DirLab`, repaints.
    walker::WalkEngine::Progress walkProgress();

    // "Disc 9" -> "Disc 10", "Disc 099" -> "Disc 100"; a name without a final digit is unchanged.
    static QString nextName(const QString& name);

private:
    // Refusals, a busy walk, the rebuild question and a missing drive; false ends the step.
    bool mayCatalogue(const QString& name);
    // The drive check and, for a name already listed, the re-use question; false ends the step.
    bool checkDriveAndName(const QString& name, Cataloguer& cataloguer);
    void build(const QString& name);
    void buildSteps(const QString& name);
    void showFinished(const QString& name, const Cataloguer::Built& built);
    void showFailed();
    bool confirmed(const QString& heading, const QString& text, common::ui::Icon icon);
    void discError();
    void refuse(const QString& reason);

    DiscIndex& index_;
    DiscPanel& discs_;
    controls::ListViewPanel& list_;
    BrowserPanel& browser_;
    workspace::Workspace& workspace_;
    services::WindowServices& services_;
    std::function<void()> open_;
};

} // namespace dravik::catalogue
