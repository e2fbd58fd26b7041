// Texts in one pointer: heap and arena blocks, copies that never share, and very long texts.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/CompactText.h"
#include "platform/core/PoolChunks.h"

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

TEST(CompactText, ReservedArenaHoldsTheComingTextsSideBySideInOneChunk) {
    TextArena arena;
    // 400 texts of 100 units: a block is a 4-byte length and 200 bytes, 81,600 bytes in all, far
    // past the 4 KiB an arena starts with.
    constexpr std::size_t kTexts = 400;
    constexpr std::size_t kBlockBytes = 4 + 200;
    arena.Reserve(kTexts * kBlockBytes);
    std::vector<CompactText> texts(kTexts);
    for (std::size_t i = 0; i < kTexts; ++i) {
        texts[i].AssignInArena(arena, std::u16string(100, static_cast<char16_t>(u'a' + i % 26)));
    }
    for (std::size_t i = 1; i < kTexts; ++i) {
        const auto previous = reinterpret_cast<std::uintptr_t>(texts[i - 1].data());
        ASSERT_EQ(reinterpret_cast<std::uintptr_t>(texts[i].data()), previous + kBlockBytes) << i;
    }
    EXPECT_EQ(texts[kTexts - 1], std::u16string(100, static_cast<char16_t>(u'a' + (kTexts - 1) % 26)));
    texts.clear();
    arena.Reset();
}

TEST(CompactText, ArenaReservesNoMoreThanAQuarterGibibyteWhateverItIsAskedFor) {
    constexpr std::size_t kQuarterGiB = std::size_t{256} * 1024 * 1024;
    constexpr std::size_t kHugePage = std::size_t{2} * 1024 * 1024;
    TextArena arena;
    const std::size_t before = MappedChunkBytes();
    arena.Reserve(std::size_t{64} * 1024 * 1024 * 1024);
    CompactText text;
    text.AssignInArena(arena, u"Flour");
    // The quarter gibibyte and the chunk's own link, in whole huge pages: untouched, it costs no
    // memory.
    EXPECT_EQ(MappedChunkBytes() - before, kQuarterGiB + kHugePage);
    EXPECT_EQ(text, u"Flour");
    text = CompactText();
    arena.Reset();
    EXPECT_EQ(MappedChunkBytes(), before);
}

} // namespace
