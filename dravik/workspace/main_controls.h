#pragma once

class QBoxLayout;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QWidget;

namespace common::ui {
class DriveListBox;
class FileListBox;
class FolderListBox;
} // namespace common::ui

namespace dravik::controls {
class CommandArray;
class XCommandLUP;
} // namespace dravik::controls

namespace dravik::workspace {

// The named controls of the main window, for the handlers that drive them. The window owns them.
struct MainControls {
    QComboBox* TeX = nullptr;      // disc box
    QLabel* DTel = nullptr;        // disc counter
    QPlainTextEdit* RtB = nullptr; // list view of the open disc
    QLabel* LaB = nullptr;         // status label
    QLabel* Label4 = nullptr;      // "Update X-Files", also the list-state colour
    QLabel* FileLab = nullptr;     // files of the last cataloguing
    QLabel* DirLab = nullptr;      // folders of the last cataloguing
    QComboBox* FTex = nullptr;     // find box with its history
    QLabel* DefDrive = nullptr;    // default CD/DVD drive
    QLabel* Warning = nullptr;     // "set the drive" warning
    QLabel* Lab4 = nullptr;        // "Select"
    QLabel* hP = nullptr;          // help line
    QLabel* Prio = nullptr;        // priority panel opener
    QListWidget* SoCLys = nullptr; // association list
    QListWidget* EXLys = nullptr;  // extension list
    QFrame* WDrive = nullptr;      // default drive panel
    common::ui::DriveListBox* Drive1 = nullptr;
    common::ui::FolderListBox* Dir1 = nullptr;
    controls::CommandArray* SellD = nullptr; // temporary drives 0 to 3
    controls::CommandArray* MAo = nullptr;   // Man / Aut
    controls::CommandArray* GCom = nullptr;  // the window's commands
    controls::XCommandLUP* NDc = nullptr;    // next disc of a numbered series
    QLabel* CrePan = nullptr;                // "CREATING. PLEASE Wait..."
    QLabel* UpPan = nullptr;                 // drive refresh notice
    QLabel* Wag = nullptr;                   // "Busy Loading..."
    QFrame* NewDisc = nullptr;               // "List have CHANGED ! !"
    QLabel* Splitter = nullptr;              // starts the splitter program

    controls::CommandArray* SSPanel1 = nullptr; // disc commands
    controls::CommandArray* FCom = nullptr;     // find menu
    controls::CommandArray* SoekCom = nullptr;  // global search panel
    controls::CommandArray* WCom = nullptr;     // default drive panel
    controls::CommandArray* XCom = nullptr;     // "Update old files" box

    // Main browser: `File1` (hidden) feeds the launch list `FiL`.
    common::ui::FileListBox* File1 = nullptr;
    QListWidget* FiL = nullptr;
    // Program picker and report picker.
    common::ui::DriveListBox* Drive2 = nullptr;
    common::ui::FolderListBox* Dir2 = nullptr;
    common::ui::FileListBox* File2 = nullptr;
    common::ui::FolderListBox* Dir3 = nullptr;
    common::ui::FileListBox* File4 = nullptr;

    // Panels hidden at rest.
    QFrame* SHelp = nullptr;
    QLabel* SHelpLab = nullptr;
    QFrame* FindMenuPan = nullptr;
    QFrame* DSoekPan = nullptr;
    QListWidget* SoekLys = nullptr;
    QFrame* ReportPan = nullptr;
    QFrame* ProgramPan = nullptr;
    QFrame* UpXFiles = nullptr;
    QListWidget* SScLys = nullptr; // letters of the default drive panel
    QLabel* Label3 = nullptr;

    // Areas later handlers add their controls to.
    QBoxLayout* discBar = nullptr;
    QBoxLayout* findBar = nullptr;
    QBoxLayout* statusRow = nullptr;
    QBoxLayout* leftColumn = nullptr;
    QBoxLayout* rightColumn = nullptr;
};

} // namespace dravik::workspace
