// Lists as Markdown task lists, checked line by line: the marks of each field, notes paragraphs,
// escapes, control characters and deep lists.
#include <gtest/gtest.h>

#include <string>

#include "ToolRunner.h"
#include "model/CorvinaDoc.h"
#include "support/ListBytes.h"
#include "tools/ListMarkdown.h"

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

} // namespace
