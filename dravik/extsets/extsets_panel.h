#pragma once

#include <QObject>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QWidget;

namespace dravik::controls {
class CommandArray;
}

namespace dravik::extsets {

// The extension controls of the global-search panel: the extension list `ExtLys` with `AddExt`,
// `SLen` and the count label `Label7` 1, the set box `Sette` and the saved disc selections
// `RemSel`, with their commands.
class ExtSetsPanel : public QObject {
    Q_OBJECT
public:
    // `extensionArea` takes the extension list, `setArea` the sets and selections.
    ExtSetsPanel(QWidget* extensionArea, QWidget* setArea, controls::CommandArray& soekCom);

    QListWidget* extensions() const { return extensions_; } // `ExtLys`
    QLineEdit* newExtension() const { return addExt_; }     // `AddExt`
    QLineEdit* extensionLength() const { return length_; }  // `SLen`
    QLabel* extensionCount() const { return count_; }       // `Label7` 1
    QComboBox* sets() const { return sets_; }               // `Sette`
    QComboBox* selections() const { return selections_; }   // `RemSel`

private:
    void buildExtensions(QWidget* area, controls::CommandArray& soekCom);
    void buildSets(QWidget* area, controls::CommandArray& soekCom);

    QListWidget* extensions_;
    QLineEdit* addExt_;
    QLineEdit* length_;
    QLabel* count_;
    QComboBox* sets_;
    QComboBox* selections_;
};

} // namespace dravik::extsets
