#include "dravik/extsets/extsets_panel.h"

#include "dravik/controls/command_array.h"
#include "dravik/controls/command_index.h"
#include "dravik/controls/control_tag.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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
    selections_ = editableBox(area, "RemSel", "Saved disc selections");
    auto* remember = new QHBoxLayout;
    remember->addWidget(selections_, 1);
    remember->addWidget(soekCom.add(SoekCom::DeleteSelection, "D", area, "Delete Selection"));
    layout->addWidget(sets_);
    layout->addWidget(soekCom.add(SoekCom::SetSelection, "SET Selection", area, "SET Selection"));
    layout->addLayout(remember);
    layout->addWidget(soekCom.add(SoekCom::RememberSelection, "Remember Selection", area));
}

} // namespace dravik::extsets
