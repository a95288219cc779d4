#pragma once

// The indices of the main window's command arrays, by what each command does. An array's
// elements are named after the array and the index ("GCom_7"), so the numbers are part of the
// window's face and never change.
namespace dravik::controls {

// `GCom`: the window's command panels. Build and RunSearch have no element: code enters them.
enum class GCom {
    Build = 0,
    SearchHelp = 1,
    FindFirst = 2,
    FindNext = 3,
    FindGlobal = 4,
    RefreshDriveInfo = 5,
    SetDrive = 6,
    Create = 7,
    RunSearch = 9,
    Report = 10,
    ListViewSwitch = 11,
    CloseFindMenu = 15,
    LoadReport = 16,
    SaveReport = 17,
};

// `SSPanel1`: the disc panels.
enum class SSPanel1 {
    FindBox = 0,
    Rename = 1,
    Open = 2,
    DeleteDisc = 3,
    ClearFindHistory = 4,
    DeleteMany = 5,
    CloseDeleteMany = 6,
    DeleteSelectedDiscs = 7,
};

// `FCom`: the find menu; each runs the `GCom` command of the same name.
enum class FCom { FindFirst = 0, FindNext = 1, FindGlobal = 2 };

// `SoekCom`: the global search panel.
enum class SoekCom {
    CancelSearch = 0,
    SelectAll = 1,
    SelectNone = 2,
    Start = 3,
    RememberSelection = 4,
    SetSelection = 5,
    AddExtension = 6,
    SearchExtension = 7,
    SaveList = 8,
    ClearList = 9,
    DeleteSelected = 10,
    DeleteSelection = 11,
    DataPath = 12,
    Category = 13,
};

// `WCom`: the default drive panel.
enum class WCom { Continue = 0, Cancel = 1, Fix = 2 };

// `XCom`: the "Update old files" box.
enum class XCom { Go = 0, Close = 1 };

// `SoCCom`: the association panel.
enum class SoCCom { New = 0, Edited = 1, Delete = 2, Ok = 3, Select = 4 };

// `LoadReportCom`: the "Load Report" box.
enum class LoadReportCom { Close = 0, Load = 1 };

// `MAo`: the confirmation mode.
enum class MAo { Manual = 0, Automatic = 1 };

// The array an index belongs to, by its name.
template <typename Index> constexpr const char* arrayName() = delete;
template <> constexpr const char* arrayName<GCom>() {
    return "GCom";
}
template <> constexpr const char* arrayName<SSPanel1>() {
    return "SSPanel1";
}
template <> constexpr const char* arrayName<FCom>() {
    return "FCom";
}
template <> constexpr const char* arrayName<SoekCom>() {
    return "SoekCom";
}
template <> constexpr const char* arrayName<WCom>() {
    return "WCom";
}
template <> constexpr const char* arrayName<XCom>() {
    return "XCom";
}
template <> constexpr const char* arrayName<SoCCom>() {
    return "SoCCom";
}
template <> constexpr const char* arrayName<LoadReportCom>() {
    return "LoadReportCom";
}
template <> constexpr const char* arrayName<MAo>() {
    return "MAo";
}

} // namespace dravik::controls
