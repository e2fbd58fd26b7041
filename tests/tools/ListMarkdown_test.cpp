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
    item.notes = u"- dash\r\n# head\r\n12. num\r\n  + plus\r\n> quote\r\n1) one\r\nplain 2. text";
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

// The rules written out plainly, each text escaped whole by each rule in turn.
namespace plain {

constexpr std::string_view kHeading = "# ";
constexpr std::string_view kIndentPerLevel = "  ";
constexpr std::string_view kCheckedTask = "- [x]";
constexpr std::string_view kOpenTask = "- [ ]";
constexpr std::string_view kHighMark = " !";
constexpr std::string_view kLowMark = " \u2193";
constexpr std::uint32_t kPlainQuantity = 1;
constexpr std::size_t kDeepestIndentedLevel = 32;
// Characters that would start emphasis, code, links, HTML, strike-through or an entity.
constexpr std::u16string_view kInlinePunctuation = u"\\`*_[]<>~&";
// Characters that start a block (a list, a heading, a quote, a table row, an underline) when they
// begin a line.
constexpr std::u16string_view kBlockStarters = u"-+#>=|";
constexpr std::u16string_view kTab = u"\t";

// The text with Markdown's inline punctuation escaped.
std::u16string InlineEscaped(std::u16string_view text) {
    std::u16string escaped;
    escaped.reserve(text.size());
    for (const char16_t unit : text) {
        if (kInlinePunctuation.find(unit) != std::u16string_view::npos) {
            escaped += u'\\';
        }
        escaped += unit;
    }
    return escaped;
}

// A title or name as Markdown text: punctuation escaped, control characters (tabs aside) as pictures.
std::string Escaped(std::u16string_view text) {
    return WithControlPictures(InlineEscaped(text), kTab);
}

bool IsDigit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

// A notes line that would begin a block of its own (a list, a heading, an ordered item) gets the
// backslash that keeps it text.
std::u16string WithBlockStartEscaped(std::u16string_view line) {
    std::u16string out(line);
    const std::size_t first = out.find_first_not_of(u' ');
    if (first == std::u16string::npos) {
        return out;
    }
    if (kBlockStarters.find(out[first]) != std::u16string_view::npos) {
        out.insert(first, 1, u'\\');
        return out;
    }
    std::size_t afterDigits = first;
    while (afterDigits < out.size() && IsDigit(out[afterDigits])) {
        ++afterDigits;
    }
    if (afterDigits > first && afterDigits < out.size() &&
        (out[afterDigits] == u'.' || out[afterDigits] == u')')) {
        out.insert(afterDigits, 1, u'\\');
    }
    return out;
}

// Notes keep CR LF line breaks; each line of them is one line of the paragraph.
void AppendNotes(std::string& out, std::u16string_view notes, std::string_view indent) {
    out += '\n';
    std::size_t start = 0;
    while (start <= notes.size()) {
        std::size_t end = std::min(notes.find(u'\n', start), notes.size());
        std::u16string_view line = notes.substr(start, end - start);
        if (end < notes.size() && line.ends_with(u'\r')) {
            line.remove_suffix(1);
        }
        if (!line.empty()) {
            out += indent;
            out += WithControlPictures(WithBlockStartEscaped(InlineEscaped(line)), kTab);
        }
        out += '\n';
        start = end + 1;
    }
}

std::string PlainMarkdown(const CCorvinaDoc& doc, std::u16string_view listName) {
    std::string out = std::string(kHeading) + Escaped(listName) + "\n";
    if (doc.tree.Count() != 0) {
        out += '\n';
    }
    std::string indent;
    doc.tree.Walk([&](const TaskNode& node, std::size_t depth) {
        indent.clear();
        for (std::size_t level = 0; level < std::min(depth, kDeepestIndentedLevel); ++level) {
            indent += kIndentPerLevel;
        }
        const TaskItem& item = node.item;
        out += indent;
        out += item.checked ? kCheckedTask : kOpenTask;
        if (depth > kDeepestIndentedLevel) {
            out += " (level " + std::to_string(depth) + ")";
        }
        if (!item.title.empty()) {
            out += ' ';
            out += Escaped(item.title);
        }
        if (item.quantity != kPlainQuantity) {
            out += " (" + std::to_string(item.quantity) + ")";
        }
        if (item.importance == TaskItem::kHighImportance) {
            out += kHighMark;
        } else if (item.importance == TaskItem::kLowImportance) {
            out += kLowMark;
        }
        out += '\n';
        if (!item.notes.empty()) {
            AppendNotes(out, item.notes, indent + std::string(kIndentPerLevel));
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
