#include "dravik/reports/report_panel.h"

#include "common/ui/file_list_box.h"
#include "common/ui/folder_list_box.h"
#include "dravik/controls/browser_links.h"
#include "dravik/controls/command_array.h"
#include "dravik/controls/command_index.h"
#include "dravik/controls/floating_panel.h"

#include <QAbstractButton>
#include <QFrame>
#include <QHBoxLayout>
#include <QListWidget>
#include <QStyle>
#include <QVBoxLayout>

namespace dravik::reports {

using controls::GCom;
using controls::LoadReportCom;

ReportPanel::ReportPanel(QWidget* host, controls::CommandArray& gCom,
                         controls::CommandArray& loadReportCom)
    : QObject(nullptr),
      frame_(controls::floatingPanel(host, "ReportPan", QStringLiteral("Report"))),
      loadBox_(controls::floatingPanel(host, "LoadReport", QStringLiteral("Load Report"))) {
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

    loadBox_->setToolTip(QStringLiteral("Multiselect Enabled"));
    reports_ = new QListWidget(loadBox_);
    reports_->setObjectName(QStringLiteral("LoadReportLys"));
    reports_->setAccessibleName(QStringLiteral("Saved reports"));
    reports_->setSelectionMode(QAbstractItemView::MultiSelection);
    auto* buttons = new QHBoxLayout;
    QAbstractButton* close = loadReportCom.add(LoadReportCom::Close, {}, {}, loadBox_);
    close->setAccessibleName(QStringLiteral("Close"));
    close->setToolTip(QStringLiteral("Close"));
    close->setIcon(close->style()->standardIcon(QStyle::SP_DialogCloseButton));
    controls::FloatingPanel::of(loadBox_).setCancelButton(close);
    buttons->addWidget(close);
    buttons->addStretch();
    buttons->addWidget(
        loadReportCom.add(LoadReportCom::Load, QStringLiteral("Load Report"), {}, loadBox_));
    controls::panelLayout(loadBox_)->addWidget(reports_);
    controls::panelLayout(loadBox_)->addLayout(buttons);
    // Smaller windows scroll the box rather than cut it.
    controls::panelLayout(loadBox_)->parentWidget()->setMinimumSize(320, 260);
}

} // namespace dravik::reports
