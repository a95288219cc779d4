#include "dravik/discadmin/disc_admin_panel.h"

#include "common/ui/file_list_box.h"
#include "dravik/catalogue/disc_index.h"
#include "dravik/controls/command_array.h"
#include "dravik/controls/command_index.h"
#include "dravik/controls/control_tag.h"
#include "dravik/controls/floating_panel.h"
#include "dravik/controls/list_adapter.h"
#include "dravik/controls/list_selection.h"

#include <QAbstractButton>
#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace dravik::discadmin {

using controls::SSPanel1;
using controls::XCom;

DiscAdminPanel::DiscAdminPanel(QWidget* host, controls::CommandArray& ssPanel1,
                               controls::CommandArray& xCom)
    : QObject(nullptr), deleteMany_(controls::floatingPanel(
                            host, "DmD", QStringLiteral(" DANGER: Delete many discs at once"))),
      oldFiles_(controls::floatingPanel(host, "UpXFiles", QStringLiteral("Update old files"))) {
    manyDiscs_ = new QListView(deleteMany_);
    manyDiscs_->setUniformItemSizes(true);
    manyDiscs_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    manyDiscs_->setObjectName(QStringLiteral("DmDLys"));
    manyDiscs_->setAccessibleName(QStringLiteral("Discs to delete"));
    manyDiscs_->setSelectionMode(QAbstractItemView::MultiSelection);
    auto* many = controls::panelLayout(deleteMany_);
    many->addWidget(manyDiscs_);
    QAbstractButton* closeMany = ssPanel1.add(SSPanel1::CloseDeleteMany, QStringLiteral("X"),
                                              QStringLiteral("Close this box"), deleteMany_);
    many->addWidget(closeMany);
    controls::FloatingPanel::of(deleteMany_).setCancelButton(closeMany);
    many->addWidget(
        ssPanel1.add(SSPanel1::DeleteSelectedDiscs, QStringLiteral("DELETE SELECTED DISCS"),
                     QStringLiteral("DELETE the selected discs and close this box"), deleteMany_));

    oldLists_ = new common::ui::FileListBox(oldFiles_);
    oldLists_->setObjectName(QStringLiteral("XFile"));
    oldLists_->setAccessibleName(QStringLiteral("Lists to update"));
    oldLists_->setPattern(QStringLiteral("*.rtf"));
    oldLists_->setSelectionMode(QAbstractItemView::MultiSelection);
    auto* old = controls::panelLayout(oldFiles_);
    old->addWidget(oldLists_);
    old->addWidget(xCom.add(XCom::Go, QStringLiteral("Go!"), {}, oldFiles_));
    QAbstractButton* closeOld = xCom.add(XCom::Close, QStringLiteral("X"), {}, oldFiles_);
    old->addWidget(closeOld);
    controls::FloatingPanel::of(oldFiles_).setCancelButton(closeOld);

    goTo_ = controls::raisedLabel(host, "OpenFile", QStringLiteral("GoTo"));
    goTo_->setProperty(controls::CommandArray::HelpProperty,
                       QStringLiteral("After selection in bicbox, go to spesific place on given "
                                      "disc"));
    goTo_->installEventFilter(this);
}

bool DiscAdminPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == goTo_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        emit goToClicked();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void DiscAdminPanel::follow(const catalogue::DiscIndex& index) {
    auto* discs = new controls::ListAdapter(
        index, [&index]() -> const QStringList& { return index.names(); }, manyDiscs_);
    manyDiscs_->setModel(discs);
    connect(&index, &catalogue::DiscIndex::changed, this, [this, discs] {
        controls::ListSelection::keepChosen(manyDiscs_, [discs] { discs->reload(); });
    });
}

void DiscAdminPanel::clearChoice() {
    manyDiscs_->clearSelection();
}

QStringList DiscAdminPanel::chosenDiscs() const {
    return controls::ListSelection::texts(manyDiscs_);
}

} // namespace dravik::discadmin
