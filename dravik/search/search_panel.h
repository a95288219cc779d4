#pragma once

#include <QObject>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QRect;
class QWidget;

#include <functional>
#include <memory>

namespace dravik::controls {
class CommandArray;
}
namespace dravik::extsets {
class ExtSetsPanel;
}

namespace dravik::search {

class RowListModel;

// The global-search panel `DSoekPan` (" Select Discs to search in"): the disc selection list
// `SoekLys`, the extension controls (their own panel), the four options (`CaseON`, `WordOnly`,
// `AutDub`, `TVieWC`) and the commands `SoekCom`. While a search runs, `FileCounter` shows the
// examined count `TelSoek` and, when asked for, the live list `TVieW` shows the rows found.
class SearchPanel : public QObject {
    Q_OBJECT
public:
    SearchPanel(QWidget* host, controls::CommandArray& soekCom);
    ~SearchPanel() override;

    QFrame* frame() const { return frame_; }
    QListView* discs() const { return discs_; } // `SoekLys`
    extsets::ExtSetsPanel& extensions() const { return *extensionsPanel_; }
    QCheckBox* caseSensitive() const { return caseOn_; }      // `CaseON`
    QCheckBox* wordOnly() const { return wordOnly_; }         // `WordOnly`
    QCheckBox* fileNames() const { return autDub_; }          // `AutDub`
    QCheckBox* viewFindings() const { return viewFindings_; } // `TVieWC`
    QFrame* counter() const { return counter_; }              // `FileCounter`
    QLabel* examined() const { return examined_; }            // `TelSoek`
    QLabel* filesFound() const { return filesFound_; }        // `TelSoekWys`
    QListView* findings() const { return findings_; }         // `TVieW`
    RowListModel& findingRows() const { return *rows_; }

    // Shows the panel in front, at the top left of the room `room` gives and never outside it
    // (asked again when the window changes size).
    void open(std::function<QRect()> room);

private:
    void buildChoices(controls::CommandArray& soekCom, QWidget* area);
    void buildCounter(QWidget* host);

    QFrame* frame_;
    QListView* discs_;
    QWidget* extensionArea_ = nullptr;
    std::unique_ptr<extsets::ExtSetsPanel> extensionsPanel_;
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
