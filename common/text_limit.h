#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace common {

// How much text a file of one kind may hold before a reader refuses it as damaged or foreign:
// far above any real file of its kind, so loading stays short and bounded, and a file holding a
// NUL byte is no text at all. Refusals are Error 75 naming the path and saying why.
struct TextLimit {
    std::uint64_t maxBytes;
    std::size_t maxLine; // without its line end

    // Each throws common::Error when the file breaks the rule.
    void checkSize(const std::filesystem::path& path, std::uint64_t bytes) const;
    void checkLine(const std::filesystem::path& path, std::size_t length) const;
    static void checkText(const std::filesystem::path& path, std::string_view bytes);
    // Every check at once, for a file read whole.
    void checkWhole(const std::filesystem::path& path, std::string_view bytes) const;
};

// The limit of each kind of file the window loads.
namespace TextLimits {

inline constexpr std::uint64_t KiB = 1024;
inline constexpr std::uint64_t MiB = 1024 * KiB;
// No name, extension, set or list line comes near this.
inline constexpr std::size_t Line = 64 * KiB;

inline constexpr TextLimit DiscIndex{4 * MiB, Line};       // "DK.tex": 100,000 discs take 3 MB
inline constexpr TextLimit FindHistory{4 * MiB, Line};     // "FTex.Lys"
inline constexpr TextLimit Associations{1 * MiB, Line};    // "DK.SoC", "DK.EXL"
inline constexpr TextLimit DefaultDrive{64 * KiB, Line};   // "SSc.ini": one letter
inline constexpr TextLimit ExtensionList{1 * MiB, Line};   // "ExtLys.ini"
inline constexpr TextLimit Sets{1 * MiB, Line};            // "sette.lys"
inline constexpr TextLimit SavedSelections{1 * MiB, Line}; // "RemSel.ini"
// A saved selection: one position a line, a few bytes each, for every disc there is.
inline constexpr TextLimit SelectionFile{16 * MiB, Line};
// A disc list or a report shown whole in the list view: a disc of a million files lists in
// about 100 MB.
inline constexpr TextLimit ListText{256 * MiB, Line};

} // namespace TextLimits

} // namespace common
