// corvina-tool's commands that reset, reuse, add to and report on lists, run on lists made from
// known records and read back with show.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ToolRunner.h"
#include "support/ListBytes.h"

namespace {

using namespace list_bytes;

// Bread (checked; Rye unchecked, Wheat checked and low), Milk (high, notes; Skimmed checked).
std::string ShopList(std::uint32_t bread, std::uint32_t rye, std::uint32_t wheat, std::uint32_t milk,
                     std::uint32_t skimmed) {
    return Header(5) + RootItem() + U32(2) + Item(Wide(u"Bread"), 1, bread, 1) + Wide(u"") + U32(2) +
           Item(Wide(u"Rye"), 2, rye, 1) + Wide(u"") + U32(0) + Item(Wide(u"Wheat"), 1, wheat, 2) +
           Wide(u"") + U32(0) + Item(Wide(u"Milk"), 1, milk, 0) + Wide(u"fresh") + U32(1) +
           Item(Wide(u"Skimmed"), 1, skimmed, 1) + Wide(u"") + U32(0);
}
const std::string kShop = ShopList(1, 0, 1, 0, 1);

class ListCommandsTest : public CorvinaToolTest {
protected:
    void SetUp() override { WriteBytes(folder.File("Shop.crv"), kShop); }
};

TEST_F(ListCommandsTest, UncheckAndCheckSetEveryFlagAndNothingElse) {
    const ToolRun unchecked = Run("uncheck " + Quoted("Shop.crv"));
    EXPECT_EQ(unchecked.status, 0);
    EXPECT_EQ(unchecked.out + unchecked.err, "");
    EXPECT_EQ(ReadBytes(folder.File("Shop.crv")), ShopList(0, 0, 0, 0, 0));
    EXPECT_EQ(Shown("Shop.crv"), "Shop: 5 items\n"
                                 "[ ] 1 x Bread\n"
                                 "    [ ] 2 x Rye\n"
                                 "    [ ] 1 x Wheat  (low)\n"
                                 "[ ] 1 x Milk  (high)\n"
                                 "    | fresh\n"
                                 "    [ ] 1 x Skimmed\n");
    EXPECT_EQ(Run("check " + Quoted("Shop.crv")).status, 0);
    EXPECT_EQ(ReadBytes(folder.File("Shop.crv")), ShopList(1, 1, 1, 1, 1));
    EXPECT_EQ(folder.EntryCount(), 1u) << "no temporary file left";
}

TEST_F(ListCommandsTest, ResettingAnOldListWritesTheCurrentVersion) {
    WriteBytes(folder.File("Old.crv"),
               U32(1) + RootItem(false) + U32(1) + Item(Narrow("Tea"), 1, 9, 1) + U32(0));
    ASSERT_EQ(Run("uncheck " + Quoted("Old.crv")).status, 0);
    EXPECT_EQ(ReadBytes(folder.File("Old.crv")),
              Header(1) + RootItem() + U32(1) + Item(Wide(u"Tea"), 1, 0, 1) + Wide(u"") + U32(0));
}

TEST_F(ListCommandsTest, PurgeCheckedTakesEachCheckedItemWithItsSubtree) {
    const ToolRun run = Run("purge-checked " + Quoted("Shop.crv"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out + run.err, "");
    // Rye was unchecked, but its parent Bread was checked.
    EXPECT_EQ(Shown("Shop.crv"), "Shop: 1 item\n"
                                 "[ ] 1 x Milk  (high)\n"
                                 "    | fresh\n");
    EXPECT_EQ(Run("info " + Quoted("Shop.crv")).out, "version=3 items=1\n");
}

TEST_F(ListCommandsTest, CopyMakesANewListAndReplacesOneOnlyWhenForced) {
    const ToolRun copied = Run("copy " + Quoted("Shop.crv") + " " + Quoted("Trip.crv") + " --uncheck");
    EXPECT_EQ(copied.status, 0);
    EXPECT_EQ(copied.out + copied.err, "");
    EXPECT_EQ(ReadBytes(folder.File("Trip.crv")), ShopList(0, 0, 0, 0, 0));
    EXPECT_EQ(ReadBytes(folder.File("Shop.crv")), kShop) << "the source is not touched";

    const ToolRun refused = Run("copy " + Quoted("Shop.crv") + " " + Quoted("Trip.crv"));
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, folder.File("Trip.crv") + " already exists; add --force to replace it.\n");
    EXPECT_EQ(ReadBytes(folder.File("Trip.crv")), ShopList(0, 0, 0, 0, 0));

    // A link to nothing is something there too.
    std::filesystem::create_symlink(folder.File("nowhere.crv"), folder.File("Link.crv"));
    EXPECT_EQ(Run("copy " + Quoted("Shop.crv") + " " + Quoted("Link.crv")).status, 1);

    EXPECT_EQ(Run("copy --force " + Quoted("Shop.crv") + " " + Quoted("Trip.crv")).status, 0);
    EXPECT_EQ(ReadBytes(folder.File("Trip.crv")), kShop);
}

TEST_F(ListCommandsTest, ProgressCountsCheckedItemsAtEveryLevel) {
    WriteBytes(folder.File("Empty.crv"), "");
    WriteBytes(folder.File("Cut.crv"), kShop.substr(0, 60));
    const ToolRun run =
        Run("progress " + Quoted("Shop.crv") + " " + Quoted("Cut.crv") + " " + Quoted("Empty.crv"));
    EXPECT_EQ(run.status, 1) << "one list did not load";
    EXPECT_EQ(run.out, "Shop 3/5\nEmpty 0/0\n");
    EXPECT_EQ(run.err, "Unexpected file format.\n");
    EXPECT_EQ(Run("progress " + Quoted("Shop.crv")).status, 0);
}

TEST_F(ListCommandsTest, AddCreatesAListAndAppendsAtTheTopOrUnderAPath) {
    const std::string list = Quoted("New.crv");
    EXPECT_EQ(Run("add " + list + " Bread").status, 0);
    EXPECT_EQ(Run("add " + list + " '1/2 kg flour' --quantity 4294967295 --importance low").status, 0);
    EXPECT_EQ(Run("add " + list +
                  " Rye --under Bread --quantity 0 --importance high --checked "
                  "--notes \"$(printf 'dark\\nwhole')\"")
                  .status,
              0);
    EXPECT_EQ(Run("add " + list + " Sifted --under '1\\/2 kg flour'").status, 0);
    EXPECT_EQ(Run("add " + list + " Fine --under '1\\/2 kg flour/Sifted' --importance normal").status, 0);
    EXPECT_EQ(Shown("New.crv"), "New: 5 items\n"
                                "[ ] 1 x Bread\n"
                                "    [x] 0 x Rye  (high)\n"
                                "        | dark\n"
                                "        | whole\n"
                                "[ ] 4294967295 x 1/2 kg flour  (low)\n"
                                "    [ ] 1 x Sifted\n"
                                "        [ ] 1 x Fine\n");
    // The notes' line break is stored as CR LF, as the program keeps it.
    EXPECT_NE(ReadBytes(folder.File("New.crv")).find(Wide(u"dark\r\nwhole")), std::string::npos);
}

TEST_F(ListCommandsTest, AddTakesOneTitleALineFromStandardInput) {
    const ToolRun run = Run("add " + Quoted("Shop.crv") + " - --under Milk", "Oat\r\n\nSoy  \nCaf\xE9\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Shown("Shop.crv"), "Shop: 8 items\n"
                                 "[x] 1 x Bread\n"
                                 "    [ ] 2 x Rye\n"
                                 "    [x] 1 x Wheat  (low)\n"
                                 "[ ] 1 x Milk  (high)\n"
                                 "    | fresh\n"
                                 "    [x] 1 x Skimmed\n"
                                 "    [ ] 1 x Oat\n"
                                 "    [ ] 1 x Soy  \n"
                                 "    [ ] 1 x Caf\u00e9\n");
    const ToolRun none = Run("add " + Quoted("Shop.crv") + " -", "\n\n");
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "No titles were given on standard input.\n");
}

TEST_F(ListCommandsTest, AddRefusesAPathThatNamesNoItemOrSeveral) {
    const ToolRun missing = Run("add " + Quoted("Shop.crv") + " Oat --under Milk/Oat");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "\"Milk/Oat\" names no item: nothing is titled \"Oat\" there\n");
    ASSERT_EQ(Run("add " + Quoted("Shop.crv") + " Milk").status, 0);
    const std::string twoMilks = ReadBytes(folder.File("Shop.crv"));
    const ToolRun ambiguous = Run("add " + Quoted("Shop.crv") + " Oat --under Milk");
    EXPECT_EQ(ambiguous.status, 1);
    EXPECT_EQ(ambiguous.err, "\"Milk\" is ambiguous: 2 items are titled \"Milk\" there\n");
    EXPECT_EQ(ReadBytes(folder.File("Shop.crv")), twoMilks);
    EXPECT_EQ(Run("add " + Quoted("None.crv") + " Oat --under Milk").status, 1);
    EXPECT_FALSE(std::filesystem::exists(folder.File("None.crv"))) << "no list is made for a failed add";
}

TEST_F(ListCommandsTest, AListThatFailsToLoadIsNeverWritten) {
    const std::string cut = kShop.substr(0, 60);
    WriteBytes(folder.File("Cut.crv"), cut);
    for (const std::string command : {"check", "uncheck", "purge-checked", "add", "copy"}) {
        const std::string extra = command == "add"    ? " Oat"
                                  : command == "copy" ? " " + Quoted("Copy.crv")
                                                      : "";
        const ToolRun run = Run(command + " " + Quoted("Cut.crv") + extra);
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.err, "Unexpected file format.\n") << command;
        EXPECT_EQ(ReadBytes(folder.File("Cut.crv")), cut) << command;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.File("Copy.crv")));
}

TEST_F(ListCommandsTest, WrongValuesAreUsageErrorsThatTouchNothing) {
    for (const std::string arguments :
         {"add Shop.crv Oat --quantity -1", "add Shop.crv Oat --quantity 4294967296",
          "add Shop.crv Oat --quantity 2x", "add Shop.crv Oat --quantity ''",
          "add Shop.crv Oat --importance urgent", "add Shop.crv Oat --colour red", "add Shop.crv Oat --notes",
          "add Shop.crv", "copy Shop.crv", "uncheck Shop.crv --force", "check Shop.crv Shop.crv", "progress",
          "export Shop.crv - --format html", "import a.txt Shop.crv --format markdown",
          "copy Shop.crv a.crv --force --force"}) {
        const ToolRun run = Run(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_EQ(run.err.rfind("corvina-tool: ", 0), 0u) << arguments << "\n" << run.err;
        EXPECT_NE(run.err.find("\n\nUsage: corvina-tool"), std::string::npos) << arguments;
    }
    EXPECT_EQ(ReadBytes(folder.File("Shop.crv")), kShop);
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST_F(ListCommandsTest, QuantityMessagesNameTheRule) {
    const ToolRun run = Run("add " + Quoted("Shop.crv") + " Oat --quantity 4294967296");
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')),
              "corvina-tool: add: --quantity takes a whole number from 0 to 4294967295, not \"4294967296\"");
}

} // namespace
