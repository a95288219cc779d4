#include "splitter/disc_key.h"

#include "common/testing/temp_folder.h"
#include "splitter/disc_remover.h"

#include <gtest/gtest.h>

using common::testing::TempFolder;
using splitter::DiscKey;
using splitter::DiscRemover;

namespace {
const std::string Deg = "\xC2\xB0";

std::string lineOf(const std::string& name, const std::string& disc) {
    return name + " " + Deg + "               " + Deg + "* " + disc + " *" + Deg + " \\a\\ " + Deg +
           " ";
}
} // namespace

TEST(DiscKey, FindsTheDiscWithoutRegardToCase) {
    const DiscKey key(QStringLiteral("Holiday"));
    EXPECT_TRUE(key.in(lineOf("a.jpg", "Holiday")));
    EXPECT_TRUE(key.in(lineOf("a.jpg", "HOLIDAY")));
    EXPECT_TRUE(key.in(lineOf("a.jpg", "holiday")));
    EXPECT_FALSE(key.in(lineOf("a.jpg", "Holiday 2")));
    EXPECT_FALSE(key.in(lineOf("a.jpg", "Holida")));
    EXPECT_FALSE(key.in(lineOf("a.jpg", "Holidax")));
    EXPECT_FALSE(key.in("Holiday"));
    // The name of a file may hold the opening marker; the disc still decides.
    EXPECT_TRUE(key.in(lineOf("x " + Deg + "* y.jpg", "HOLIDAY")));

    const DiscKey accented(QString::fromUtf8("D\xc3\xa9mo"));
    EXPECT_TRUE(accented.in(lineOf("a.rtf", "D\xc3\xa9mo")));
    EXPECT_TRUE(accented.in(lineOf("a.rtf", "D\xc3\x89MO")));
    EXPECT_FALSE(accented.in(lineOf("a.rtf", "Demo")));
}

TEST(DiscRemover, TakesTheDiscOutInAnyCaseAndATornLastLineWithIt) {
    TempFolder dir;
    const std::string keep = lineOf("b.jpg", "Other") + "\r\n";
    const auto file = dir.write("JPG.rtf", lineOf("a.jpg", "holiday") + "\r\n" + keep +
                                               lineOf("c.jpg", "HOLIDAY") + "\r\nd.jpg " + Deg);
    EXPECT_EQ(DiscRemover::removeFrom(file, DiscKey(QStringLiteral("Holiday"))), 3u);
    EXPECT_EQ(TempFolder::read(file), keep);

    // A file without the disc is left alone, unless its last line is torn.
    const auto other = dir.write("GIF.rtf", keep);
    EXPECT_EQ(DiscRemover::removeFrom(other, DiscKey(QStringLiteral("Holiday"))), 0u);
    EXPECT_EQ(TempFolder::read(other), keep);
    const auto torn = dir.write("PNG.rtf", keep + "e.png " + Deg + "    ");
    EXPECT_EQ(DiscRemover::removeFrom(torn, DiscKey(QStringLiteral("Holiday"))), 1u);
    EXPECT_EQ(TempFolder::read(torn), keep);
}
