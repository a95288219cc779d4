#include "dravik/launch/association_panel.h"

#include "common/ui/drive_list_box.h"
#include "common/ui/file_list_box.h"
#include "common/ui/folder_list_box.h"
#include "dravik/controls/command_array.h"
#include "dravik/controls/command_index.h"
#include "dravik/controls/control_tag.h"
#include "dravik/controls/floating_panel.h"
#include "dravik/controls/list_adapter.h"
#include "dravik/launch/association_model.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace dravik::launch {

using controls::named;
using controls::SoCCom;

namespace {

// `HLys`, by position; a button's hint is the text at its index plus one.
const char* const Hints[] = {
    "Green-Paste path from memory and enter",
    "New-Clear all fields and begin with next association",
    "Edited-After edit in yellow line",
    "Delete-Delete current selected association in link list",
    "OK-Exit the association option box",
    "Select-Complete the association of the file",
    "LinkList-Visual and selective list of all associations",
    "Association Line-This is the association of the file. Also to edit an existing link from "
    "the list",
    "Extention List-Current extentions",
    "This is me!",
    "How it Works",
};
enum HintIndex { LinkListHint = 6, ThisIsMeHint = 9, HowItWorksHint = 10 };

void colourBase(QWidget* widget, const QColor& colour) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Base, colour);
    widget->setPalette(p);
}

} // namespace

AssociationPanel::AssociationPanel(QWidget* host, const common::DriveTable& drives,
                                   controls::CommandArray& soCCom)
    : QObject(nullptr),
      frame_(controls::floatingPanel(host, "SocPan", QStringLiteral("Associations"))) {
    hints_ = named(new QListWidget(frame_), "HLys");
    for (const char* text : Hints)
        hints_->addItem(QString::fromUtf8(text));
    hints_->hide();
    buildPicker(drives, soCCom);
    help_ = named(new QTextEdit(frame_), "AssHP", "Association help");
    help_->setReadOnly(true);
    buildLists();

    auto* howItWorks = new QGroupBox(QStringLiteral(" How it works"), frame_);
    hint_ = named(new QLabel(howItWorks), "HIW");
    hint_->setWordWrap(true);
    (new QVBoxLayout(howItWorks))->addWidget(hint_);

    auto* top = new QHBoxLayout;
    top->addWidget(picker_);
    top->addWidget(help_, 2);
    top->addWidget(extensions_);
    auto* layout = controls::panelLayout(frame_);
    layout->addLayout(top, 1);
    layout->addWidget(line_);
    layout->addWidget(links_, 1);
    auto* buttons = new QHBoxLayout;
    const char* captions[] = {"NEW", "EDITed", "DELETE", "OK"};
    for (const SoCCom index : {SoCCom::New, SoCCom::Edited, SoCCom::Delete, SoCCom::Ok}) {
        QWidget* button = soCCom.add(index, QString::fromLatin1(captions[int(index)]), {}, frame_);
        watchForHint(button, hints_->item(int(index) + 1)->text());
        buttons->addWidget(button);
    }
    // Typing in the association line makes "EDITed" worth pressing.
    edited_ = soCCom.element(SoCCom::Edited);
    edited_->setEnabled(false);
    buttons->addWidget(howItWorks, 1);
    layout->addLayout(buttons);
    watchForHint(hint_, hints_->item(ThisIsMeHint)->text());
    watchForHint(help_, hints_->item(HowItWorksHint)->text());
    watchForHint(links_, hints_->item(LinkListHint)->text());
    // OK is the panel's way out, Escape's too.
    controls::FloatingPanel::of(frame_).setCancelButton(soCCom.element(SoCCom::Ok));
    // Smaller windows scroll the panel rather than cut it.
    layout->parentWidget()->setMinimumSize(760, 480);
}

void AssociationPanel::buildPicker(const common::DriveTable& drives,
                                   controls::CommandArray& soCCom) {
    picker_ = named(new QFrame(frame_), "AddNew");
    picker_->setFixedWidth(230);
    pickerDrives_ = named(new common::ui::DriveListBox(drives, picker_), "Drive2");
    pickerFolders_ = named(new common::ui::FolderListBox(picker_), "Dir2");
    pickerFiles_ = named(new common::ui::FileListBox(picker_), "File2");
    pickerFiles_->setPattern(QStringLiteral("*.exe;*.com;*.bat"));
    pickerFiles_->setIncludeExecutables(true);
    pastePad_ = named(new QLineEdit(picker_), "PastePad", "Folder to open");
    colourBase(pastePad_, QColor(0xc0, 0xff, 0xc0));
    // "&&" shows one "&" on a label that has a buddy.
    auto* pasteLabel = new QLabel(QStringLiteral("Paste path && enter"), picker_);
    pasteLabel->setBuddy(pastePad_);
    QWidget* select = soCCom.add(SoCCom::Select, QStringLiteral("Select"), {}, picker_);
    watchForHint(select, hints_->item(int(SoCCom::Select) + 1)->text());
    watchForHint(pastePad_, QStringLiteral("Paste the destination folder to open. EX: copy path "
                                           "from Explorer and enter"));
    auto* column = new QVBoxLayout(picker_);
    column->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : {static_cast<QWidget*>(pickerDrives_), static_cast<QWidget*>(pickerFolders_),
                       static_cast<QWidget*>(pickerFiles_), static_cast<QWidget*>(pasteLabel),
                       static_cast<QWidget*>(pastePad_), select})
        column->addWidget(w);
}

void AssociationPanel::buildLists() {
    extensions_ = named(new QListView(frame_), "EXLys", "Extensions");
    extensions_->setFixedWidth(90);
    line_ = named(new QLineEdit(frame_), "SoCTeX", "Association line");
    colourBase(line_, QColor(0xff, 0xff, 0xc0));
    line_->setProperty(controls::CommandArray::HelpProperty,
                       QStringLiteral("Use to modify and Edit. Also to see complete prg and path"));
    links_ = named(new QListView(frame_), "SoCLys", "Associations");
    colourBase(links_, QColor(0xc0, 0xff, 0xff));
    links_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void AssociationPanel::watchForHint(QWidget* widget, const QString& text) {
    widget->setProperty("hint", text);
    widget->installEventFilter(this);
}

bool AssociationPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
        const QVariant text = watched->property("hint");
        if (text.isValid())
            hint_->setText(text.toString());
    }
    return QObject::eventFilter(watched, event);
}

void AssociationPanel::showModel(const AssociationModel& model) {
    auto* links = new controls::ListAdapter(
        model, [&model]() -> const QStringList& { return model.links(); }, links_);
    auto* extensions = new controls::ListAdapter(
        model, [&model]() -> const QStringList& { return model.extensions(); }, extensions_);
    connect(&model, &AssociationModel::linksChanged, links, &controls::ListAdapter::reload);
    connect(&model, &AssociationModel::extensionsChanged, extensions,
            &controls::ListAdapter::reload);
    links_->setModel(links);
    extensions_->setModel(extensions);
}

int AssociationPanel::chosenLink() const {
    const QModelIndex current = links_->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void AssociationPanel::forgetChosenLink() {
    links_->setCurrentIndex(QModelIndex());
}

void AssociationPanel::open() {
    controls::showCentred(frame_);
    frame_->setFocus();
}

} // namespace dravik::launch
