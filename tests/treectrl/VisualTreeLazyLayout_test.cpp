// Rows are placed only as far as something needs them. Wherever a row is asked about first, in
// whatever order, it stands where laying out every row from the top puts it, and the first screen
// of a long list looks as it does once every row is placed.
#include "TreeTestHost.h"
#include "support/RowFont.h"

#include <map>
#include <random>

using namespace treetest;

namespace {

/// The rules' numbers for the editor's control: one text column, a 240-pixel window.
constexpr int kViewWidth = kTreeWidth - 3;
constexpr int kTextRight = kViewWidth - 13;
constexpr int kFirstTop = 1;
constexpr int kEmptyTitleHeight = 15;
constexpr int kPadding = 2;
constexpr int kMarkSide = 14;

int TextLeft(int level) {
    return 16 + 52 + 10 * level + 32;
}

/// Where the rules put one row: its rectangle and its notes mark's (all zero without notes), in
/// content coordinates.
struct PlainRow {
    CRect row;
    CRect mark;
};

/// The whole layout written out plainly: rows in display order from y 1, each as high as its
/// wrapped title, widths summed from each character's advance in the row font.
class PlainLayout {
public:
    std::map<const VisualNode*, PlainRow> rows;
    int contentHeight = 0;

    explicit PlainLayout(CVisualTreeCtrl& tree) : m_lineHeight(MeasureRowText(u" ").cy) {
        int top = kFirstTop;
        for (VisualNode* row = tree.GetFirstItem(); row != nullptr;) {
            const PlainRow placed = Place(*row, tree.GetItemLevel(row), top);
            rows[row] = placed;
            contentHeight += placed.row.Height();
            top = placed.row.bottom;
            row = tree.GetNextVisibleItem(row, true);
        }
    }

private:
    int Advance(char16_t c) {
        auto [found, fresh] = m_advances.try_emplace(c, 0);
        if (fresh) {
            found->second = MeasureRowText(std::u16string(1, c)).cx;
        }
        return found->second;
    }

    PlainRow Place(const VisualNode& node, int level, int top) {
        const std::u16string_view text = node.item.text;
        const int left = TextLeft(level);
        int x = left;
        int lines = 0;
        std::size_t at = 0;
        while (at < text.size()) {
            if (text[at] == u' ') {
                ++at;
                continue;
            }
            int width = Advance(u' ');
            for (; at < text.size() && text[at] != u' '; ++at) {
                width += Advance(text[at]);
            }
            if (lines == 0) {
                lines = 1;
            } else if (x + width > kTextRight && x > left) {
                ++lines;
                x = left;
            }
            x += width;
        }
        PlainRow plain;
        int bottom = top + kEmptyTitleHeight;
        if (!text.empty()) {
            bottom = top + (lines > 0 ? lines * m_lineHeight : kEmptyTitleHeight) + kPadding;
        }
        if (!node.item.notes.empty()) {
            if (kViewWidth - x - 13 < kMarkSide) {
                plain.mark = CRect(left, bottom, left + kMarkSide, bottom + kMarkSide);
                bottom += kMarkSide;
            } else {
                plain.mark = CRect(x, bottom - kMarkSide, x + kMarkSide, bottom);
            }
        }
        plain.row = CRect(0, top, kViewWidth, bottom);
        return plain;
    }

    int m_lineHeight;
    std::map<char16_t, int> m_advances;
};

/// Titles of words of narrow and wide letters, some empty or of spaces alone, some far longer
/// than a line.
std::u16string RandomText(std::mt19937& random) {
    static const std::u16string letters = u"ilmW.Ax";
    if (random() % 10 == 0) {
        return std::u16string(random() % 3, u' ');
    }
    std::u16string text;
    const unsigned words = random() % 16;
    for (unsigned w = 0; w < words; ++w) {
        text.append(random() % 3, u' ');
        text.append(1 + random() % 12, letters[random() % letters.size()]);
        text.push_back(u' ');
    }
    return text;
}

class LazyLayout : public TreeFixture {
protected:
    /// A random tree of `count` rows (every few rows with notes, a few branches collapsed), then a
    /// few rows added at the end once a layout has placed the rows at the top only.
    std::vector<VisualNode*> BuildRandomTree(unsigned seed, std::size_t count) {
        std::mt19937 random(seed);
        std::vector<VisualNode*> all;
        for (std::size_t i = 0; i < count; ++i) {
            VisualNode* parentRow = all.empty() || random() % 4 == 0 ? nullptr : all[random() % all.size()];
            VisualNode* row = Add(RandomText(random), parentRow);
            if (random() % 4 == 0) {
                tree.SetItemNotes(row, u"notes");
            }
            all.push_back(row);
        }
        // Each collapse lays the rows out afresh, from the top and only as far as the view needs.
        for (VisualNode* row : all) {
            if (row->HasChildren() && random() % 8 == 0) {
                tree.Expand(row, false);
            }
        }
        for (int i = 0; i < 3; ++i) {
            all.push_back(Add(RandomText(random)));
        }
        return all;
    }
};

TEST_F(LazyLayout, RowsAskedAboutInAnyOrderStandWhereTheWholeLayoutPutsThem) {
    for (unsigned seed = 1; seed <= 4; ++seed) {
        tree.DeleteAllItems();
        std::vector<VisualNode*> rows = BuildRandomTree(seed, 700);
        Grab(); // a paint: the rows in view are placed, the rest not yet
        PlainLayout plain(tree);
        ASSERT_GT(plain.contentHeight, 20 * kTreeHeight) << "a list far longer than the view";

        std::mt19937 random(seed);
        std::shuffle(rows.begin(), rows.end(), random);
        for (VisualNode* row : rows) {
            const auto found = plain.rows.find(row);
            if (found == plain.rows.end()) {
                continue; // inside a collapsed branch
            }
            const PlainRow& expected = found->second;
            ASSERT_EQ(tree.GetItemRect(row), expected.row) << "seed " << seed;
            ASSERT_EQ(tree.GetNotesRect(row), expected.mark) << "seed " << seed;
            const int level = tree.GetItemLevel(row);
            ASSERT_EQ(tree.GetExpanderRect(row).TopLeft(),
                      CPoint(16 + 52 + 10 * level + 2, expected.row.top + 3));
        }
        EXPECT_EQ(tree.GetContentRect().Height(), plain.contentHeight) << "seed " << seed;
        EXPECT_EQ(tree.GetShownRows().size(), plain.rows.size()) << "seed " << seed;
    }
}

TEST_F(LazyLayout, HitTestsBelowTheViewFindTheRowsTheWholeLayoutPutsThere) {
    BuildRandomTree(7, 700);
    Grab();
    PlainLayout plain(tree);
    // Points far below the view reach rows no layout has placed yet.
    for (const auto& [row, placed] : plain.rows) {
        if (placed.row.top > 40 * kTreeHeight) {
            continue;
        }
        EXPECT_EQ(tree.HitTest(CPoint(5, placed.row.bottom - 1)), row);
    }
}

TEST_F(LazyLayout, TheFirstScreenAndEveryScrollLookAsWithEveryRowPlaced) {
    BuildRandomTree(11, 700);
    const auto lazy = Grab();
    PlainLayout plain(tree);
    // At the top the thumb is as short as it gets: 13 pixels from the track's top, y 1 + 12.
    EXPECT_EQ(tree.GetScrollBar().thumb, CRect(kViewWidth - 13, 13, kViewWidth, 26));

    tree.GetContentRect(); // every row placed
    tree.RedrawWindow();
    const auto whole = Grab();
    for (int y = 0; y < kTreeHeight; ++y) {
        for (int x = 0; x < kTreeWidth; ++x) {
            ASSERT_EQ(lazy.Pixel(x, y), whole.Pixel(x, y)) << x << ", " << y;
        }
    }

    // A scroll places everything: the thumb moves by the track over the content's full height.
    tree.ForgetMeasurements();
    tree.RedrawWindow();
    tree.Wheel(-40); // 40 notches towards the user: 1,200 pixels down
    const int track = kTreeHeight - 2 - 2 * 12;
    const float scale = static_cast<float>(track) / static_cast<float>(plain.contentHeight);
    EXPECT_EQ(tree.GetScrollOffset(), 1200);
    EXPECT_EQ(tree.GetScrollBar().thumb.top, 13 + static_cast<int>(1200.0f * scale));
    EXPECT_EQ(tree.GetContentRect().Height(), plain.contentHeight);
}

} // namespace
