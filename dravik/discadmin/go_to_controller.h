#pragma once

#include "dravik/services/feature_context.h"

#include <QObject>
#include <QString>

#include <optional>

namespace dravik::catalogue {
class BrowserPanel;
}

namespace dravik::discadmin {

class DrivePanel;

// "GoTo" (`OpenFile`): the folder selected in the list view is opened in the main browser on the
// disc in the current default drive, whatever drive letter the list recorded. Whether the right
// disc is in the drive shows by whether the folder is there.
class GoToController : public QObject {
    Q_OBJECT
public:
    GoToController(catalogue::BrowserPanel& browser, DrivePanel& drives,
                   services::FeatureContext context);

    void goTo();

    // The folder a selection names, below the drive: "\Photos\2009" for "E:\Photos\2009\", for
    // a whole list line and for a whole search result row; nothing for less than two characters.
    static std::optional<QString> folderOf(const QString& selection);

private:
    void open(const QString& folder);

    controls::ListViewPanel& list_;
    catalogue::BrowserPanel& browser_;
    DrivePanel& drives_;
    workspace::Workspace& workspace_;
    services::WindowServices& services_;
};

} // namespace dravik::discadmin
