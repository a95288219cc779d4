#include "common/error.h"
#include "common/item_reader.h"
#include "common/testing/temp_folder.h"
#include "common/upper_case.h"
#include "dravik/extsets/extension_list.h"
#include "dravik/extsets/selections.h"
#include "dravik/extsets/set_box.h"

#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>

using common::testing::TempFolder;
using namespace dravik::extsets;

TEST(ExtensionListModel, TellsEntriesApartFromTheChoiceOfThem) {
    ExtensionList list;
    int changes = 0;
    int choices = 0;
    QObject::connect(&list, &ExtensionList::changed, [&] { ++changes; });
    QObject::connect(&list, &ExtensionList::selectionChanged, [&] { ++choices; });
    list.add("txt");
    list.add("doc");
    list.add("TXT"); // there already: nothing to tell
    EXPECT_EQ(changes, 2);
    list.setSelection({1, 7, -1}); // rows the list does not hold are passed over
    EXPECT_EQ(list.selectedEntries(), QStringList{"TXT"});
    list.applySet("DOC");
    EXPECT_EQ(list.selectedEntries(), (QStringList{"DOC", "TXT"}));
    EXPECT_EQ(choices, 2);
    list.removeSelected();
    EXPECT_EQ(changes, 3);
    EXPECT_TRUE(list.entries().isEmpty());
}

TEST(ExtensionListModel, AFileThatCannotBeReadLeavesNoHalfList) {
    TempFolder data;
    data.write("ExtLys.ini/inside", "x");
    ExtensionList list;
    list.add("mp3");
    try {
        list.load(data.path());
        FAIL() << "a folder read as the extension list";
    } catch (const common::Error& e) {
        EXPECT_EQ(e.number(), 75);
    }
    EXPECT_TRUE(list.entries().isEmpty());
}

TEST(SetBoxModel, AnAddedSetIsToldAndAppended) {
    TempFolder program;
    program.write("sette.lys", "TXT \r\n");
    SetBox sets;
    int changes = 0;
    QObject::connect(&sets, &SetBox::changed, [&] { ++changes; });
    sets.load(program.path());
    EXPECT_TRUE(sets.record("DOC ", program.path()));
    EXPECT_FALSE(sets.record("doc ", program.path()));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(TempFolder::read(program / "sette.lys"), "TXT \r\nDOC \r\n");

    program.write("other/sette.lys/inside", "x");
    EXPECT_THROW(sets.load(program / "other"), common::Error);
    EXPECT_TRUE(sets.rows().isEmpty());
    EXPECT_EQ(changes, 3);
}

TEST(SelectionsModel, NamesChangeOnlyWhenTheListFileDoes) {
    TempFolder data;
    Selections selections;
    int changes = 0;
    QObject::connect(&selections, &Selections::changed, [&] { ++changes; });
    selections.load(data.path());
    selections.remember("Work", {0, 2});
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(TempFolder::read(data / "RemSel.ini"), "Work\r\n");
    EXPECT_EQ(TempFolder::read(data / "Work.ini"), " 0 \r\n 2 \r\n");

    // The list file cannot be rewritten: the name stays, on disk and in the list.
    std::filesystem::remove(data / "RemSel.ini");
    data.write("RemSel.ini/inside", "x");
    EXPECT_THROW(selections.remove("Work"), common::Error);
    EXPECT_EQ(selections.names(), QStringList{"Work"});
    EXPECT_THROW(selections.remember("Home", {1}), common::Error);
    EXPECT_EQ(selections.names(), QStringList{"Work"});
    EXPECT_EQ(changes, 2);
}

// Damaged files: each loader reads its file once, in one pass, and refuses what no real file of
// its kind looks like. None of these may take long, but time is never asserted: the results are.
namespace {

// Bytes that look like nothing: with NUL bytes when `nul`, else every other byte value.
std::string noise(std::size_t size, bool nul) {
    std::string bytes(size, '\0');
    std::uint32_t seed = 2024;
    for (char& c : bytes) {
        seed = seed * 1103515245u + 12345u;
        const auto byte = static_cast<unsigned char>(seed >> 24);
        c = static_cast<char>(nul || byte != 0 ? byte : 1);
    }
    return bytes;
}

std::string repeated(std::string_view piece, std::size_t times) {
    std::string bytes;
    bytes.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        bytes += piece;
    return bytes;
}

// Short distinct entries in no order: "X" and five hex digits, a line each, 8 bytes a line.
std::string shuffledEntries(std::size_t count, char first) {
    std::string bytes;
    bytes.reserve(count * 8);
    char digits[8];
    for (std::size_t i = 0; i < count; ++i) {
        // 65537 is prime: i times it runs through every number below `count` once.
        const auto scrambled = static_cast<unsigned>((std::uint64_t{i} * 65537u) % count);
        std::snprintf(digits, sizeof digits, "%05x", scrambled);
        bytes += first;
        bytes += digits;
        bytes += "\r\n";
    }
    return bytes;
}

// The description of the refusal of `load`, or "" when it loaded.
std::string refusal(const std::function<void()>& load) {
    try {
        load();
    } catch (const common::Error& e) {
        EXPECT_EQ(e.number(), 75);
        return e.description();
    }
    return {};
}

bool sortedWithoutCase(const QStringList& rows) {
    return std::is_sorted(rows.begin(), rows.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
}

struct Damaged {
    const char* what;
    std::string bytes;
    const char* reason;
};

const char* const TooLarge = ": is too large to load (";
const char* const HoldsNul = ": is not a text file (it holds NUL bytes)";
const char* const LongLine = ": is not a text file (a line is longer than 65536 bytes)";

} // namespace

TEST(ExtensionListModel, DamagedFilesAreRefusedWhole) {
    TempFolder data;
    const Damaged damaged[] = {
        {"1 MB binary", noise(1000000, true), HoldsNul},
        {"2 MB, CR-only", repeated("txt\r", 500000), TooLarge},
        {"1 MB, CR-only", repeated("txt\r", 250000), LongLine},
        {"5 MB of commas", std::string(5000000, ','), TooLarge},
        {"9 MB of short lines", repeated("a\r\n", 3000000), TooLarge},
        {"1 MB of commas", repeated(std::string(1000, ',') + "\r\n", 1000), TooLarge},
        {"10,001 entries", shuffledEntries(10001, 'x'), TooLarge},
    };
    for (const Damaged& file : damaged) {
        const auto path = data.write("ExtLys.ini", file.bytes);
        ExtensionList list;
        list.add("mp3");
        EXPECT_EQ(refusal([&] { list.load(data.path()); }).rfind(path.string() + file.reason, 0),
                  0u)
            << file.what;
        EXPECT_TRUE(list.entries().isEmpty()) << file.what;
    }
}

TEST(ExtensionListModel, AFileAtItsLimitLoadsInOnePass) {
    TempFolder data;
    ExtensionList list;
    // 10,000 distinct entries in no order: sorted once, not entry by entry.
    data.write("ExtLys.ini", shuffledEntries(10000, 'x'));
    list.load(data.path());
    ASSERT_EQ(list.size(), 10000);
    EXPECT_TRUE(sortedWithoutCase(list.entries()));
    EXPECT_EQ(list.entries().first(), "x00000");
    EXPECT_EQ(list.entries().last(), "x0270f");
    EXPECT_FALSE(list.anySelected());

    // Empty entries are kept as the file has them.
    data.write("ExtLys.ini", repeated(std::string(999, ',') + "\r\n", 10));
    list.load(data.path());
    EXPECT_EQ(list.size(), 10000);

    // Noise without NUL bytes is text of a sort: every item is an entry.
    const auto noisy = data.write("ExtLys.ini", noise(500000, false));
    list.load(data.path());
    EXPECT_EQ(static_cast<std::size_t>(list.size()), common::ItemReader::readAll(noisy).size());
    EXPECT_TRUE(sortedWithoutCase(list.entries()));
}

TEST(SetBoxModel, DamagedSetsAreRefusedAndManySetsLoadInOnePass) {
    TempFolder program;
    SetBox sets;
    const auto path = program.write("sette.lys", noise(1000000, true));
    EXPECT_EQ(refusal([&] { sets.load(program.path()); }), path.string() + HoldsNul);
    EXPECT_TRUE(sets.rows().isEmpty());

    // Each set once: 5,000 distinct sets and the same again in lower case.
    program.write("sette.lys", shuffledEntries(5000, 'S') + shuffledEntries(5000, 's'));
    sets.load(program.path());
    ASSERT_EQ(sets.rows().size(), 5000);
    EXPECT_TRUE(sortedWithoutCase(sets.rows()));
    EXPECT_EQ(sets.rows().first(), "S00000");            // the first spelling read is kept
    EXPECT_FALSE(sets.record("s00000", program.path())); // there in another case

    // Noise without NUL bytes: each distinct item (upper-cased) once.
    program.write("sette.lys", noise(500000, false));
    sets.load(program.path());
    QSet<QString> distinct;
    for (const QString& row : sets.rows())
        distinct.insert(common::UpperCase::of(row));
    EXPECT_EQ(distinct.size(), sets.rows().size());
    EXPECT_GT(sets.rows().size(), 1000);
}

TEST(SelectionsModel, DamagedFilesAreRefusedAndRepeatedPositionsCountOnce) {
    TempFolder data;
    Selections selections(data.path());
    const auto list = data.write("RemSel.ini", std::string(20000000, 'n') + "\r\n");
    EXPECT_EQ(refusal([&] { selections.load(); }).rfind(list.string() + TooLarge, 0), 0u);
    EXPECT_TRUE(selections.names().isEmpty());
    data.write("RemSel.ini", "Work\r\n" + std::string(100000, 'n') + "\r\n");
    EXPECT_EQ(refusal([&] { selections.load(); }), list.string() + LongLine);
    EXPECT_TRUE(selections.names().isEmpty());

    // A million times the same position, 5 MB: one row to select.
    data.write("Work.ini", repeated(" 2 \r\n", 999999) + " 0 \r\n");
    EXPECT_EQ(selections.positions("Work", 3), (std::vector<int>{2, 0}));
    const auto binary = data.write("Work.ini", noise(1000000, true));
    EXPECT_EQ(refusal([&] { selections.positions("Work", 3); }), binary.string() + HoldsNul);
}
