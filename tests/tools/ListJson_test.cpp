// Lists as JSON: the text export writes, what import makes of written and hand-made files, round
// trips of generated lists with every field's edge values, and the messages for broken files.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "ToolRunner.h"
#include "model/CorvinaDoc.h"
#include "support/ListBytes.h"
#include "tools/ListJson.h"

#include <nlohmann/json.hpp>

#include "EdgeLists.h"
#include "platform/core/Strings.h"

namespace {

using namespace list_bytes;

const std::string kMilkList = Header(2) + RootItem() + U32(1) + Item(Wide(u"Milk"), 2, 1, 0) + Wide(u"") +
                              U32(1) + Item(Wide(u"Skimmed"), 1, 0, 1) + Wide(u"low fat, fresh") + U32(0);
const std::string kMilkJson =
    "{\n"
    "  \"name\": \"Milk\",\n"
    "  \"items\": [\n"
    "    {\"title\": \"Milk\", \"quantity\": 2, \"importance\": \"high\", \"checked\": true, \"notes\": "
    "\"\", "
    "\"children\": [\n"
    "      {\"title\": \"Skimmed\", \"quantity\": 1, \"importance\": \"normal\", \"checked\": false, "
    "\"notes\": \"low fat, fresh\", \"children\": []}\n"
    "    ]}\n"
    "  ]\n"
    "}\n";

// Edge values: an empty title, quantity 0 and 4294967295, importances out of range, a tab, a line
// break and an escape in notes and title, quotes and backslashes, a character beyond the BMP.
const std::string kEdgeList = Header(3) + RootItem() + U32(3) + Item(Wide(u""), 0, 0, -1) +
                              Wide(u"a\tb\r\nc") + U32(0) +
                              Item(Wide(u"Tab\there \"q\" \\ \x1B"), 0xFFFFFFFF, 1, 7) + Wide(u"") + U32(0) +
                              Item(Wide(u"Smile \U0001F600"), 1, 0, 2) + Wide(u"\u00e9") + U32(0);
const std::string kEdgeJson =
    "{\n"
    "  \"name\": \"Edge\",\n"
    "  \"items\": [\n"
    "    {\"title\": \"\", \"quantity\": 0, \"importance\": -1, \"checked\": false, \"notes\": "
    "\"a\\tb\\r\\nc\", "
    "\"children\": []},\n"
    "    {\"title\": \"Tab\\there \\\"q\\\" \\\\ \\u001b\", \"quantity\": 4294967295, \"importance\": 7, "
    "\"checked\": true, \"notes\": \"\", \"children\": []},\n"
    "    {\"title\": \"Smile \xF0\x9F\x98\x80\", \"quantity\": 1, \"importance\": \"low\", \"checked\": "
    "false, "
    "\"notes\": \"\xC3\xA9\", \"children\": []}\n"
    "  ]\n"
    "}\n";

std::vector<std::pair<std::size_t, TaskItem>> Flatten(const CCorvinaDoc& doc) {
    std::vector<std::pair<std::size_t, TaskItem>> items;
    doc.tree.Walk([&](const TaskNode& node, std::size_t depth) { items.emplace_back(depth, node.item); });
    return items;
}

// A message for `json`, or "" when it reads.
std::string FailureOf(const std::string& json) {
    CCorvinaDoc doc;
    try {
        ReadListFromJson(json, doc);
    } catch (const JsonListFailure& failure) {
        return failure.what();
    }
    return "";
}

TEST_F(CorvinaToolTest, JsonExportWritesEveryFieldOneItemALine) {
    WriteBytes(folder.File("Milk.crv"), kMilkList);
    const ToolRun run = Run("export " + Quoted("Milk.crv") + " - --format json");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, kMilkJson);
    WriteBytes(folder.File("Edge.crv"), kEdgeList);
    EXPECT_EQ(Run("export " + Quoted("Edge.crv") + " " + Quoted("edge.json") + " --format json").status, 0);
    EXPECT_EQ(ReadBytes(folder.File("edge.json")), kEdgeJson);
    WriteBytes(folder.File("Empty.crv"), "");
    EXPECT_EQ(Run("export --format json " + Quoted("Empty.crv") + " -").out,
              "{\n  \"name\": \"Empty\",\n  \"items\": []\n}\n");
}

TEST_F(CorvinaToolTest, JsonImportMakesTheListTheTextDescribes) {
    WriteBytes(folder.File("milk.json"), kMilkJson);
    const ToolRun run = Run("import " + Quoted("milk.json") + " " + Quoted("Milk.crv"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(ReadBytes(folder.File("Milk.crv")), kMilkList);
    // The format may be named instead of read from the extension.
    WriteBytes(folder.File("edge.txt"), kEdgeJson);
    EXPECT_EQ(Run("import --format json " + Quoted("edge.txt") + " " + Quoted("Edge.crv")).status, 0);
    EXPECT_EQ(ReadBytes(folder.File("Edge.crv")), kEdgeList);
    // Missing fields take an item's defaults, the fields come in any order, and numbers may name an
    // importance.
    WriteBytes(
        folder.File("short.JSON"),
        "{\"items\": [{\"children\": [{\"importance\": 0, \"title\": \"B\"}], \"title\": \"A\"}, {}]}");
    EXPECT_EQ(Run("import " + Quoted("short.JSON") + " " + Quoted("Short.crv")).status, 0);
    EXPECT_EQ(ReadBytes(folder.File("Short.crv")), Header(3) + RootItem() + U32(2) +
                                                       Item(Wide(u"A"), 1, 0, 1) + Wide(u"") + U32(1) +
                                                       Item(Wide(u"B"), 1, 0, 0) + Wide(u"") + U32(0) +
                                                       Item(Wide(u""), 1, 0, 1) + Wide(u"") + U32(0));
}

TEST_F(CorvinaToolTest, JsonRoundTripThroughTheToolKeepsTheListByteForByte) {
    WriteBytes(folder.File("Edge.crv"), kEdgeList);
    ASSERT_EQ(Run("export " + Quoted("Edge.crv") + " " + Quoted("e.json") + " --format json").status, 0);
    ASSERT_EQ(Run("import " + Quoted("e.json") + " " + Quoted("Back.crv")).status, 0);
    EXPECT_EQ(ReadBytes(folder.File("Back.crv")), kEdgeList);
}

TEST(ListJson, GeneratedListsComeBackFieldForField) {
    std::mt19937 random(19);
    const std::vector<std::uint32_t> quantities{0, 1, 2, 4294967295u, 65536};
    const std::vector<std::int32_t> importances{
        0, 1, 2, -1, 3, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
    const auto text = [&random](std::size_t longest) {
        std::u16string out(random() % (longest + 1), u' ');
        for (char16_t& unit : out) {
            // Every control character, ASCII, Latin-1 and CJK, but no surrogate on its own.
            unit = static_cast<char16_t>(random() % 4 == 0 ? random() % 0x80 : random() % 0xD000);
        }
        if (!out.empty() && random() % 5 == 0) {
            out += u"\U0001F600\r\n\t\"\\";
        }
        return out;
    };
    for (int list = 0; list < 30; ++list) {
        CCorvinaDoc doc;
        std::vector<TaskNode*> nodes{nullptr};
        for (int i = 0; i < 60; ++i) {
            TaskItem item;
            item.title = text(list == 0 && i == 0 ? 70000 : 40);
            item.notes = text(80);
            item.quantity = quantities[random() % quantities.size()];
            item.importance = importances[random() % importances.size()];
            item.checked = static_cast<std::uint8_t>(random() % 2);
            nodes.push_back(doc.tree.AddItem(item, nodes[random() % nodes.size()]));
        }
        CCorvinaDoc back;
        ReadListFromJson(FormatListAsJson(doc, u"List"), back);
        ASSERT_EQ(Flatten(back), Flatten(doc)) << list;
    }
}

TEST(ListJson, AnUnpairedSurrogateIsWrittenAsTheReplacementCharacter) {
    CCorvinaDoc doc;
    TaskItem item;
    item.title = std::u16string(1, u'\xD800') + u"x";
    doc.tree.AddItem(item);
    const std::string json = FormatListAsJson(doc, u"L");
    EXPECT_NE(json.find("\"title\": \"\xEF\xBF\xBDx\""), std::string::npos) << json;
}

TEST(ListJson, DeepListsStayInProportionAndReadBack) {
    CCorvinaDoc doc;
    TaskNode* parent = nullptr;
    constexpr int kLevels = 20000;
    for (int level = 0; level < kLevels; ++level) {
        parent = doc.tree.AddItem(TaskItem{}, parent);
    }
    const std::string json = FormatListAsJson(doc, u"Deep");
    // Indentation stops at 32 levels: no line is longer than 34 indents and its fields, where
    // indentation growing with the depth would take 20,000 x 20,000 spaces.
    EXPECT_LT(json.size(), std::size_t{kLevels} * 300);
    CCorvinaDoc back;
    ReadListFromJson(json, back);
    EXPECT_EQ(back.tree.Count(), std::size_t{kLevels});
}

TEST(ListJson, BrokenJsonIsReportedWithItsLineAndColumn) {
    // Where the text stops being JSON, counted by hand: the line from 1, the column as the
    // character's place on its line from 1.
    const std::vector<std::pair<std::string, std::string>> cases{
        {"{\n  \"name\": \"x\",\n  \"items\": [\n    {\"title\": tru}\n  ]\n}\n",
         "parse error at line 4, column 18: syntax error while parsing value - invalid literal"},
        {"", "parse error at line 1, column 1: syntax error while parsing value - unexpected end of input"},
        {"{\"items\": []} x",
         "parse error at line 1, column 15: syntax error while parsing value - invalid literal"},
        {"{\"items\": [\"\xFF\"]}", "parse error at line 1, column 13: syntax error while parsing value - "
                                    "invalid string: ill-formed UTF-8 byte"},
        {"{\"items\": [\n\n{\"title\": \"a\",}]}",
         "parse error at line 3, column 15: syntax error while parsing object key - unexpected '}'"},
    };
    for (const auto& [json, message] : cases) {
        EXPECT_EQ(FailureOf(json).substr(0, message.size()), message) << json;
    }
}

TEST(ListJson, FieldsOfTheWrongKindAreReportedWithTheItem) {
    const std::string quantity = "\"quantity\" must be a whole number from 0 to 4294967295";
    const std::string importance = "\"importance\" must be \"high\", \"normal\", \"low\" or a whole number "
                                   "from -2147483648 to 2147483647";
    const std::vector<std::pair<std::string, std::string>> cases{
        {"{\"items\": [{}, {\"children\": [{\"quantity\": -1}]}]}", "item 2.1: " + quantity},
        {"{\"items\": [{\"quantity\": 4294967296}]}", "item 1: " + quantity},
        {"{\"items\": [{\"quantity\": 2.0}]}", "item 1: " + quantity},
        {"{\"items\": [{\"quantity\": \"2\"}]}", "item 1: " + quantity},
        {"{\"items\": [{\"importance\": \"urgent\"}]}", "item 1: " + importance},
        {"{\"items\": [{\"importance\": 2147483648}]}", "item 1: " + importance},
        {"{\"items\": [{\"importance\": -2147483649}]}", "item 1: " + importance},
        {"{\"items\": [{\"checked\": 1}]}", "item 1: \"checked\" must be true or false"},
        {"{\"items\": [{\"title\": null}]}", "item 1: \"title\" must be a text"},
        {"{\"items\": [{\"notes\": [\"a\"]}]}", "item 1: \"notes\" must be a text"},
        {"{\"items\": [{\"children\": {}}]}", "item 1: \"children\" must be an array of items"},
        {"{\"items\": [{\"colour\": \"red\"}]}", "item 1: unknown field \"colour\""},
        {"{\"items\": [{\"title\": \"a\", \"title\": \"b\"}]}", "item 1: \"title\" is given twice"},
        {"{\"items\": [{}, \"Milk\"]}", "item 2: an item must be an object"},
        {"{\"items\": [[]]}", "item 1: an item must be an object"},
        {"{\"items\": {}}", "\"items\" must be an array of items"},
        {"{\"name\": 5, \"items\": []}", "\"name\" must be a text"},
        {"{\"name\": \"x\"}", "the list has no \"items\""},
        {"{\"items\": [], \"title\": \"x\"}", "unknown field \"title\""},
        {"[]", "a list is an object with \"name\" and \"items\""},
        {"\"Milk\"", "a list is an object with \"name\" and \"items\""},
    };
    for (const auto& [json, message] : cases) {
        EXPECT_EQ(FailureOf(json), message) << json;
    }
}

TEST_F(CorvinaToolTest, ABrokenJsonFileMakesNoList) {
    WriteBytes(folder.File("in.json"), "{\"items\": [\n  {\"title\": \"a\",}\n]}");
    const ToolRun run = Run("import " + Quoted("in.json") + " " + Quoted("Out.crv"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              folder.File("in.json") +
                  ": parse error at line 2, column 17: syntax error while parsing object key - unexpected "
                  "'}'; expected string literal\n");
    EXPECT_FALSE(std::filesystem::exists(folder.File("Out.crv")));
    const ToolRun missing = Run("import " + Quoted("none.json") + " " + Quoted("Out.crv"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, folder.File("none.json") + " was not found.\n");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

// The layout written out plainly, one item at a time with its children inside, and every text
// escaped by the JSON library itself.
std::string PlainJsonItem(const TaskNode& node, std::size_t depth) {
    const auto text = [](const CompactText& value) { return nlohmann::json(ToUtf8(value.view())).dump(); };
    const TaskItem& item = node.item;
    const std::string indent(2 * std::min<std::size_t>(depth + 2, 34), ' ');
    const std::int32_t importance = item.importance;
    std::string out = indent + "{\"title\": " + text(item.title) +
                      ", \"quantity\": " + std::to_string(item.quantity) + ", \"importance\": " +
                      (importance == 0   ? "\"high\""
                       : importance == 1 ? "\"normal\""
                       : importance == 2 ? "\"low\""
                                         : std::to_string(importance)) +
                      ", \"checked\": " + (item.checked ? "true" : "false") +
                      ", \"notes\": " + text(item.notes) + ", \"children\": [";
    if (node.firstChild == nullptr) {
        return out + "]}";
    }
    out += "\n";
    for (const TaskNode* child = node.firstChild; child != nullptr; child = child->nextSibling) {
        out += PlainJsonItem(*child, depth + 1) + (child->nextSibling != nullptr ? ",\n" : "\n");
    }
    return out + indent + "]}";
}

TEST(ListJson, TheWriterLaysOutAndEscapesAsThePlainRuleDoes) {
    std::mt19937 random(41);
    for (int list = 0; list < 40; ++list) {
        CCorvinaDoc doc;
        FillEdgeList(doc, random, list);
        std::string plain = "{\n  \"name\": \"N\\\"\",\n  \"items\": [";
        if (doc.tree.root.firstChild == nullptr) {
            plain += "]\n";
        } else {
            plain += "\n";
            for (const TaskNode* item = doc.tree.root.firstChild; item != nullptr; item = item->nextSibling) {
                plain += PlainJsonItem(*item, 0) + (item->nextSibling != nullptr ? ",\n" : "\n");
            }
            plain += "  ]\n";
        }
        plain += "}\n";
        ASSERT_EQ(FormatListAsJson(doc, u"N\""), plain) << list;
    }
}

} // namespace
