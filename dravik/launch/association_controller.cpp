#include "dravik/launch/association_controller.h"

#include "common/error.h"
#include "common/folder_path.h"
#include "common/ui/drive_list_box.h"
#include "common/ui/file_list_box.h"
#include "common/ui/folder_list_box.h"
#include "dravik/controls/browser_links.h"
#include "dravik/launch/association_help.h"
#include "dravik/launch/association_model.h"
#include "dravik/launch/association_panel.h"
#include "dravik/launch/association_table.h"
#include "dravik/services/window_services.h"
#include "dravik/workspace/workspace.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMouseEvent>
#include <QTextEdit>

namespace dravik::launch {

namespace Answer = common::ui::Answer;
using common::ui::Buttons;
using common::ui::Icon;
using common::ui::YieldPoint;

namespace {

// Where a pasted folder stops being a folder: "C:\A\B" -> "C:\A", "C:\A" -> "C:", "/a/b" -> "/a".
QString cutBack(const QString& text) {
    const qsizetype at = std::max(text.lastIndexOf(u'\\'), text.lastIndexOf(u'/'));
    if (at < 0)
        return {};
    return at == 0 ? text.left(1) : text.left(at);
}

bool isDriveForm(const QString& text) {
    return text.size() >= 2 && text[0].isLetter() && text[1] == u':';
}

} // namespace

AssociationController::AssociationController(AssociationPanel& panel, AssociationModel& model,
                                             services::FeatureContext context,
                                             std::function<QString()> currentExtension)
    : panel_(panel), model_(model), workspace_(context.workspace), services_(context.window),
      currentExtension_(std::move(currentExtension)) {
    controls::followDrive(this, panel.pickerDrives(), panel.pickerFolders(),
                          [&services = context.window](const QString& reason) {
                              services.reportError(QStringLiteral("Drive2_Change"), 0,
                                                   common::ErrorNumber::DeviceUnavailable, reason);
                          });
    connect(panel.pickerFolders(), &common::ui::FolderListBox::pathChanged, this,
            &AssociationController::pickerFolderChanged);
    connect(panel.pickerFiles(), &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        panel_.line()->setText(pickerFolder_ + item->text());
    });
    connect(panel.links(), &QListView::clicked, this, [this](const QModelIndex& index) {
        // The line comes from the table itself, never from what the list happens to show.
        if (index.row() < model_.links().size())
            panel_.line()->setText(model_.links().at(index.row()));
    });
    connect(panel.line(), &QLineEdit::textEdited, this, [this] {
        // Typing in the association line is what makes it worth storing.
        panel_.editedButton()->setEnabled(true);
    });
    panel.links()->viewport()->installEventFilter(this);
    panel.pastePad()->installEventFilter(this);
    offerPlaces();
    // The picker starts where programs can be found rather than nowhere.
    try {
        pointPickerAt(QStringLiteral("C:"));
    } catch (const common::Error&) {
        // Without a home folder the picker starts empty; the user can still type a path.
    }
}

void AssociationController::offerPlaces() {
    // Where programs live on this system, beyond the drives.
    for (const char* place : {"/usr/bin", "/usr/local/bin", "/opt", "/"}) {
        std::error_code ec;
        if (std::filesystem::is_directory(place, ec))
            panel_.pickerDrives()->addPlace(place);
    }
}

void AssociationController::pickerFolderChanged(const QString& folder) {
    try {
        panel_.pickerFiles()->setFolder(folder.toStdString());
    } catch (const common::Error&) {
        // A folder that cannot be listed offers no programs; the folder list says where it is.
        panel_.pickerFiles()->clear();
    }
    pickerFolder_ = common::FolderPath::withSeparator(folder);
}

void AssociationController::afterButton() {
    services_.yieldPoint().at({YieldPoint::Background});
}

void AssociationController::newLink() {
    pointPickerAt(QStringLiteral("C:"));
    panel_.picker()->show();
    panel_.line()->clear();
    panel_.forgetChosenLink(); // the next line is a new link, not an edit
    afterButton();
}

void AssociationController::edited() {
    const QString line = panel_.line()->text();
    if (line.isEmpty())
        return;
    // Without a link selected (a new line, a deletion undone) the line joins the list.
    const int row = panel_.chosenLink();
    if (row >= 0)
        model_.replaceLink(row, line);
    else
        model_.appendEdited(line);
    panel_.line()->clear();
    afterButton();
}

void AssociationController::remove() {
    const int row = panel_.chosenLink();
    if (row < 0 || row >= model_.links().size())
        return;
    const QString link = model_.links().at(row);
    model_.removeLink(row);
    deleted_ = link;
    afterButton();
}

void AssociationController::close() {
    panel_.frame()->hide();
    panel_.help()->clear();
    afterButton();
}

void AssociationController::select() {
    const QString key = currentExtension_().trimmed();
    if (key.isEmpty()) {
        // A line without a key never matches a file.
        panel_.hint()->setText(
            QStringLiteral("No extension to link: click a file with an extension in the file "
                           "list first."));
        return;
    }
    QListWidgetItem* program = panel_.pickerFiles()->currentItem();
    if (!program) {
        panel_.hint()->setText(QStringLiteral("Choose the program in the list above first."));
        return;
    }
    model_.addLink(AssociationTable::line(key, pickerFolder_ + program->text()));
    afterButton();
}

void AssociationController::show() {
    panel_.help()->setHtml(AssociationHelp::load(workspace_.programFolder()));
    panel_.open();
}

void AssociationController::openFor(const QString& key) {
    panel_.line()->clear();
    show();
    model_.addExtension(key);
}

void AssociationController::offerUndo() {
    if (deleted_.isEmpty())
        return;
    if (services_.ask(QStringLiteral("Undo Last Deletion"),
                      QStringLiteral("Undo DELETE association?"), Buttons::YesNo,
                      Icon::Question) == Answer::Yes) {
        panel_.line()->setText(deleted_);
        panel_.forgetChosenLink(); // "EDITed" adds it back, replacing nothing
    }
}

// Points the picker at a folder typed as "E:\Tools" or as a local path.
void AssociationController::pointPickerAt(const QString& text) {
    const common::DriveTable& drives = workspace_.drives();
    if (isDriveForm(text)) {
        panel_.pickerDrives()->setDrive(text.left(1));
        const auto root = drives.root(text[0].toLatin1());
        const auto folder = text.size() > 2 ? drives.toLocal(text.toStdString()) : root;
        panel_.pickerFolders()->setPath(folder, root);
        return;
    }
    if (!text.startsWith(u'/'))
        throw common::Error(common::ErrorNumber::PathNotFound, text.toStdString());
    // A local path: the picker shows it under the drive whose root holds it.
    const std::filesystem::path folder = text.toStdString();
    if (const auto letter = drives.letterOf(folder)) {
        panel_.pickerDrives()->setDrive(QString(QChar(*letter)));
        panel_.pickerFolders()->setPath(folder, drives.root(*letter));
        return;
    }
    // Programs live outside the drives (/usr/bin, /opt): any folder of this system will do.
    panel_.pickerFolders()->setPath(folder, "/");
    panel_.pickerDrives()->showPlaceOf(folder);
}

bool AssociationController::pasteEntered() {
    QString text = panel_.pastePad()->text();
    if (text.isEmpty())
        return false;
    for (;;) {
        try {
            pointPickerAt(text);
            return true;
        } catch (const common::Error& e) {
            // A folder that is not there is cut back, one folder at a time.
            if (e.number() != common::ErrorNumber::PathNotFound &&
                e.number() != common::ErrorNumber::FileNotFound)
                break;
            text = cutBack(text);
            if (text.isEmpty())
                return true;
            panel_.pastePad()->setText(text);
        }
    }
    services_.ask(QStringLiteral("Cannot fix path"),
                  QStringLiteral("Some ERROR. Cannot repair. Please do it on your side..."),
                  Buttons::Ok, Icon::Warning);
    return true;
}

bool AssociationController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == panel_.links()->viewport() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        offerUndo();
        return true;
    }
    if (watched == panel_.pastePad() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && pasteEntered())
            return true; // swallowed; an empty box lets the key pass
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dravik::launch
