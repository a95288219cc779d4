#pragma once

#include "dravik/services/feature_context.h"

#include <QObject>
#include <QString>

namespace dravik::catalogue {

class BrowserPanel;

// The main browser follows itself: a drive moves the folder tree, a folder fills the launch list
// `FiL`, a click on an entry keeps its extension key in the list's tag (the current extension).
class BrowserController : public QObject {
    Q_OBJECT
public:
    BrowserController(BrowserPanel& panel, services::FeatureContext context);

    // Fills `FiL` from the folder of `Dir1`.
    void fillFileList();
    // Points the browser at a drive letter and its root.
    void pointAt(const QString& letter);
    // "Refresh Drive Info": the drive list reads the drive afresh.
    void refreshDriveInfo();

private:
    BrowserPanel& panel_;
    workspace::Workspace& workspace_;
};

} // namespace dravik::catalogue
