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
    std::size_t maxLine;  // without its line end
    std::size_t maxItems; // for a file read item by item: each item may become a row of a list

    // Each throws common::Error when the file breaks the rule.
    void checkSize(const std::filesystem::path& path, std::uint64_t bytes) const;
    void checkLine(const std::filesystem::path& path, std::size_t length) const;
    static void checkText(const std::filesystem::path& path, std::string_view bytes);
    [[noreturn]] static void refuseItems(const std::filesystem::path& path, std::size_t maxItems);
    // Every check at once, for a file read whole.
    void checkWhole(const std::filesystem::path& path, std::string_view bytes) const;
};

// The limit of each kind of file the window loads.
namespace TextLimits {

inline constexpr std::uint64_t KiB = 1024;
inline constexpr std::uint64_t MiB = 1024 * KiB;
// No name, extension, set or list line comes near this.
inline constexpr std::size_t Line = 64 * KiB;
inline constexpr std::size_t NoItemLimit = SIZE_MAX;

// "DK.tex": a large catalogue holds a few thousand discs, a hundred thousand take 3 MB.
inline constexpr TextLimit DiscIndex{4 * MiB, Line, 200'000};
inline constexpr TextLimit FindHistory{4 * MiB, Line, 100'000};    // "FTex.Lys"
inline constexpr TextLimit Associations{1 * MiB, Line, 10'000};    // "DK.SoC", "DK.EXL"
inline constexpr TextLimit DefaultDrive{64 * KiB, Line, 1'000};    // "SSc.ini": one letter
inline constexpr TextLimit ExtensionList{1 * MiB, Line, 10'000};   // "ExtLys.ini"
inline constexpr TextLimit Sets{1 * MiB, Line, 10'000};            // "sette.lys"
inline constexpr TextLimit SavedSelections{1 * MiB, Line, 10'000}; // "RemSel.ini"
inline constexpr TextLimit Help{1 * MiB, Line, NoItemLimit};       // "AssHP.rtf": a page of help
// A saved selection: one position a line, a few bytes each, for every disc there is.
inline constexpr TextLimit SelectionFile{16 * MiB, Line, 1'000'000};
// A disc list or a report shown whole in the list view: a disc of a million files lists in
// about 100 MB.
inline constexpr TextLimit ListText{256 * MiB, Line, NoItemLimit};
// A list or report shown as rows read from its file when painted: only where each line starts
// is kept, 8 bytes a line, so a report of millions of rows opens as the search wrote it.
inline constexpr TextLimit ListRows{4 * 1024 * MiB, Line, NoItemLimit};

} // namespace TextLimits

} // namespace common
