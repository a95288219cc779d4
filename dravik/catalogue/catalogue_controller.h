#pragma once

#include "dravik/catalogue/cataloguer.h"

#include <QObject>

#include <functional>

namespace dravik::workspace {
class MainWindow;
}

namespace dravik::catalogue {

// Cataloguing in the main window: the disc box's keys, the naming step (Enter or CREATE), the
// build with its captions and colours, the next-disc command and the change notice.
class CatalogueController : public QObject {
    Q_OBJECT
public:
    explicit CatalogueController(workspace::MainWindow& window);

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
    bool building() const { return building_; }

    // What the window does while a walk runs: counts into `FileLab` and `DirLab`, repaints.
    walker::WalkEngine::Progress walkProgress();

    // "Disc 9" -> "Disc 10", "Disc 099" -> "Disc 100"; a name without a final digit is unchanged.
    static QString nextName(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build(const QString& name);
    void discError();
    void refuse(const QString& reason);

    workspace::MainWindow& window_;
    std::function<void()> open_;
    bool building_ = false;
};

} // namespace dravik::catalogue
