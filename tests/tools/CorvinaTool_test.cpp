// corvina-tool as a user runs it: exit statuses, standard output and error, and the files it writes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "ToolRunner.h"
#include "support/ListBytes.h"

namespace {

using namespace list_bytes;

const std::string kMilkList = Header(2) + RootItem() + U32(1) + Item(Wide(u"Milk"), 2, 1, 0) + Wide(u"") +
                              U32(1) + Item(Wide(u"Skimmed"), 1, 0, 1) + Wide(u"low fat, fresh") + U32(0);
const std::string kMilkText = "0\tMilk\t0\t1\t\t2\n1\tSkimmed\t1\t0\t\"low fat, fresh\"\t1\n";

TEST_F(CorvinaToolTest, InfoReadsTheHeaderOnly) {
    WriteBytes(folder.File("a.crv"), Header(7) + "not a tree at all");
    const ToolRun run = Run("info " + Quoted("a.crv"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "version=3 items=7\n");
    EXPECT_EQ(run.err, "");
    WriteBytes(folder.File("v2.crv"), U32(5));
    EXPECT_EQ(Run("info " + Quoted("v2.crv")).out, "version=2 items=5\n");
    WriteBytes(folder.File("odd.crv"), Header(0xFFFFFFFF, 0xFFFFFFFE));
    EXPECT_EQ(Run("info " + Quoted("odd.crv")).out, "version=-2 items=4294967295\n");
}

TEST_F(CorvinaToolTest, InfoOnAShortOrMissingFileFails) {
    for (const std::string& bytes :
         {std::string(), std::string("\xEF\xBE\xAD\xDE\x03\x00\x00\x00", 8), std::string("\x01\x02", 2)}) {
        WriteBytes(folder.File("short.crv"), bytes);
        const ToolRun run = Run("info " + Quoted("short.crv"));
        EXPECT_EQ(run.status, 1) << bytes.size();
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "An attempt was made to access short.crv past its end.\n")
            << "named by the file's name";
    }
    const ToolRun missing = Run("info " + Quoted("none.crv"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, folder.File("none.crv") + " was not found.\n");
}

TEST_F(CorvinaToolTest, ExportWritesTheTextForm) {
    WriteBytes(folder.File("milk.crv"), kMilkList);
    const ToolRun toFile = Run("export " + Quoted("milk.crv") + " " + Quoted("milk.txt"));
    EXPECT_EQ(toFile.status, 0);
    EXPECT_EQ(toFile.out + toFile.err, "");
    EXPECT_EQ(ReadBytes(folder.File("milk.txt")), kMilkText);
    const ToolRun toOutput = Run("export " + Quoted("milk.crv") + " -");
    EXPECT_EQ(toOutput.status, 0);
    EXPECT_EQ(toOutput.out, kMilkText);
}

TEST_F(CorvinaToolTest, ExportOfAnEmptyFileIsAnEmptyText) {
    WriteBytes(folder.File("empty.crv"), "");
    EXPECT_EQ(Run("export " + Quoted("empty.crv") + " " + Quoted("out.txt")).status, 0);
    EXPECT_EQ(ReadBytes(folder.File("out.txt")), "");
    EXPECT_TRUE(std::filesystem::exists(folder.File("out.txt")));
}

TEST_F(CorvinaToolTest, FailedLoadCreatesNoOutput) {
    WriteBytes(folder.File("cut.crv"), kMilkList.substr(0, 50));
    for (const std::string command : {"export", "resave"}) {
        const ToolRun run = Run(command + " " + Quoted("cut.crv") + " " + Quoted("out"));
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.err, "Unexpected file format.\n") << command;
        EXPECT_FALSE(std::filesystem::exists(folder.File("out"))) << command;
    }
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST_F(CorvinaToolTest, ImportBuildsAVersionThreeList) {
    WriteBytes(folder.File("in.txt"), kMilkText + "0\tcut short\t1\t0\tno quantity\t");
    const ToolRun run = Run("import " + Quoted("in.txt") + " " + Quoted("out.crv"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(ReadBytes(folder.File("out.crv")), kMilkList);
    const ToolRun missing = Run("import " + Quoted("none.txt") + " " + Quoted("x.crv"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, folder.File("none.txt") + " was not found.\n");
    EXPECT_FALSE(std::filesystem::exists(folder.File("x.crv")));
}

TEST_F(CorvinaToolTest, ResaveTurnsVersionTwoIntoThree) {
    const std::string v2 = U32(9) + RootItem(false) + U32(1) + Item(Narrow("Caf\xE9"), 3, 5, 2) + U32(0);
    WriteBytes(folder.File("old.crv"), v2);
    EXPECT_EQ(Run("resave " + Quoted("old.crv") + " " + Quoted("new.crv")).status, 0);
    EXPECT_EQ(ReadBytes(folder.File("new.crv")),
              Header(1) + RootItem() + U32(1) + Item(Wide(u"Caf\u00e9"), 3, 1, 2) + Wide(u"") + U32(0));
}

TEST_F(CorvinaToolTest, ImportReadsWindowsLineEndsAndOldBytes) {
    WriteBytes(folder.File("in.txt"), "0\tCaf\xE9\t9\t-1\t\"a\r\nb\"\t-1\r\n5\tSub\t2\t1\t\t3\r\n");
    ASSERT_EQ(Run("import " + Quoted("in.txt") + " " + Quoted("out.crv")).status, 0);
    EXPECT_EQ(ReadBytes(folder.File("out.crv")),
              Header(2) + RootItem() + U32(1) + Item(Wide(u"Caf\u00e9"), 0xFFFFFFFF, 0xFF, 1) +
                  Wide(u"a\r\nb") + U32(1) + Item(Wide(u"Sub"), 3, 1, 2) + Wide(u"") + U32(0));
    const ToolRun back = Run("export " + Quoted("out.crv") + " -");
    // Loading turns the stored 255 into 1.
    EXPECT_EQ(back.out, "0\tCaf\xC3\xA9\t1\t1\t\"a\r\nb\"\t4294967295\n1\tSub\t2\t1\t\t3\n");
}

TEST_F(CorvinaToolTest, ExportOfAVersionTwoListWithEightBitTitles) {
    WriteBytes(folder.File("old.crv"), U32(1) + RootItem(false) + U32(1) +
                                           Item(Narrow("Cr\xE8me, fra\xEE"
                                                       "che"),
                                                2, 0, 2) +
                                           U32(0));
    const ToolRun run = Run("export " + Quoted("old.crv") + " -");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "0\tCr\xC3\xA8me, fra\xC3\xAE"
                       "che\t2\t0\t\t2\n");
}

TEST_F(CorvinaToolTest, ShowPrintsAnIndentedTree) {
    WriteBytes(folder.File("Milk.crv"), kMilkList);
    const ToolRun run = Run("show " + Quoted("Milk.crv"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Milk: 2 items\n"
                       "[x] 2 x Milk  (high)\n"
                       "    [ ] 1 x Skimmed\n"
                       "        | low fat, fresh\n");
}

TEST_F(CorvinaToolTest, ShowPrintsControlCharactersAsPictures) {
    WriteBytes(folder.File("Odd.crv"), Header(1) + RootItem() + U32(1) +
                                           Item(Wide(u"a\tb\x1B[31m"), 1, 0, 1) +
                                           Wide(u"one\r\ntwo\rthree\x7F\r") + U32(0));
    const ToolRun run = Run("show " + Quoted("Odd.crv"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Odd: 1 item\n"
                       "[ ] 1 x a\u2409b\u241B[31m\n"
                       "    | one\n"
                       "    | two\u240Dthree\u2421\u240D\n");
}

TEST_F(CorvinaToolTest, ShowKeepsDeepListsReadable) {
    std::string text;
    for (int level = 0; level < 40; ++level) {
        text += std::to_string(level) + "\tL" + std::to_string(level) + "\t1\t0\t\t1\n";
    }
    WriteBytes(folder.File("deep.txt"), text);
    ASSERT_EQ(Run("import " + Quoted("deep.txt") + " " + Quoted("Deep.crv")).status, 0);
    const ToolRun run = Run("show " + Quoted("Deep.crv"));
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\n" + std::string(4 * 32, ' ') + "[ ] 1 x L32\n"), std::string::npos);
    EXPECT_NE(run.out.find("\n" + std::string(4 * 32, ' ') + "(level 39) [ ] 1 x L39\n"), std::string::npos);
}

// Show writes as it walks: output of many blocks, and a text too long for one block (with a control
// character and a character beyond the Basic Multilingual Plane at its end), come out whole.
TEST_F(CorvinaToolTest, ShowWritesLongListsAndLongTextsWhole) {
    const std::string longTitle = std::string(25000, 'a') + "\x01" + "\xF0\x9F\x98\x80";
    std::string text = "0\t" + longTitle + "\t1\t0\t\t1\n";
    std::string expected =
        "Long: 3001 items\n[ ] 1 x " + std::string(25000, 'a') + "\u2401\xF0\x9F\x98\x80\n";
    for (int i = 0; i < 3000; ++i) {
        text += "1\tItem " + std::to_string(i) + "\t2\t1\t\t" + std::to_string(i) + "\n";
        expected += "    [x] " + std::to_string(i) + " x Item " + std::to_string(i) + "  (low)\n";
    }
    WriteBytes(folder.File("long.txt"), text);
    ASSERT_EQ(Run("import " + Quoted("long.txt") + " " + Quoted("Long.crv")).status, 0);
    const ToolRun run = Run("show " + Quoted("Long.crv"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    ASSERT_EQ(run.out.size(), expected.size());
    EXPECT_TRUE(run.out == expected);
}

TEST_F(CorvinaToolTest, ShowOntoAFullDiskFailsAndSaysSo) {
    WriteBytes(folder.File("Milk.crv"), kMilkList);
    const std::string command = std::string("'") + CORVINA_TOOL_PATH + "' show " + Quoted("Milk.crv") +
                                " >/dev/full 2>'" + folder.File("stderr") + "'";
    const int raw = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 1) << raw;
    EXPECT_EQ(ReadBytes(folder.File("stderr")), "Disk full while accessing standard output.\n");
}

TEST_F(CorvinaToolTest, ListFromAPipeIsReportedNotReadAsEmpty) {
    WriteBytes(folder.File("Milk.crv"), kMilkList);
    const std::string pipe = folder.File("pipe.crv");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    // The writer gives up when the tool closes the pipe without reading it all.
    ASSERT_EQ(
        std::system(("cat " + Quoted("Milk.crv") + " >" + Quoted("pipe.crv") + " 2>/dev/null &").c_str()), 0);
    const ToolRun run = Run("show " + Quoted("pipe.crv"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Seek failed on " + pipe + "\n");
}

TEST_F(CorvinaToolTest, NoCommandReplacesAPipeOrAFolder) {
    WriteBytes(folder.File("milk.crv"), kMilkList);
    WriteBytes(folder.File("milk.txt"), kMilkText);
    ASSERT_EQ(::mkfifo(folder.File("pipe").c_str(), 0600), 0);
    std::filesystem::create_directory(folder.Path() / "folder");
    const std::string sources[] = {"export " + Quoted("milk.crv"), "import " + Quoted("milk.txt"),
                                   "resave " + Quoted("milk.crv")};
    for (const std::string& source : sources) {
        const ToolRun toPipe = Run(source + " " + Quoted("pipe"));
        EXPECT_EQ(toPipe.status, 1) << source;
        EXPECT_EQ(toPipe.err, folder.File("pipe") + " is a named pipe, not a file.\n") << source;
        const ToolRun toFolder = Run(source + " " + Quoted("folder"));
        EXPECT_EQ(toFolder.status, 1) << source;
        EXPECT_EQ(toFolder.err, folder.File("folder") + " is a folder, not a file.\n") << source;
    }
    struct stat status {};
    ASSERT_EQ(::lstat(folder.File("pipe").c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path() / "folder"));
    EXPECT_EQ(folder.EntryCount(), 4u) << "nothing written beside them";
}

TEST_F(CorvinaToolTest, UsageErrorsAndHelp) {
    for (const std::string arguments : {"", "info", "frobnicate x", "export a.crv", "show a b", "-h"}) {
        const ToolRun run = Run(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_NE(run.err.find("Usage: corvina-tool"), std::string::npos) << arguments;
    }
    const ToolRun help = Run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: corvina-tool"), std::string::npos);
    EXPECT_EQ(help.err, "");
}

} // namespace
