#pragma once

#include <QObject>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPoint;
class QWidget;

namespace dravik::controls {
class CommandArray;
}

namespace dravik::search {

class RowListModel;

// The global-search panel `DSoekPan` (" Select Discs to search in"): the disc selection list
// `SoekLys`, the extension list `ExtLys` with `AddExt`, `SLen` and its count label `Label7`, the
// set box `Sette`, the saved selections `RemSel`, the four options (`CaseON`, `WordOnly`,
// `AutDub`, `TVieWC`) and the commands `SoekCom`. While a search runs, `FileCounter` shows the
// examined count `TelSoek` and, when asked for, the live list `TVieW` shows the rows found.
class SearchPanel : public QObject {
    Q_OBJECT
public:
    SearchPanel(QWidget* host, controls::CommandArray& soekCom);
    ~SearchPanel() override;

    QFrame* frame() const { return frame_; }
    QListWidget* discs() const { return discs_; }             // `SoekLys`
    QListWidget* extensions() const { return extensions_; }   // `ExtLys`
    QLineEdit* newExtension() const { return addExt_; }       // `AddExt`
    QLineEdit* extensionLength() const { return length_; }    // `SLen`
    QLabel* extensionCount() const { return count_; }         // `Label7` 1
    QComboBox* sets() const { return sets_; }                 // `Sette`
    QComboBox* selections() const { return selections_; }     // `RemSel`
    QCheckBox* caseSensitive() const { return caseOn_; }      // `CaseON`
    QCheckBox* wordOnly() const { return wordOnly_; }         // `WordOnly`
    QCheckBox* fileNames() const { return autDub_; }          // `AutDub`
    QCheckBox* viewFindings() const { return viewFindings_; } // `TVieWC`
    QFrame* counter() const { return counter_; }              // `FileCounter`
    QLabel* examined() const { return examined_; }            // `TelSoek`
    QLabel* filesFound() const { return filesFound_; }        // `TelSoekWys`
    QListView* findings() const { return findings_; }         // `TVieW`
    RowListModel& findingRows() const { return *rows_; }

    // Shows the panel at `at` (kept inside the window), in front.
    void open(const QPoint& at);

private:
    void buildExtensions(controls::CommandArray& soekCom, QWidget* area);
    void buildChoices(controls::CommandArray& soekCom, QWidget* area);
    void buildCounter(QWidget* host);

    QFrame* frame_;
    QListWidget* discs_;
    QListWidget* extensions_;
    QLineEdit* addExt_;
    QLineEdit* length_;
    QLabel* count_;
    QComboBox* sets_;
    QComboBox* selections_;
    QCheckBox* caseOn_;
    QCheckBox* wordOnly_;
    QCheckBox* autDub_;
    QCheckBox* viewFindings_;
    QFrame* counter_;
    QLabel* examined_;
    QLabel* filesFound_;
    QListView* findings_;
    RowListModel* rows_;
};

} // namespace dravik::search
