#pragma once

#include "common/error.h"
#include "dravik/services/feature_context.h"

#include <QObject>
#include <QStringList>

#include <functional>

namespace dravik::catalogue {
class DiscIndex;
class DiscPanel;
} // namespace dravik::catalogue

namespace dravik::discadmin {

class DiscAdminPanel;
class DiscAdmin;

// The disc commands: rename and delete the current disc, delete many discs through their box,
// and clear the find history. They act on the disc index, never on what a box shows, and the
// boxes follow the index whatever happened. Failures reach the command's own error box.
class DiscAdminController : public QObject {
    Q_OBJECT
public:
    DiscAdminController(catalogue::DiscIndex& index, catalogue::DiscPanel& discs,
                        DiscAdminPanel& panel, services::FeatureContext context,
                        std::function<void()> clearFindHistory);

    void rename();
    void deleteDisc();
    void clearFindHistory();
    void openDeleteMany();
    void closeDeleteMany();
    void deleteSelectedDiscs();

private:
    bool confirmed(const QString& heading, const QString& text);
    void noDiscSelected();
    bool refusedAsReadOnly(const QString& heading);
    // Tells which chosen discs the index no longer held (another program deleted or renamed
    // them meanwhile): they were left alone.
    void reportLeftAlone(const QStringList& names);
    // A step that failed after the change itself was made.
    void reportAfterChange(int index, const QString& done, const common::Error& e);

    catalogue::DiscIndex& index_;
    catalogue::DiscPanel& discs_;
    controls::ListViewPanel& list_;
    DiscAdminPanel& panel_;
    workspace::Workspace& workspace_;
    services::WindowServices& services_;
    std::function<void()> clearFindHistory_;
};

} // namespace dravik::discadmin
