#include "dravik/extsets/extsets_panel.h"

#include "dravik/controls/command_array.h"
#include "dravik/controls/command_index.h"
#include "dravik/controls/control_tag.h"
#include "dravik/controls/list_adapter.h"
#include "dravik/controls/list_selection.h"
#include "dravik/extsets/extension_list.h"
#include "dravik/extsets/selections.h"
#include "dravik/extsets/set_box.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>

#include <functional>

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
    extensions_ = named(new QListView(area), "ExtLys", "Extensions to search");
    extensions_->setSelectionMode(QAbstractItemView::MultiSelection);
    extensions_->setUniformItemSizes(true);
    extensions_->setEditTriggers(QAbstractItemView::NoEditTriggers);
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
    selections_ = editableBox(area, "RemSel", "Saved disc selections");
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
    showExtensions(list);
    showSets(sets);
    auto* names = new controls::ListAdapter(
        selections, [&selections]() -> const QStringList& { return selections.names(); },
        selections_);
    selections_->setModel(names);
    connect(&selections, &Selections::changed, names, &controls::ListAdapter::reload);
}

void ExtSetsPanel::showExtensions(ExtensionList& list) {
    auto* entries = new controls::ListAdapter(
        list, [&list]() -> const QStringList& { return list.entries(); }, extensions_);
    extensions_->setModel(entries);
    connect(&list, &ExtensionList::changed, this, [this, &list, entries] {
        showing_ = true;
        entries->reload();
        showing_ = false;
        showSelected(list);
    });
    connect(&list, &ExtensionList::selectionChanged, this, [this, &list] { showSelected(list); });
    connect(extensions_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, &list] {
                if (!showing_)
                    list.setSelection(controls::ListSelection::positions(extensions_));
            });
    showSelected(list);
}

void ExtSetsPanel::showSets(const SetBox& sets) {
    auto* rows = new controls::ListAdapter(
        sets, [&sets]() -> const QStringList& { return sets.rows(); }, sets_);
    // The box keeps the text typed in it whatever the rows do.
    const auto keepingTyped = [this](const std::function<void()>& change) {
        const QString typed = sets_->currentText();
        change();
        sets_->setEditText(typed);
    };
    keepingTyped([this, rows] { sets_->setModel(rows); });
    connect(&sets, &SetBox::changed, this,
            [rows, keepingTyped] { keepingTyped([rows] { rows->reload(); }); });
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
    controls::ListSelection::select(extensions_, rows);
    showing_ = false;
}

} // namespace dravik::extsets
