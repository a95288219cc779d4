#include "dravik/search/search_panel.h"

#include "dravik/controls/command_array.h"
#include "dravik/controls/command_index.h"
#include "dravik/controls/floating_panel.h"
#include "dravik/search/disc_selection.h"
#include "dravik/search/row_list_model.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QVBoxLayout>

namespace dravik::search {

using controls::CommandArray;
using controls::SoekCom;

namespace {

template <typename T> T* named(T* widget, const char* name, const char* accessible = nullptr) {
    widget->setObjectName(QString::fromLatin1(name));
    if (accessible)
        widget->setAccessibleName(QString::fromLatin1(accessible));
    return widget;
}

QWidget* command(CommandArray& soekCom, SoekCom index, const char* caption, QWidget* parent,
                 const char* tooltip = "") {
    return soekCom.add(index, QString::fromLatin1(caption), {}, parent,
                       QString::fromLatin1(tooltip));
}

QComboBox* sortedBox(QWidget* parent, const char* name, const char* accessible) {
    auto* box = named(new QComboBox(parent), name, accessible);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

} // namespace

SearchPanel::SearchPanel(QWidget* host, CommandArray& soekCom)
    : QObject(nullptr), frame_(controls::floatingPanel(
                            host, "DSoekPan", QStringLiteral(" Select Discs to search in"))) {
    discs_ = named(new QListWidget(frame_), "SoekLys", "Discs to search");
    discs_->setSelectionMode(QAbstractItemView::MultiSelection);
    new DiscSelection(discs_); // Insert, Ctrl+Insert and the right-button drag
    auto* columns = new QHBoxLayout;
    columns->addWidget(discs_, 2);
    auto* middle = new QWidget(frame_);
    auto* right = new QWidget(frame_);
    columns->addWidget(middle, 2);
    columns->addWidget(right, 2);
    controls::panelLayout(frame_)->addLayout(columns, 1);
    buildExtensions(soekCom, middle);
    buildChoices(soekCom, right);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(command(soekCom, SoekCom::SelectAll, "Select ALL", frame_));
    bottom->addWidget(command(soekCom, SoekCom::SelectNone, "Select NONE", frame_));
    bottom->addStretch();
    bottom->addWidget(command(soekCom, SoekCom::Start, "START", frame_));
    bottom->addWidget(command(soekCom, SoekCom::CancelSearch, "Cancel Search", frame_));
    controls::panelLayout(frame_)->addLayout(bottom);
    frame_->setMinimumSize(760, 460);
    buildCounter(host);
}

SearchPanel::~SearchPanel() = default;

void SearchPanel::buildExtensions(CommandArray& soekCom, QWidget* area) {
    auto* layout = new QVBoxLayout(area);
    count_ = named(new QLabel(QStringLiteral("File type to search for"), area), "Label7_1");
    addExt_ = named(new QLineEdit(area), "AddExt", "New extension");
    addExt_->setMaxLength(6);
    addExt_->setToolTip(QStringLiteral("Max Char = 6"));
    length_ = named(new QLineEdit(QStringLiteral("4"), area), "SLen", "Extension length");
    length_->setMaxLength(1);
    length_->setFixedWidth(30);
    length_->setToolTip(QStringLiteral("Len of extention INCLUDED dot (0=Variable length)"));
    extensions_ = named(new QListWidget(area), "ExtLys", "Extensions to search");
    extensions_->setSelectionMode(QAbstractItemView::MultiSelection);
    auto* adding = new QHBoxLayout;
    adding->addWidget(addExt_);
    adding->addWidget(command(soekCom, SoekCom::AddExtension, "ADD Extention", area));
    auto* finding = new QHBoxLayout;
    finding->addWidget(length_);
    finding->addWidget(command(soekCom, SoekCom::SearchExtension, "Search Extention", area));
    auto* keeping = new QHBoxLayout;
    keeping->addWidget(command(soekCom, SoekCom::SaveList, "Save List", area));
    keeping->addWidget(command(soekCom, SoekCom::ClearList, "C", area, "CLEAR List"));
    keeping->addWidget(command(soekCom, SoekCom::DeleteSelected, "D", area, "DELETE Selected"));
    layout->addWidget(count_);
    layout->addLayout(adding);
    layout->addLayout(finding);
    layout->addWidget(extensions_, 1);
    layout->addLayout(keeping);
}

void SearchPanel::buildChoices(CommandArray& soekCom, QWidget* area) {
    auto* layout = new QVBoxLayout(area);
    sets_ = sortedBox(area, "Sette", "Extension sets");
    selections_ = sortedBox(area, "RemSel", "Saved disc selections");
    caseOn_ = named(new QCheckBox(QStringLiteral("Case sensitive"), area), "CaseON");
    wordOnly_ = named(new QCheckBox(QStringLiteral("Word ONLY"), area), "WordOnly");
    autDub_ = named(new QCheckBox(QStringLiteral("Auto-remove double filenames"), area), "AutDub");
    viewFindings_ = named(new QCheckBox(QStringLiteral("VIEW Findings"), area), "TVieWC");
    auto* remember = new QHBoxLayout;
    remember->addWidget(selections_, 1);
    remember->addWidget(command(soekCom, SoekCom::DeleteSelection, "D", area, "Delete Selection"));
    layout->addWidget(sets_);
    layout->addWidget(
        command(soekCom, SoekCom::SetSelection, "SET Selection", area, "SET Selection"));
    layout->addLayout(remember);
    layout->addWidget(command(soekCom, SoekCom::RememberSelection, "Remember Selection", area));
    for (QCheckBox* option : {caseOn_, wordOnly_, autDub_, viewFindings_})
        layout->addWidget(option);
    layout->addStretch();
    layout->addWidget(command(soekCom, SoekCom::Category, "Category", area));
    layout->addWidget(command(soekCom, SoekCom::DataPath, "Data Path", area));
}

void SearchPanel::buildCounter(QWidget* host) {
    counter_ =
        controls::floatingPanel(host, "FileCounter", QStringLiteral("Search through # files:"));
    examined_ = named(new QLabel(counter_), "TelSoek");
    examined_->setFixedWidth(160);
    controls::panelLayout(counter_)->addWidget(examined_);
    filesFound_ = named(new QLabel(frame_), "TelSoekWys");
    controls::panelLayout(frame_)->addWidget(filesFound_);
    findings_ = named(new QListView(host), "TVieW", "Findings");
    findings_->setUniformItemSizes(true);
    rows_ = new RowListModel(findings_);
    findings_->setModel(rows_);
    findings_->hide();
}

void SearchPanel::open(const QPoint& at) {
    frame_->adjustSize();
    controls::showInside(frame_, at);
}

} // namespace dravik::search
