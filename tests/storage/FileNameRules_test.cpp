// The extension a folder listing's pattern asks for, as the list screens and corvina-tool take it.
#include "platform/storage/FileNameRules.h"
#include "platform/storage/ListsFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(ExtensionOfPattern, AStarThenAnExtensionAsksForThatExtensionWithItsDot) {
    EXPECT_EQ(platform::ExtensionOfPattern(u"*.crv"), u".crv");
    EXPECT_EQ(platform::ExtensionOfPattern(u"*.tar.gz"), u".tar.gz");
    EXPECT_EQ(platform::ExtensionOfPattern(u"*.*"), u".*");
    EXPECT_EQ(kListExtension, u".crv");
    EXPECT_EQ(kListDefaultExtension, u"crv");
}

TEST(ExtensionOfPattern, APatternWithoutALeadingStarAsksForNone) {
    EXPECT_EQ(platform::ExtensionOfPattern(u"*"), u"");
    EXPECT_EQ(platform::ExtensionOfPattern(u""), u"");
    EXPECT_EQ(platform::ExtensionOfPattern(u"Shop.crv"), u"");
    EXPECT_EQ(platform::ExtensionOfPattern(u"?.crv"), u"");
}

} // namespace
