#pragma once

#include <QObject>

class QFrame;
class QWidget;

namespace dravik::controls {
class CommandArray;
}

namespace dravik::discadmin {

// The boxes of disc administration that float over the window: "Delete Many Discs" and
// "Update old files" `UpXFiles`.
class DiscAdminPanel : public QObject {
    Q_OBJECT
public:
    DiscAdminPanel(QWidget* host, controls::CommandArray& ssPanel1, controls::CommandArray& xCom);

    QFrame* deleteMany() const { return deleteMany_; }
    QFrame* oldFiles() const { return oldFiles_; } // `UpXFiles`

private:
    QFrame* deleteMany_;
    QFrame* oldFiles_;
};

} // namespace dravik::discadmin
