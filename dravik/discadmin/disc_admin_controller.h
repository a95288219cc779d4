#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

namespace dravik::catalogue {
class DiscPanel;
}
namespace dravik::controls {
class ListViewPanel;
}
namespace dravik::services {
class WindowServices;
}
namespace dravik::workspace {
class Workspace;
}

namespace dravik::discadmin {

class DiscAdminPanel;
class DiscAdmin;

// The disc commands: rename and delete the current disc, delete many discs through their box,
// and clear the find history. Failures reach the command's own error box.
class DiscAdminController : public QObject {
    Q_OBJECT
public:
    DiscAdminController(catalogue::DiscPanel& discs, controls::ListViewPanel& list,
                        DiscAdminPanel& panel, workspace::Workspace& workspace,
                        services::WindowServices& services, std::function<void()> clearFindHistory);

    void rename();
    void deleteDisc();
    void clearFindHistory();
    void openDeleteMany();
    void closeDeleteMany();
    void deleteSelectedDiscs();

private:
    DiscAdmin admin() const;
    bool confirmed(const QString& heading, const QString& text);
    void noDiscSelected();
    // The disc box shows the index as it now is.
    void showDiscs(const QStringList& discs);

    catalogue::DiscPanel& discs_;
    controls::ListViewPanel& list_;
    DiscAdminPanel& panel_;
    workspace::Workspace& workspace_;
    services::WindowServices& services_;
    std::function<void()> clearFindHistory_;
};

} // namespace dravik::discadmin
