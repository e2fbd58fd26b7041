// Lists as Markdown task lists, checked line by line: the marks of each field, notes paragraphs,
// escapes, control characters and deep lists.
#include <gtest/gtest.h>

#include <string>

#include "ToolRunner.h"
#include "model/CorvinaDoc.h"
#include "support/ListBytes.h"
#include "tools/ListMarkdown.h"

#include <algorithm>
#include <random>
#include <regex>

#include "EdgeLists.h"
#include "tools/ControlPictures.h"

namespace {

using namespace list_bytes;

TEST_F(CorvinaToolTest, MarkdownShowsQuantityImportanceAndNotesUnderTheirItem) {
    WriteBytes(folder.File("Milk.crv"), Header(2) + RootItem() + U32(1) + Item(Wide(u"Milk"), 2, 1, 0) +
                                            Wide(u"") + U32(1) + Item(Wide(u"Skimmed"), 1, 0, 1) +
                                            Wide(u"low fat, fresh") + U32(0));
    const ToolRun run = Run("export " + Quoted("Milk.crv") + " - --format markdown");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "# Milk\n"
                       "\n"
                       "- [x] Milk (2) !\n"
                       "  - [ ] Skimmed\n"
                       "\n"
                       "    low fat, fresh\n");
    EXPECT_EQ(Run("export " + Quoted("Milk.crv") + " " + Quoted("milk.md") + " --format markdown").status, 0);
    EXPECT_EQ(ReadBytes(folder.File("milk.md")), run.out);
}

TEST_F(CorvinaToolTest, MarkdownEdgeValues) {
    WriteBytes(folder.File("Edge.crv"),
               Header(4) + RootItem() + U32(4) + Item(Wide(u""), 0, 0, -1) + Wide(u"a\tb\r\nc") + U32(0) +
                   Item(Wide(u"Tab\there \x1B"), 0xFFFFFFFF, 7, 7) + Wide(u"") + U32(0) +
                   Item(Wide(u"Smile \U0001F600"), 1, 0, 2) + Wide(u"\u00e9\r\n\r\nnew\rline") + U32(0) +
                   Item(Wide(u"Line\r\nbreak"), 1, 0, 1) + Wide(u"") + U32(0));
    const ToolRun run = Run("export " + Quoted("Edge.crv") + " - --format markdown");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "# Edge\n"
                       "\n"
                       "- [ ] (0)\n"
                       "\n"
                       "  a\tb\n"
                       "  c\n"
                       "- [x] Tab\there \u241B (4294967295)\n"
                       "- [ ] Smile \U0001F600 \u2193\n"
                       "\n"
                       "  \u00e9\n"
                       "\n"
                       "  new\u240Dline\n"
                       "- [ ] Line\u240D\u240Abreak\n");
    WriteBytes(folder.File("None.crv"), "");
    EXPECT_EQ(Run("export " + Quoted("None.crv") + " - --format markdown").out, "# None\n");
}

TEST(ListMarkdown, MarkupInTextsIsEscapedSoItShowsAsWritten) {
    CCorvinaDoc doc;
    TaskItem item;
    item.title = u"*bold* [link](x) <b> a_b `c` ~d~ &amp; \\ 3.5 # not a heading";
    item.notes =
        u"- dash\r\n# head\r\n12. num\r\n  + plus\r\n> quote\r\n1) one\r\n= under\r\n| cell\r\nplain 2. text";
    doc.tree.AddItem(item);
    EXPECT_EQ(
        FormatListAsMarkdown(doc, u"My_List"),
        "# My\\_List\n"
        "\n"
        "- [ ] \\*bold\\* \\[link\\](x) \\<b\\> a\\_b \\`c\\` \\~d\\~ \\&amp; \\\\ 3.5 # not a heading\n"
        "\n"
        "  \\- dash\n"
        "  \\# head\n"
        "  12\\. num\n"
        "    \\+ plus\n"
        "  \\> quote\n"
        "  1\\) one\n"
        "  \\= under\n"
        "  \\| cell\n"
        "  plain 2. text\n");
}

TEST(ListMarkdown, IndentationStopsAtThirtyTwoLevels) {
    CCorvinaDoc doc;
    TaskNode* parent = nullptr;
    for (int level = 0; level < 35; ++level) {
        TaskItem item;
        item.title = u"L" + std::u16string(1, static_cast<char16_t>(u'a' + level % 26));
        parent = doc.tree.AddItem(item, parent);
    }
    const std::string markdown = FormatListAsMarkdown(doc, u"Deep");
    EXPECT_NE(markdown.find("\n" + std::string(2 * 31, ' ') + "- [ ] Lf\n"), std::string::npos);
    EXPECT_NE(markdown.find("\n" + std::string(2 * 32, ' ') + "- [ ] Lg\n"), std::string::npos);
    EXPECT_NE(markdown.find("\n" + std::string(2 * 32, ' ') + "- [ ] (level 33) Lh\n"), std::string::npos);
    EXPECT_NE(markdown.find("\n" + std::string(2 * 32, ' ') + "- [ ] (level 34) Li\n"), std::string::npos);
}

// The rules written out plainly: every text takes the escaping path, and the escapes are patterns.
namespace plain {

// Markdown's inline punctuation gets a backslash; control characters but the tab show as pictures.
std::string Escaped(std::u16string_view text) {
    static const std::regex punctuation(R"([\\`*_\[\]<>~&])");
    return std::regex_replace(WithControlPictures(text, u"\t"), punctuation, R"(\$&)");
}

// A notes line that would begin a block gets a backslash before its mark: a list, heading, quote,
// table row or underline character after the spaces, or the "." or ")" after an ordered item's digits.
std::string NotesLine(std::u16string_view line) {
    static const std::regex blockMark(R"(^( *)([-+#>=|]))");
    static const std::regex orderedMark(R"(^( *[0-9]+)([.)]))");
    const std::string escaped = std::regex_replace(Escaped(line), blockMark, R"($1\$2)");
    return std::regex_replace(escaped, orderedMark, R"($1\$2)");
}

std::string PlainMarkdown(const CCorvinaDoc& doc, std::u16string_view listName) {
    std::string out = "# " + Escaped(listName) + "\n";
    if (doc.tree.Count() != 0) {
        out += '\n';
    }
    doc.tree.Walk([&](const TaskNode& node, std::size_t depth) {
        const TaskItem& item = node.item;
        // Thirty-two levels are indented; deeper items say their level instead.
        const std::string indent(2 * std::min<std::size_t>(depth, 32), ' ');
        out += indent + (item.checked ? "- [x]" : "- [ ]");
        if (depth > 32) {
            out += " (level " + std::to_string(depth) + ")";
        }
        if (!item.title.empty()) {
            out += " " + Escaped(item.title);
        }
        if (item.quantity != 1) {
            out += " (" + std::to_string(item.quantity) + ")";
        }
        if (item.importance == TaskItem::kHighImportance) {
            out += " !";
        } else if (item.importance == TaskItem::kLowImportance) {
            out += " \u2193";
        }
        out += '\n';
        if (item.notes.empty()) {
            return;
        }
        // A paragraph one level deeper, a line for each line of the notes, ended by LF or CR LF.
        out += '\n';
        const std::u16string_view notes = item.notes.view();
        for (std::size_t start = 0, end = 0; start <= notes.size(); start = end + 1) {
            end = std::min(notes.find(u'\n', start), notes.size());
            std::u16string_view line = notes.substr(start, end - start);
            if (end < notes.size() && line.ends_with(u'\r')) {
                line.remove_suffix(1);
            }
            out += (line.empty() ? "" : indent + "  " + NotesLine(line)) + "\n";
        }
    });
    return out;
}

} // namespace plain

TEST(ListMarkdown, TheWriterWritesWhatThePlainRulesWrite) {
    std::mt19937 random(23);
    for (int list = 0; list < 60; ++list) {
        CCorvinaDoc doc;
        FillEdgeList(doc, random, list);
        const std::u16string name = EdgeText(random, 3);
        ASSERT_EQ(FormatListAsMarkdown(doc, name), plain::PlainMarkdown(doc, name)) << list;
    }
}

} // namespace
