// Texts in one pointer: heap and arena blocks, copies that never share, and very long texts.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "platform/core/CompactText.h"

namespace {

TEST(CompactText, TakesOnePointerAndTheEmptyTextHoldsNothing) {
    EXPECT_EQ(sizeof(CompactText), sizeof(void*));
    const CompactText empty;
    EXPECT_TRUE(empty.empty());
    EXPECT_EQ(empty.size(), 0u);
    EXPECT_EQ(empty, u"");
    CompactText text = u"Milk";
    text = u"";
    EXPECT_TRUE(text.empty());
}

TEST(CompactText, CopiesAndAssignmentsNeverShareAndAViewOfItselfIsSafe) {
    CompactText milk = u"Milk";
    CompactText copy = milk;
    milk = u"Oat milk";
    EXPECT_EQ(copy, u"Milk");
    EXPECT_EQ(milk, u"Oat milk");
    // Assigning a view of the text's own block: the new block is made before the old one goes.
    milk = milk.view().substr(4);
    EXPECT_EQ(milk, u"milk");
    CompactText moved = std::move(milk);
    EXPECT_EQ(moved, u"milk");
    EXPECT_TRUE(milk.empty()); // NOLINT(bugprone-use-after-move): a moved-from text is empty
}

TEST(CompactText, ArenaTextsOutliveTheirCopiesAndTheirCopiesOutliveTheArena) {
    CompactText kept;
    CompactText inArena;
    {
        auto arena = std::make_unique<TextArena>();
        inArena.AssignInArena(*arena, u"Bread");
        kept = inArena;
        // Replacing an arena text with a heap text and back leaves nothing to free twice.
        inArena = u"Rye bread";
        inArena.AssignInArena(*arena, u"Wheat");
        EXPECT_EQ(inArena, u"Wheat");
        inArena = CompactText(); // before the arena goes, as a tree destroys its items first
    }
    EXPECT_EQ(kept, u"Bread");
}

TEST(CompactText, ArenaTakesTextsLongerThanItsChunksAndKeepsEarlierOnes) {
    TextArena arena;
    CompactText first;
    first.AssignInArena(arena, u"first");
    // Five million units: larger than any chunk the arena grows to.
    const std::u16string huge(5'000'000, u'x');
    CompactText big;
    big.AssignInArena(arena, huge);
    CompactText after;
    after.AssignInArena(arena, u"after");
    EXPECT_EQ(big.size(), 5'000'000u);
    EXPECT_EQ(big, huge);
    EXPECT_EQ(first, u"first");
    EXPECT_EQ(after, u"after");
    // Emptied once its texts are gone, the arena starts again from a small chunk.
    first = CompactText();
    big = CompactText();
    after = CompactText();
    arena.Reset();
    after.AssignInArena(arena, u"again");
    EXPECT_EQ(after, u"again");
}

} // namespace
