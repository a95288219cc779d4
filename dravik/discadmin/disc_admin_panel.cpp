#include "dravik/discadmin/disc_admin_panel.h"

#include "dravik/controls/command_array.h"
#include "dravik/controls/command_index.h"
#include "dravik/controls/floating_panel.h"

#include <QFrame>
#include <QVBoxLayout>

namespace dravik::discadmin {

using controls::SSPanel1;
using controls::XCom;

DiscAdminPanel::DiscAdminPanel(QWidget* host, controls::CommandArray& ssPanel1,
                               controls::CommandArray& xCom)
    : QObject(nullptr),
      deleteMany_(controls::floatingPanel(host, "DelManyPan", QStringLiteral("Delete Many Discs"))),
      oldFiles_(controls::floatingPanel(host, "UpXFiles", QStringLiteral("Update old files"))) {
    auto* many = controls::panelLayout(deleteMany_);
    many->addWidget(ssPanel1.add(SSPanel1::CloseDeleteMany, QStringLiteral("X"),
                                 QStringLiteral("Close this box"), deleteMany_));
    many->addWidget(
        ssPanel1.add(SSPanel1::DeleteSelectedDiscs, QStringLiteral("DELETE SELECTED DISCS"),
                     QStringLiteral("DELETE the selected discs and close this box"), deleteMany_));
    auto* old = controls::panelLayout(oldFiles_);
    old->addWidget(xCom.add(XCom::Go, QStringLiteral("Go!"), {}, oldFiles_));
    old->addWidget(xCom.add(XCom::Close, QStringLiteral("X"), {}, oldFiles_));
}

} // namespace dravik::discadmin
