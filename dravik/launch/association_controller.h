#pragma once

#include "dravik/services/feature_context.h"

#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>

namespace dravik::launch {

class AssociationModel;
class AssociationPanel;

// The association panel at work: making, editing and deleting links, the program picker and its
// paste box, the undo of the last deletion, and opening the panel for an extension.
class AssociationController : public QObject {
    Q_OBJECT
public:
    // `currentExtension` is the extension key of the file last clicked in the launch list.
    AssociationController(AssociationPanel& panel, AssociationModel& model,
                          services::FeatureContext context,
                          std::function<QString()> currentExtension);

    // "NEW": the picker back on drive C, the association line emptied.
    void newLink();
    // "EDITed": the selected link replaced by the association line (at the end of the list).
    void edited();
    // "DELETE": the selected link removed; it can be brought back once.
    void remove();
    // "OK"
    void close();
    // "Select": the current extension linked to the program chosen in the picker.
    void select();

    // The right-click on a file: the panel for its extension, which joins the extension list.
    void openFor(const QString& key);
    // "No association?" answered Yes: the panel as it is.
    void show();
    // Enter in the paste box; false when the box was empty (the key passes on).
    bool pasteEntered();

    const QString& pickerFolder() const { return pickerFolder_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void offerUndo();
    void offerPlaces();
    void pickerFolderChanged(const QString& folder);
    void pointPickerAt(const QString& text);
    void afterButton();

    AssociationPanel& panel_;
    AssociationModel& model_;
    workspace::Workspace& workspace_;
    services::WindowServices& services_;
    std::function<QString()> currentExtension_;
    QString pickerFolder_;
    QString deleted_; // the last deleted link, for its undo
};

} // namespace dravik::launch
