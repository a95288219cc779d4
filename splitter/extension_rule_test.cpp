#include "splitter/extension_rule.h"

#include <gtest/gtest.h>

#include <string>

using splitter::ExtensionRule;

namespace {
std::string classOf(std::string_view name) {
    ExtensionRule rule;
    return std::string(rule.classify(name));
}
} // namespace

TEST(ExtensionRule, PlainExtensionsNameTheirFile) {
    EXPECT_EQ(classOf("photo.JPG"), "JPG");
    EXPECT_EQ(classOf("photo.jpg"), "JPG");
    EXPECT_EQ(classOf("movie.mpeg"), "MPEG");
    EXPECT_EQ(classOf("song.Mp3"), "MP3");
}

TEST(ExtensionRule, OddExtensionsAreOther) {
    EXPECT_EQ(classOf("archive.tar.gz"), "OTHER");
    EXPECT_EQ(classOf("readme"), "OTHER");
    EXPECT_EQ(classOf("x.prn"), "OTHER");
    EXPECT_EQ(classOf("x.CON"), "OTHER");
    EXPECT_EQ(classOf("x.lpt"), "OTHER");
    EXPECT_EQ(classOf("x.c++"), "OTHER");
    EXPECT_EQ(classOf("x.abcde"), "OTHER");
    EXPECT_EQ(classOf("x.a_b"), "OTHER");
    EXPECT_EQ(classOf("x.a,b"), "OTHER");
    EXPECT_EQ(classOf("x.h"), "OTHER");
}

TEST(ExtensionRule, AnEmptyExtensionIsNone) {
    EXPECT_EQ(classOf("name."), "NONE");
}

TEST(ExtensionRule, SeparatorsNeverReachAFileName) {
    EXPECT_EQ(classOf("x.a/b"), "OTHER");
    EXPECT_EQ(classOf("x.a\\b"), "OTHER");
    EXPECT_EQ(classOf("x.a\tb"), "OTHER");
}

TEST(ExtensionRule, AnEmptyNameTakesThePreviousClass) {
    ExtensionRule rule;
    EXPECT_EQ(rule.classify(""), "NONE");
    EXPECT_EQ(rule.classify("a.doc"), "DOC");
    EXPECT_EQ(rule.classify(""), "DOC");
    EXPECT_EQ(rule.classify("readme"), "OTHER");
    EXPECT_EQ(rule.classify(""), "OTHER");
    rule.reset();
    EXPECT_EQ(rule.classify(""), "NONE");
}

TEST(ExtensionRule, CharactersBeyondAsciiCountAsOne) {
    EXPECT_EQ(classOf("x.\xC3\xA9pi"), "\xC3\x89PI");                          // épi -> ÉPI
    EXPECT_EQ(classOf("x.\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"), "OTHER"); // five characters
    EXPECT_EQ(classOf("x.\xC3\xA9"), "OTHER");
}
