#pragma once

#include "dravik/controls/command_index.h"

#include <QString>

#include <type_traits>

// Every control of the main window by what it is. The object names are the window's face (tests
// and the help line find controls by them), so they stay as they are; code and tests say
// `GCom::FindGlobal` or `Control::DiscBox` instead of "GCom_4" or "TeX".
namespace dravik::controls {

// Element arrays that are not commands of the window: they are named like command arrays.

// `MsgC`: the message panel's buttons.
enum class MsgC { Yes = 0, No = 1, Cancel = 2 };
// `MsgI`: the message panel's pictures.
enum class MsgI { Question = 0, Warning = 1 };
// `PrioC`: the priority panel's buttons.
enum class PrioC { Close = 0, Low = 1, Default = 2, High = 3 };
// `SetCom`: the "Data Path" box's buttons.
enum class SetCom { SetPath = 0, Cancel = 1 };
// `SellD`: the temporary drive panels beside the default drive.
enum class SellD { First = 0, Second = 1, Third = 2, Fourth = 3 };
// `RTXw`: the list view's width buttons.
enum class RTXw { Wide = 0, Narrow = 1 };
// `XLab`: the caption of an engraved command button and its two engraving shades.
enum class XLab { Caption = 0, Shadow = 1, Highlight = 2 };

template <> constexpr const char* arrayName<MsgC>() {
    return "MsgC";
}
template <> constexpr const char* arrayName<MsgI>() {
    return "MsgI";
}
template <> constexpr const char* arrayName<PrioC>() {
    return "PrioC";
}
template <> constexpr const char* arrayName<SetCom>() {
    return "SetCom";
}
template <> constexpr const char* arrayName<SellD>() {
    return "SellD";
}
template <> constexpr const char* arrayName<RTXw>() {
    return "RTXw";
}
template <> constexpr const char* arrayName<XLab>() {
    return "XLab";
}

// The object name of an array's element: the array's name, "_" and the index ("GCom_4").
template <typename Index>
requires std::is_enum_v<Index> QString objectName(Index index) {
    return QString::fromLatin1(arrayName<Index>()) + QLatin1Char('_') +
           QString::number(static_cast<int>(index));
}

// The controls with a name of their own.
namespace Control {
// The window and its frame.
inline constexpr const char* Window = "Dravik";
inline constexpr const char* Page = "Page";
inline constexpr const char* HelpLine = "hP";
inline constexpr const char* SplitterLink = "Splitter";
inline constexpr const char* Priority = "Prio";
inline constexpr const char* PriorityPanel = "PrioF";
inline constexpr const char* DriveWarningTimer = "TiMo";

// The message panel.
inline constexpr const char* MessagePanel = "MsgP";
inline constexpr const char* MessageHeading = "MsgH";
inline constexpr const char* MessageText = "MsgT";

// The "Data Path" box.
inline constexpr const char* DataPathBox = "SetDPad";
inline constexpr const char* DataPathDrives = "SetDrive";
inline constexpr const char* DataPathFolders = "SetDir";
inline constexpr const char* DataPathFiles = "SetFile";
inline constexpr const char* DataPathShown = "WysP";

// The disc panel.
inline constexpr const char* DiscBox = "TeX";
inline constexpr const char* DiscCount = "DTel";
inline constexpr const char* NextDisc = "NDc";
inline constexpr const char* ListsChangedNotice = "NewDisc";

// The list view and its status row.
inline constexpr const char* ListView = "RtB";
inline constexpr const char* ListState = "Label4";
inline constexpr const char* Status = "LaB";
inline constexpr const char* FileCount = "FileLab";
inline constexpr const char* FolderCount = "DirLab";
inline constexpr const char* RowLabel = "Label5";
inline constexpr const char* RowCount = "LinkTel";
inline constexpr const char* CreatingNotice = "CrePan";
inline constexpr const char* UpdatingDriveNotice = "UpPan";
inline constexpr const char* LoadingNotice = "Wag";

// The browser of the drives.
inline constexpr const char* Drives = "Drive1";
inline constexpr const char* Folders = "Dir1";
inline constexpr const char* Files = "File1";
inline constexpr const char* LaunchList = "FiL";

// The default and temporary drives.
inline constexpr const char* DefaultDriveBox = "WDrive";
inline constexpr const char* DefaultDriveExplanation = "Label3";
inline constexpr const char* DriveLetters = "SScLys";
inline constexpr const char* DriveLettersCaption = "Lab4";
inline constexpr const char* SetDriveWarning = "Warning";
inline constexpr const char* DefaultDriveCaption = "DefDrivePan";
inline constexpr const char* DefaultDrive = "DefDrive";
inline constexpr const char* TemporaryDrives = "SellDPan";

// Renaming, deleting and updating discs; GoTo.
inline constexpr const char* DeleteManyBox = "DmD";
inline constexpr const char* DeleteManyDiscs = "DmDLys";
inline constexpr const char* OldFilesBox = "UpXFiles";
inline constexpr const char* OldLists = "XFile";
inline constexpr const char* GoTo = "OpenFile";

// Find and its menu.
inline constexpr const char* FindBox = "FTex";
inline constexpr const char* FindMenu = "FindMenuPan";
inline constexpr const char* SearchHelp = "SHelp";
inline constexpr const char* SearchHelpText = "SHelpLab";

// The global search.
inline constexpr const char* SearchPanel = "DSoekPan";
inline constexpr const char* SearchDiscs = "SoekLys";
inline constexpr const char* CaseSensitive = "CaseON";
inline constexpr const char* WordOnly = "WordOnly";
inline constexpr const char* AutoRemoveDoubles = "AutDub";
inline constexpr const char* ViewFindings = "TVieWC";
inline constexpr const char* FileCounter = "FileCounter";
inline constexpr const char* FilesExamined = "TelSoek";
inline constexpr const char* FilesFound = "TelSoekWys";
inline constexpr const char* Findings = "TVieW";

// Extensions, sets and saved selections.
inline constexpr const char* ExtensionCount = "Label7_1";
inline constexpr const char* NewExtension = "AddExt";
inline constexpr const char* ExtensionLength = "SLen";
inline constexpr const char* Extensions = "ExtLys";
inline constexpr const char* ExtensionSets = "Sette";
inline constexpr const char* SavedSelections = "RemSel";

// Reports.
inline constexpr const char* ReportPanel = "ReportPan";
inline constexpr const char* LoadReportBox = "LoadReport";
inline constexpr const char* ReportFolders = "Dir3";
inline constexpr const char* ReportFiles = "File4";
inline constexpr const char* Reports = "LoadReportLys";

// Associations.
inline constexpr const char* AssociationPanel = "SocPan";
inline constexpr const char* AssociationHints = "HLys";
inline constexpr const char* AssociationHelp = "AssHP";
inline constexpr const char* HowItWorks = "HIW";
inline constexpr const char* Picker = "AddNew";
inline constexpr const char* PickerDrives = "Drive2";
inline constexpr const char* PickerFolders = "Dir2";
inline constexpr const char* PickerFiles = "File2";
inline constexpr const char* PastePad = "PastePad";
inline constexpr const char* AssociationExtensions = "EXLys";
inline constexpr const char* AssociationLine = "SoCTeX";
inline constexpr const char* Associations = "SoCLys";
} // namespace Control

} // namespace dravik::controls
