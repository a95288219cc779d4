#include "dravik/search/search_panel.h"

#include "dravik/controls/command_array.h"
#include "dravik/controls/command_index.h"
#include "dravik/controls/control_tag.h"
#include "dravik/controls/floating_panel.h"
#include "dravik/extsets/extsets_panel.h"
#include "dravik/search/disc_selection.h"
#include "dravik/search/row_list_model.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>

namespace dravik::search {

using controls::CommandArray;
using controls::named;
using controls::SoekCom;

SearchPanel::SearchPanel(QWidget* host, CommandArray& soekCom)
    : QObject(nullptr), frame_(controls::floatingPanel(
                            host, "DSoekPan", QStringLiteral(" Select Discs to search in"))) {
    discs_ = named(new QListView(frame_), "SoekLys", "Discs to search");
    discs_->setSelectionMode(QAbstractItemView::MultiSelection);
    discs_->setUniformItemSizes(true);
    discs_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    new DiscSelection(discs_); // Insert, Ctrl+Insert and the right-button drag
    auto* columns = new QHBoxLayout;
    columns->addWidget(discs_, 2);
    auto* middle = new QWidget(frame_);
    auto* right = new QWidget(frame_);
    columns->addWidget(middle, 2);
    columns->addWidget(right, 2);
    controls::panelLayout(frame_)->addLayout(columns, 1);
    extensionArea_ = middle;
    buildChoices(soekCom, right);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(soekCom.add(SoekCom::SelectAll, "Select ALL", frame_));
    bottom->addWidget(soekCom.add(SoekCom::SelectNone, "Select NONE", frame_));
    bottom->addStretch();
    bottom->addWidget(soekCom.add(SoekCom::Start, "START", frame_));
    QAbstractButton* cancel = soekCom.add(SoekCom::CancelSearch, "Cancel Search", frame_);
    bottom->addWidget(cancel);
    controls::FloatingPanel::of(frame_).setCancelButton(cancel);
    controls::panelLayout(frame_)->addLayout(bottom);
    buildCounter(host);
}

SearchPanel::~SearchPanel() = default;

void SearchPanel::buildChoices(CommandArray& soekCom, QWidget* area) {
    auto* layout = new QVBoxLayout(area);
    auto* sets = new QWidget(area);
    extensionsPanel_ = std::make_unique<extsets::ExtSetsPanel>(extensionArea_, sets, soekCom);
    caseOn_ = named(new QCheckBox(QStringLiteral("Case sensitive"), area), "CaseON");
    wordOnly_ = named(new QCheckBox(QStringLiteral("Word ONLY"), area), "WordOnly");
    autDub_ = named(new QCheckBox(QStringLiteral("Auto-remove double filenames"), area), "AutDub");
    viewFindings_ = named(new QCheckBox(QStringLiteral("VIEW Findings"), area), "TVieWC");
    layout->addWidget(sets);
    for (QCheckBox* option : {caseOn_, wordOnly_, autDub_, viewFindings_})
        layout->addWidget(option);
    layout->addStretch();
    layout->addWidget(soekCom.add(SoekCom::Category, "Category", area));
    layout->addWidget(soekCom.add(SoekCom::DataPath, "Data Path", area));
}

void SearchPanel::buildCounter(QWidget* host) {
    counter_ =
        controls::floatingPanel(host, "FileCounter", QStringLiteral("Search through # files:"));
    examined_ = named(new QLabel(counter_), "TelSoek");
    examined_->setFixedWidth(160);
    controls::panelLayout(counter_)->addWidget(examined_);
    // It comes and goes with the search; Escape is for the panel under it.
    controls::FloatingPanel::of(counter_).setEscape(controls::FloatingPanel::Escape::Ignored);
    filesFound_ = named(new QLabel(frame_), "TelSoekWys");
    controls::panelLayout(frame_)->addWidget(filesFound_);
    findings_ = named(new QListView(host), "TVieW", "Findings");
    findings_->setUniformItemSizes(true);
    rows_ = new RowListModel(findings_);
    findings_->setModel(rows_);
    findings_->hide();
}

void SearchPanel::open(std::function<QRect()> room) {
    controls::FloatingPanel::of(frame_).showWithin(std::move(room));
}

} // namespace dravik::search
