#include "dravik/reports/report_panel.h"

#include "common/ui/file_list_box.h"
#include "common/ui/folder_list_box.h"
#include "dravik/controls/browser_links.h"
#include "dravik/controls/command_array.h"
#include "dravik/controls/command_index.h"
#include "dravik/controls/floating_panel.h"

#include <QFrame>
#include <QVBoxLayout>

namespace dravik::reports {

using controls::GCom;

ReportPanel::ReportPanel(QWidget* host, controls::CommandArray& gCom)
    : QObject(nullptr),
      frame_(controls::floatingPanel(host, "ReportPan", QStringLiteral("Report"))) {
    const QString fromStart = QStringLiteral("Internal-Starts from the beginning of the list");
    controls::panelLayout(frame_)->addWidget(
        gCom.add(GCom::LoadReport, QStringLiteral("Load"), fromStart, frame_));
    controls::panelLayout(frame_)->addWidget(
        gCom.add(GCom::SaveReport, QStringLiteral("Save"), fromStart, frame_));
    folders_ = new common::ui::FolderListBox(frame_);
    folders_->setObjectName(QStringLiteral("Dir3"));
    folders_->hide();
    files_ = new common::ui::FileListBox(frame_);
    files_->setObjectName(QStringLiteral("File4"));
    files_->setPattern(QStringLiteral("*.rtf"));
    files_->hide();
    controls::followFolder(this, folders_, files_);
}

} // namespace dravik::reports
