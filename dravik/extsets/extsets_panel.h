#pragma once

#include <QObject>

class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QWidget;

namespace dravik::controls {
class CommandArray;
}

namespace dravik::extsets {

class ExtensionList;
class Selections;
class SetBox;

// The extension controls of the global-search panel: the extension list `ExtLys` with `AddExt`,
// `SLen` and the count label `Label7` 1, the set box `Sette` and the saved disc selections
// `RemSel`, with their commands.
class ExtSetsPanel : public QObject {
    Q_OBJECT
public:
    // `extensionArea` takes the extension list, `setArea` the sets and selections.
    ExtSetsPanel(QWidget* extensionArea, QWidget* setArea, controls::CommandArray& soekCom);

    QListView* extensions() const { return extensions_; }  // `ExtLys`
    QLineEdit* newExtension() const { return addExt_; }    // `AddExt`
    QLineEdit* extensionLength() const { return length_; } // `SLen`
    QLabel* extensionCount() const { return count_; }      // `Label7` 1
    QComboBox* sets() const { return sets_; }              // `Sette`
    QComboBox* selections() const { return selections_; }  // `RemSel`

    // The controls show these lists from now on; the user's choice of extensions goes back to
    // `list`. The set box keeps the text typed in it; the saved selections show their first.
    void showModels(ExtensionList& list, const SetBox& sets, const Selections& selections);

private:
    void buildExtensions(QWidget* area, controls::CommandArray& soekCom);
    void buildSets(QWidget* area, controls::CommandArray& soekCom);
    void showExtensions(ExtensionList& list);
    void showSets(const SetBox& sets);
    void showSelected(const ExtensionList& list);

    QListView* extensions_;
    QLineEdit* addExt_;
    QLineEdit* length_;
    QLabel* count_;
    QComboBox* sets_;
    QComboBox* selections_;
    bool showing_ = false; // the list is being filled from the model, not chosen by the user
};

} // namespace dravik::extsets
