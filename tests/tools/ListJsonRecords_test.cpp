// The fast JSON reader held to the library's reader, the rule: on generated lists with every
// field's edge value it must take the text and give the same items, and on texts where the two
// parsers could disagree it must either give the same items or leave the text to the library.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "EdgeLists.h"
#include "ToolRunner.h"
#include "model/CorvinaDoc.h"
#include "platform/core/Strings.h"
#include "support/ListBytes.h"
#include "tools/ListJson.h"
#include "tools/ListJsonRecords.h"

namespace {

// depth (1 for a top-level item), children, quantity, importance, checked, title, notes
using Flat =
    std::tuple<std::size_t, std::uint32_t, std::uint32_t, std::int32_t, int, std::u16string, std::u16string>;

// The block sizes the texts are read in: a cut found in every block, blocks shorter than an item
// (the buffer grows), and the program's own.
const std::vector<std::size_t> kBlockSizes{7, 100, 4096, JsonItemBatches::kDefaultBlockBytes};

std::optional<std::vector<Flat>> FastRecords(const std::string& json, std::size_t blockBytes) {
    std::vector<Flat> records;
    const bool taken = ReadListRecordsFromJson(
        JsonItemBatches::FromMemory(json),
        [&](const ListRecord& r) {
            records.emplace_back(r.depth, r.children, r.quantity, r.importance, r.checked, r.title, r.notes);
        },
        blockBytes);
    return taken ? std::optional(records) : std::nullopt;
}

// The library's reading: the items, or its message.
std::variant<std::vector<Flat>, std::string> LibraryRecords(const std::string& json) {
    CCorvinaDoc doc;
    try {
        ReadListFromJson(json, doc);
    } catch (const JsonListFailure& failure) {
        return std::string(failure.what());
    }
    std::vector<Flat> records;
    doc.tree.Walk([&](const TaskNode& node, std::size_t depth) {
        const TaskItem& item = node.item;
        records.emplace_back(depth + 1, static_cast<std::uint32_t>(node.ChildCount()), item.quantity,
                             item.importance, item.checked, std::u16string(item.title.view()),
                             std::u16string(item.notes.view()));
    });
    return records;
}

// The fast reader may leave any text to the library, but what it takes it reads as the library does.
void ExpectNoDisagreement(const std::string& json) {
    const auto rule = LibraryRecords(json);
    for (const std::size_t block : kBlockSizes) {
        const auto fast = FastRecords(json, block);
        if (!fast) {
            continue;
        }
        const auto* items = std::get_if<std::vector<Flat>>(&rule);
        ASSERT_NE(items, nullptr) << "taken, where the library says " << std::get<std::string>(rule) << ":\n"
                                  << json;
        EXPECT_EQ(*fast, *items) << json;
    }
}

const std::string kHead = "{\n  \"name\": \"L\",\n  \"items\": [\n";
const std::string kTail = "\n  ]\n}\n";

// Items laid out as export lays them, one a line, top-level items indented by four.
std::string Exported(const std::vector<std::string>& topLevel) {
    std::string json = kHead;
    for (std::size_t i = 0; i < topLevel.size(); ++i) {
        json += (i == 0 ? "    " : ",\n    ") + topLevel[i];
    }
    return json + kTail;
}

TEST(ListJsonRecords, GeneratedListsAreTakenAndReadAsTheLibraryReadsThem) {
    std::mt19937 random(23);
    for (int list = 0; list < 40; ++list) {
        CCorvinaDoc doc;
        FillEdgeList(doc, random, list * 3);
        if (list == 1) {
            TaskItem longOne;
            longOne.title = std::u16string(70000, u'\u00e9') + u"\U0001F600";
            longOne.notes = u"tab\tbreak\r\nquote\" back\\ nul" + std::u16string(1, u'\0');
            doc.tree.AddItem(longOne);
        }
        if (list == 2) {
            TaskNode* parent = nullptr;
            for (int level = 0; level < 300; ++level) {
                parent = doc.tree.AddItem(TaskItem{}, parent);
            }
        }
        const std::string json = FormatListAsJson(doc, u"L");
        const auto rule = LibraryRecords(json);
        ASSERT_TRUE(std::holds_alternative<std::vector<Flat>>(rule)) << json;
        for (const std::size_t block : kBlockSizes) {
            const auto fast = FastRecords(json, block);
            ASSERT_TRUE(fast.has_value()) << "left to the library, block " << block << ":\n" << json;
            ASSERT_EQ(*fast, std::get<std::vector<Flat>>(rule)) << "block " << block << ":\n" << json;
        }
    }
}

TEST(ListJsonRecords, HandMadeTextsAreTakenOnlyAsTheLibraryTakesThem) {
    const std::string plain = "{\"title\": \"a\", \"quantity\": 2, \"children\": []}";
    const std::vector<std::string> texts{
        // Numbers: -0 is a signed number to the library, which no quantity may be.
        Exported({"{\"quantity\": -0}"}),
        Exported({"{\"quantity\": 0, \"title\": \"x-0 y\"}"}),
        Exported({"{\"quantity\": 0}"}),
        Exported({"{\"importance\": -0}"}),
        Exported({"{\"quantity\": -0.0}"}),
        Exported({"{\"quantity\": 1e2}"}),
        Exported({"{\"quantity\": 18446744073709551616}"}),
        Exported({"{\"importance\": -9223372036854775809}"}),
        Exported({"{\"importance\": 9223372036854775808}"}),
        Exported({"{\"quantity\": 01}"}),
        // Texts: escapes, surrogates, control characters, bytes that are not UTF-8.
        Exported({"{\"title\": \"\\ud83d\\ude00 \\u00e9 \\/ \\u0000\"}"}),
        Exported({"{\"title\": \"\\ud800\"}"}),
        Exported({"{\"title\": \"\\udc00x\"}"}),
        Exported({"{\"title\": \"\\ud800\\u0041\"}"}),
        Exported({"{\"title\": \"a\tb\"}"}),
        Exported({"{\"title\": \"a\x01\"}"}),
        Exported({"{\"title\": \"\xED\xA0\x80\"}"}),
        Exported({"{\"title\": \"\xC0\x80\"}"}),
        Exported({"{\"title\": \"\xFF\"}"}),
        Exported({"{\"title\": \"a\\x\"}"}),
        Exported({std::string("{\"title\": \"a\0b\"}", 16)}),
        Exported({std::string("{\"title\": \"a\"}\0", 15)}),
        // Keys: repeated, unknown, escaped.
        Exported({"{\"title\": \"a\", \"title\": \"b\"}"}),
        Exported({"{\"ti\\u0074le\": \"a\"}"}),
        Exported({"{\"colour\": \"red\"}"}),
        "{\"items\": [], \"items\": []}",
        "{\"name\": \"a\", \"name\": \"b\", \"items\": []}",
        // The envelope and the end: a byte order mark, content after the list, a trailing comma,
        // fields after the items, no items at all.
        "\xEF\xBB\xBF" + Exported({plain}),
        "\xEF\xBB" + Exported({plain}),
        Exported({plain}) + "x",
        Exported({plain}) + "{}",
        Exported({plain, plain}).replace(Exported({plain, plain}).size() - kTail.size(), 0, ","),
        kHead + "    " + plain + "\n  ], \"name\": \"x\"\n}\n",
        kHead + "    " + plain + "\n  ]\n",
        kHead + "    " + plain + "\n  ]}}\n",
        "{\n  \"items\": [],\n  \"name\": [\n    " + plain + "\n  ]\n}\n",
        "{\n  \"name\": \"L\",\n  \"items\": [[\n    " + plain + "\n  ]]\n}\n",
        "",
        " \n ",
        "{\"items\": []}",
        "{\"name\": \"L\"}",
        "[]",
        // Lines shaped like a top-level item's start that are not one: nested, or inside a text
        // that breaks the rule of escaped line breaks.
        kHead + "    {\"children\": [\n    {\"title\": \"b\"},\n    {\"title\": \"c\"}]},\n    " + plain +
            kTail,
        kHead + "    {\"title\": \"a,\n    {\"}" + kTail,
        // Nesting deeper than the fast parser goes.
        Exported({std::string(1500, '[') + std::string(1500, ']')}),
        [] {
            std::string deep;
            for (int level = 0; level < 1200; ++level) {
                deep += "{\"children\": [";
            }
            for (int level = 0; level < 1200; ++level) {
                deep += "]}";
            }
            return Exported({deep});
        }(),
    };
    for (const std::string& json : texts) {
        ExpectNoDisagreement(json);
    }
    // The fast reader does take the usual texts among them.
    EXPECT_TRUE(FastRecords(Exported({"{\"quantity\": 0}"}), 100).has_value());
    EXPECT_TRUE(
        FastRecords(Exported({"{\"title\": \"\\ud83d\\ude00 \\u00e9 \\/ \\u0000\"}"}), 7).has_value());
    EXPECT_TRUE(FastRecords("{\"items\": []}", 100).has_value());
}

TEST_F(CorvinaToolTest, TheFastRoadWritesTheBytesTheTreeSaves) {
    std::mt19937 random(29);
    CCorvinaDoc doc;
    FillEdgeList(doc, random, 500);
    WriteBytes(folder.File("edge.json"), FormatListAsJson(doc, u"Edge"));
    ASSERT_EQ(Run("import " + Quoted("edge.json") + " " + Quoted("Fast.crv")).status, 0);
    // The same text laid out on one line is left to the library, which builds the tree.
    std::string oneLine = FormatListAsJson(doc, u"Edge");
    std::erase(oneLine, '\n');
    WriteBytes(folder.File("line.json"), oneLine);
    ASSERT_EQ(Run("import " + Quoted("line.json") + " " + Quoted("Tree.crv")).status, 0);
    EXPECT_EQ(ReadBytes(folder.File("Fast.crv")), ReadBytes(folder.File("Tree.crv")));
}

TEST_F(CorvinaToolTest, ImportReadsStandardInputInEitherFormat) {
    using namespace list_bytes;
    const std::string list =
        Header(1) + RootItem() + U32(1) + Item(Wide(u"Milk"), 2, 1, 0) + Wide(u"") + U32(0);
    const ToolRun tsv = Run("import - " + Quoted("Tsv.crv"), "0\tMilk\t0\t1\t\t2\n");
    EXPECT_EQ(tsv.status, 0);
    EXPECT_EQ(tsv.err, "");
    EXPECT_EQ(ReadBytes(folder.File("Tsv.crv")), list);
    const std::string json = Exported({"{\"title\": \"Milk\", \"quantity\": 2, \"importance\": \"high\", "
                                       "\"checked\": true}"});
    EXPECT_EQ(Run("import - " + Quoted("Json.crv") + " --format json", json).status, 0);
    EXPECT_EQ(ReadBytes(folder.File("Json.crv")), list);
    // Through a pipe, which cannot be read twice: the fast road's text, and a broken one that the
    // library reads again for its message.
    WriteBytes(folder.File("in.json"), json);
    WriteBytes(folder.File("bad.json"), "{\"items\": [\n  {\"quantity\": -0}\n]}");
    const auto piped = [&](const std::string& in, const std::string& out) {
        const std::string command = "cat " + Quoted(in) + " | '" + CORVINA_TOOL_PATH + "' import - " +
                                    Quoted(out) + " --format json 2>" + Quoted("err");
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(piped("in.json", "Piped.crv"), 0);
    EXPECT_EQ(ReadBytes(folder.File("Piped.crv")), list);
    EXPECT_EQ(piped("bad.json", "Bad.crv"), 1);
    EXPECT_EQ(ReadBytes(folder.File("err")),
              "-: item 1: \"quantity\" must be a whole number from 0 to 4294967295\n");
    EXPECT_FALSE(std::filesystem::exists(folder.File("Bad.crv")));
    // A file on standard input is read again from where the command found it, not from its start:
    // a text the fast road leaves to the library (a "-0" and a quantity 0) after a line already read.
    WriteBytes(folder.File("after.json"), "skipped\n" + Exported({"{\"title\": \"x-0\", \"quantity\": 0}"}));
    const std::string command = "{ read -r line; '" + std::string(CORVINA_TOOL_PATH) + "' import - " +
                                Quoted("After.crv") + " --format json; } <" + Quoted("after.json");
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadBytes(folder.File("After.crv")),
              Header(1) + RootItem() + U32(1) + Item(Wide(u"x-0"), 0, 0, 1) + Wide(u"") + U32(0));
}

} // namespace
