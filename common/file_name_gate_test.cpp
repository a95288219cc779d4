#include "common/error.h"
#include "common/file_name_gate.h"
#include "common/own_files.h"
#include "common/testing/temp_folder.h"

#include <gtest/gtest.h>

using common::FileNameGate;
using common::testing::TempFolder;

namespace {
const FileNameGate disc(QStringLiteral("disc"), QStringLiteral(".rtf"));
const FileNameGate selection(QStringLiteral("selection"), QStringLiteral(".ini"));

QString refusal(const FileNameGate& gate, const char* name) {
    return gate.refusal(QString::fromUtf8(name)).value_or(QStringLiteral("(none)"));
}
} // namespace

TEST(FileNameGate, GoodNamesPass) {
    for (const char* good : {"Disc 1", "80s..90s", "a.b", "...and more", "Console", "caf\xc3\xa9",
                             "Holiday 2009 (Spain)", "QReport 2", "DK", "a,b"}) {
        EXPECT_FALSE(disc.refusal(QString::fromUtf8(good))) << good;
    }
    EXPECT_FALSE(disc.refusal(QString(251, u'x'))); // 255 bytes with ".rtf"
}

TEST(FileNameGate, EachRefusedFormInWords) {
    EXPECT_EQ(refusal(disc, ""), "Type a name for the disc first.");
    EXPECT_EQ(refusal(disc, "   "), "Type a name for the disc first.");
    for (const char* separated :
         {"a/b", "a\\b", "/etc/passwd", "\\\\server\\share", "../x", "x/..", "..\\..\\x"})
        EXPECT_EQ(refusal(disc, separated), "A disc name cannot hold / or \\.") << separated;
    EXPECT_EQ(refusal(disc, ".."), "A disc name cannot be \"..\".");
    EXPECT_EQ(refusal(disc, "tab\there"), "A disc name cannot hold control characters.");
    EXPECT_EQ(refusal(disc, "line\nbreak"), "A disc name cannot hold control characters.");
    EXPECT_EQ(refusal(disc, "del\x7f"), "A disc name cannot hold control characters.");
    for (const char* reserved : {"C:x", "a:b", "what?", "a*", "say \"hi\"", "<x>", "a|b"})
        EXPECT_EQ(refusal(disc, reserved), "A disc name cannot hold any of  : * ? \" < > |")
            << reserved;
    for (const char* edge : {" lead", "trail ", "ends.", "."})
        EXPECT_EQ(refusal(disc, edge),
                  "A disc name cannot begin with a blank or end with a blank or a dot.")
            << edge;
    for (const char* device : {"CON", "prn", "Aux", "nul", "COM1", "com9", "LPT1", "lpt9.txt"})
        EXPECT_EQ(refusal(disc, device), QStringLiteral("\"%1\" is a device name on Windows and "
                                                        "cannot name a file.")
                                             .arg(QString::fromUtf8(device)))
            << device;
    EXPECT_EQ(disc.refusal(QString(252, u'x')), "The disc name is too long for a file name.");
    // Counted in bytes: 126 two-byte letters and ".rtf" are 256.
    EXPECT_EQ(disc.refusal(QString(126, QChar(0xe9))),
              "The disc name is too long for a file name.");
}

TEST(FileNameGate, TheProgramsOwnFilesInAnyLetterCase) {
    EXPECT_EQ(refusal(disc, "QReport"), "\"QReport\" is the name of a list the program keeps "
                                        "(QReport.rtf) and cannot name a disc.");
    EXPECT_EQ(refusal(disc, "qREPORT"), "\"qREPORT\" is the name of a list the program keeps "
                                        "(QReport.rtf) and cannot name a disc.");
    EXPECT_EQ(refusal(disc, "asshp"), "\"asshp\" is the name of a list the program keeps "
                                      "(AssHP.rtf) and cannot name a disc.");
    EXPECT_EQ(refusal(selection, "SSc"), "\"SSc\" is the name of a list the program keeps "
                                         "(SSc.ini) and cannot name a selection.");
    for (const char* own : {"ssc", "SSC", "ExtLys", "EXTLYS", "remsel", "RemSel"})
        EXPECT_TRUE(selection.refusal(QString::fromUtf8(own))) << own;
    // Other suffixes land elsewhere: "SSc.rtf" is a good disc list.
    EXPECT_FALSE(disc.refusal("SSc"));
    EXPECT_FALSE(selection.refusal("QReport"));

    const FileNameGate bare(QStringLiteral("file"));
    for (const char* own :
         {"SSc.ini",      "DK.tex",    "dk.TEX",    "Dk.Tex.Bak",    "DK.TEX.BAK",    "DkFetch.xxx",
          "dkfetch.XXX",  "FTex.Lys",  "ftex.lys",  "DK.SoC",        "dk.soc",        "DK.mmd",
          "DK.MMD",       "DK.EXL",    "dk.exl",    "ExtLys.ini",    "ExtLys.inZ",    "RemSel.ini",
          "REMSEL.INI",   "sette.lys", "SETTE.LYS", "File.List.Qel", "file.list.qel", "QReport.rtf",
          "qreport.RTF",  "AssHP.rtf", "ttt.ttt",   "TTT.TTT",       "DK.tmp",        "dk.TMP",
          "DoneSplit.lys"}) {
        EXPECT_TRUE(FileNameGate::ownFile(QString::fromUtf8(own))) << own;
        EXPECT_TRUE(bare.refusal(QString::fromUtf8(own))) << own;
    }
    for (const std::string_view own : common::OwnFiles::All)
        EXPECT_EQ(FileNameGate::ownFile(QString::fromUtf8(own.data(), own.size())), own);
    EXPECT_FALSE(FileNameGate::ownFile("DK.texx"));
    EXPECT_FALSE(FileNameGate::ownFile("SSc"));
}

TEST(FileNameGate, PlacesTheNameInsideItsFolderWithoutRegardToCase) {
    TempFolder dir;
    dir.write("holiday.RTF", "x");
    EXPECT_EQ(disc.place(dir.path(), "Holiday"), dir / "holiday.RTF");
    EXPECT_EQ(disc.place(dir.path(), "80s..90s"), dir / "80s..90s.rtf");
    dir.write("SSc.ini", "E\r\n");
    try {
        (void)selection.place(dir.path(), "ssc");
        FAIL();
    } catch (const common::Error& e) {
        EXPECT_EQ(e.number(), common::ErrorNumber::InvalidArgument);
        EXPECT_EQ(e.description(), "\"ssc\" is the name of a list the program keeps (SSc.ini) "
                                   "and cannot name a selection.");
    }
    EXPECT_THROW((void)disc.place(dir.path(), "../outside"), common::Error);
    EXPECT_EQ(TempFolder::read(dir / "SSc.ini"), "E\r\n");
}

TEST(FileNameGate, FoldersBelowARootNeverClimbOut) {
    const std::filesystem::path root = "/media/disc";
    EXPECT_EQ(FileNameGate::below(root, "\\Photos\\2009\\"), root / "Photos/2009/");
    EXPECT_EQ(FileNameGate::below(root, "Photos/2009"), root / "Photos/2009");
    EXPECT_EQ(FileNameGate::below(root, ""), root);
    EXPECT_EQ(FileNameGate::below(root, "\\"), root);
    EXPECT_EQ(FileNameGate::below(root, "\\80s..90s\\"), root / "80s..90s/");
    EXPECT_EQ(FileNameGate::below(root, "\\a\\..\\b\\"), root / "a/../b/"); // stays inside
    EXPECT_EQ(FileNameGate::below(root, "\\.\\a\\"), root / "./a/");
    for (const char* out : {"\\..\\..\\..\\etc\\", "..", "\\..", "a\\..\\..\\etc", "/../x",
                            "a/./../../b", "\\a\\b\\..\\..\\..\\"})
        EXPECT_FALSE(FileNameGate::below(root, out)) << out;
}
