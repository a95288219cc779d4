#include "dravik/search/search_panel.h"

#include "dravik/search/disc_selection.h"

#include "dravik/controls/command_array.h"
#include "dravik/controls/command_index.h"
#include "dravik/controls/floating_panel.h"

#include <QFrame>
#include <QGridLayout>
#include <QListWidget>
#include <QVBoxLayout>

namespace dravik::search {

using controls::SoekCom;

namespace {

struct Command {
    SoekCom index;
    const char* caption;
    const char* tooltip;
};

const Command Commands[] = {
    {SoekCom::CancelSearch, "Cancel Search", ""},
    {SoekCom::SelectAll, "Select ALL", ""},
    {SoekCom::SelectNone, "Select NONE", ""},
    {SoekCom::Start, "START", ""},
    {SoekCom::RememberSelection, "Remember Selection", ""},
    {SoekCom::SetSelection, "SET Selection", ""},
    {SoekCom::AddExtension, "ADD Extention", ""},
    {SoekCom::SearchExtension, "Search Extention", ""},
    {SoekCom::SaveList, "Save List", ""},
    {SoekCom::ClearList, "CLR", "CLEAR List"},
    {SoekCom::DeleteSelected, "DEL", "DELETE Selected"},
    {SoekCom::DeleteSelection, "DEL SEL", "Delete Selection"},
    {SoekCom::DataPath, "Data Path", ""},
    {SoekCom::Category, "Category", ""},
};

} // namespace

SearchPanel::SearchPanel(QWidget* host, controls::CommandArray& soekCom)
    : QObject(nullptr), frame_(controls::floatingPanel(
                            host, "DSoekPan", QStringLiteral(" Select Discs to search in"))) {
    discs_ = new QListWidget(frame_);
    discs_->setObjectName(QStringLiteral("SoekLys"));
    discs_->setAccessibleName(QStringLiteral("Discs to search"));
    discs_->setSelectionMode(QAbstractItemView::MultiSelection);
    new DiscSelection(discs_); // Insert, Ctrl+Insert and the right-button drag
    controls::panelLayout(frame_)->addWidget(discs_);
    auto* grid = new QGridLayout;
    int cell = 0;
    for (const Command& c : Commands) {
        grid->addWidget(soekCom.add(c.index, QString::fromLatin1(c.caption), {}, frame_,
                                    QString::fromLatin1(c.tooltip)),
                        cell / 4, cell % 4);
        ++cell;
    }
    controls::panelLayout(frame_)->addLayout(grid);
}

} // namespace dravik::search
