#include "splitter/extension_classifier.h"

#include <gtest/gtest.h>

#include <string>

using splitter::ExtensionClassifier;

namespace {
std::string classOf(std::string_view name) {
    ExtensionClassifier classifier;
    return std::string(classifier.classify(name));
}
} // namespace

TEST(ExtensionClassifier, PlainExtensionsNameTheirFile) {
    EXPECT_EQ(classOf("photo.JPG"), "JPG");
    EXPECT_EQ(classOf("photo.jpg"), "JPG");
    EXPECT_EQ(classOf("movie.mpeg"), "MPEG");
    EXPECT_EQ(classOf("song.Mp3"), "MP3");
}

TEST(ExtensionClassifier, OddExtensionsAreOther) {
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

TEST(ExtensionClassifier, AnEmptyExtensionIsNone) {
    EXPECT_EQ(classOf("name."), "NONE");
}

TEST(ExtensionClassifier, SeparatorsNeverReachAFileName) {
    EXPECT_EQ(classOf("x.a/b"), "OTHER");
    EXPECT_EQ(classOf("x.a\\b"), "OTHER");
    EXPECT_EQ(classOf("x.a\tb"), "OTHER");
}

TEST(ExtensionClassifier, AnEmptyNameTakesThePreviousClass) {
    ExtensionClassifier classifier;
    EXPECT_EQ(classifier.classify(""), "NONE");
    EXPECT_EQ(classifier.classify("a.doc"), "DOC");
    EXPECT_EQ(classifier.classify(""), "DOC");
    EXPECT_EQ(classifier.classify("readme"), "OTHER");
    EXPECT_EQ(classifier.classify(""), "OTHER");
    classifier.reset();
    EXPECT_EQ(classifier.classify(""), "NONE");
}

TEST(ExtensionClassifier, CharactersBeyondAsciiCountAsOne) {
    EXPECT_EQ(classOf("x.\xC3\xA9pi"), "\xC3\x89PI");                          // épi -> ÉPI
    EXPECT_EQ(classOf("x.\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"), "OTHER"); // five characters
    EXPECT_EQ(classOf("x.\xC3\xA9"), "OTHER");
}
