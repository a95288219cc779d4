#pragma once

#include <array>
#include <string_view>

namespace common {

// The fixed files the programs keep in the data folder, the program folder and drive C's root.
// The data folder may be the program folder (no data path set, Dravik started in its own
// folder), so a name typed by the user must match none of them, wherever it lands.
namespace OwnFiles {

// Data folder.
inline constexpr std::string_view DiscIndex = "DK.tex";
inline constexpr std::string_view DiscIndexWork = "DkFetch.xxx";
inline constexpr std::string_view DiscIndexBackup = "Dk.Tex.Bak";
inline constexpr std::string_view DiscIndexLock = "DK.tex.lock";
inline constexpr std::string_view DiscIndexJournal = "DK.tex.journal";
inline constexpr std::string_view FindHistory = "FTex.Lys";
inline constexpr std::string_view Associations = "DK.SoC";
inline constexpr std::string_view AssociationData = "DK.mmd";
inline constexpr std::string_view AssociationKeys = "DK.EXL";
inline constexpr std::string_view ExtensionList = "ExtLys.ini";
inline constexpr std::string_view ExtensionListAtStart = "ExtLys.inZ";
inline constexpr std::string_view SavedSelections = "RemSel.ini";
inline constexpr std::string_view SplitDiscs = "DoneSplit.lys";
// Program folder.
inline constexpr std::string_view DefaultDrive = "SSc.ini";
inline constexpr std::string_view WalkWork = "File.List.Qel";
inline constexpr std::string_view WalkLock = "File.List.Qel.lock";
inline constexpr std::string_view Sets = "sette.lys";
inline constexpr std::string_view QuickReport = "QReport.rtf";
inline constexpr std::string_view AssociationHelp = "AssHP.rtf";
inline constexpr std::string_view LaunchRecord = "ttt.ttt";
// Drive C's root: the start markers.
inline constexpr std::string_view StartMarker = "DK.tmp";
inline constexpr std::string_view OldMarker3 = "DK.003";
inline constexpr std::string_view OldMarker4 = "DK.004";

inline constexpr std::array All = {DiscIndex,
                                   DiscIndexWork,
                                   DiscIndexBackup,
                                   DiscIndexLock,
                                   DiscIndexJournal,
                                   FindHistory,
                                   Associations,
                                   AssociationData,
                                   AssociationKeys,
                                   ExtensionList,
                                   ExtensionListAtStart,
                                   SavedSelections,
                                   SplitDiscs,
                                   DefaultDrive,
                                   WalkWork,
                                   WalkLock,
                                   Sets,
                                   QuickReport,
                                   AssociationHelp,
                                   LaunchRecord,
                                   StartMarker,
                                   OldMarker3,
                                   OldMarker4};

} // namespace OwnFiles

} // namespace common
