#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>

namespace dravik::search {

// "Case sensitive": whether the first occurrence of a word must have the word's exact case.
enum class CaseRule { AnyCase, ExactCase };
// "Word ONLY": whether the first occurrence must stand between boundary characters.
enum class WordRule { Anywhere, WholeWord };
// "Auto-remove double filenames": each line reported once, or each file-name part reported once
// (and the word must then occur in the file-name part).
enum class RowRule { EachLine, EachFileName };
// What the sources are: disc names (their disc lists) or extension entries (per-extension lists).
enum class SourceMode { Discs, Extensions };

struct SearchOptions {
    CaseRule caseRule = CaseRule::AnyCase;
    WordRule wordRule = WordRule::Anywhere;
    RowRule rowRule = RowRule::EachLine;
};

// Everything one search works on, taken by value when the search starts, so changes to the
// window's lists while it runs change nothing in it.
struct SearchRequest {
    QStringList words;   // in the order typed; see WordList
    QStringList sources; // disc names or extension entries, in queue order
    SourceMode mode = SourceMode::Discs;
    std::filesystem::path dataFolder;
    SearchOptions options;
};

} // namespace dravik::search
