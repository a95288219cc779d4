#include "dravik/extsets/extsets_panel.h"

#include "dravik/controls/command_array.h"
#include "dravik/controls/command_index.h"
#include "dravik/controls/control_tag.h"
#include "dravik/controls/list_selection.h"
#include "dravik/extsets/extension_list.h"
#include "dravik/extsets/selections.h"
#include "dravik/extsets/set_box.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStringListModel>
#include <QVBoxLayout>

namespace dravik::extsets {

using controls::CommandArray;
using controls::named;
using controls::SoekCom;

namespace {

QComboBox* editableBox(QWidget* parent, const char* name, const char* accessible) {
    auto* box = named(new QComboBox(parent), name, accessible);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

} // namespace

ExtSetsPanel::ExtSetsPanel(QWidget* extensionArea, QWidget* setArea, CommandArray& soekCom)
    : QObject(nullptr) {
    buildExtensions(extensionArea, soekCom);
    buildSets(setArea, soekCom);
}

void ExtSetsPanel::buildExtensions(QWidget* area, CommandArray& soekCom) {
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
    adding->addWidget(soekCom.add(SoekCom::AddExtension, "ADD Extention", area));
    auto* finding = new QHBoxLayout;
    finding->addWidget(length_);
    finding->addWidget(soekCom.add(SoekCom::SearchExtension, "Search Extention", area));
    auto* keeping = new QHBoxLayout;
    keeping->addWidget(soekCom.add(SoekCom::SaveList, "Save List", area));
    keeping->addWidget(soekCom.add(SoekCom::ClearList, "C", area, "CLEAR List"));
    keeping->addWidget(soekCom.add(SoekCom::DeleteSelected, "D", area, "DELETE Selected"));
    layout->addWidget(count_);
    layout->addLayout(adding);
    layout->addLayout(finding);
    layout->addWidget(extensions_, 1);
    layout->addLayout(keeping);
}

void ExtSetsPanel::buildSets(QWidget* area, CommandArray& soekCom) {
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    sets_ = editableBox(area, "Sette", "Extension sets");
    setRows_ = new QStringListModel(sets_);
    sets_->setModel(setRows_);
    selections_ = editableBox(area, "RemSel", "Saved disc selections");
    selectionRows_ = new QStringListModel(selections_);
    selections_->setModel(selectionRows_);
    auto* remember = new QHBoxLayout;
    remember->addWidget(selections_, 1);
    remember->addWidget(soekCom.add(SoekCom::DeleteSelection, "D", area, "Delete Selection"));
    layout->addWidget(sets_);
    layout->addWidget(soekCom.add(SoekCom::SetSelection, "SET Selection", area, "SET Selection"));
    layout->addLayout(remember);
    layout->addWidget(soekCom.add(SoekCom::RememberSelection, "Remember Selection", area));
}

void ExtSetsPanel::showModels(ExtensionList& list, const SetBox& sets,
                              const Selections& selections) {
    connect(&list, &ExtensionList::changed, this, [this, &list] { showEntries(list); });
    connect(&list, &ExtensionList::selectionChanged, this, [this, &list] { showSelected(list); });
    connect(extensions_, &QListWidget::itemSelectionChanged, this, [this, &list] {
        if (!showing_)
            list.setSelection(controls::ListSelection::positions(extensions_));
    });
    const auto showSets = [this, &sets] {
        const QString typed = sets_->currentText();
        setRows_->setStringList(sets.rows());
        sets_->setEditText(typed);
    };
    const auto showSelections = [this, &selections] {
        selectionRows_->setStringList(selections.names());
    };
    connect(&sets, &SetBox::changed, this, showSets);
    connect(&selections, &Selections::changed, this, showSelections);
    showEntries(list);
    showSets();
    showSelections();
}

void ExtSetsPanel::showEntries(const ExtensionList& list) {
    showing_ = true;
    extensions_->clear();
    extensions_->addItems(list.entries());
    showing_ = false;
    showSelected(list);
}

void ExtSetsPanel::showSelected(const ExtensionList& list) {
    std::vector<int> rows;
    for (int i = 0; i < list.size(); ++i) {
        if (list.isSelected(i))
            rows.push_back(i);
    }
    if (rows == controls::ListSelection::positions(extensions_))
        return; // the user's own choice coming back
    showing_ = true;
    extensions_->clearSelection();
    for (const int row : rows)
        extensions_->item(row)->setSelected(true);
    showing_ = false;
}

} // namespace dravik::extsets
