// The name part of device paths and host paths.
#include <gtest/gtest.h>

#include "platform/core/PathNames.h"

namespace {

TEST(PathNames, TheNameFollowsTheLastSeparatorOfEitherKind) {
    EXPECT_EQ(FileNameOf(u"\\Program Files\\Corvina\\Lists\\Shop.crv"), u"Shop.crv");
    EXPECT_EQ(FileNameOf(u"/home/me/Shop.crv"), u"Shop.crv");
    EXPECT_EQ(FileNameOf(u"\\Storage Card/notes\\Trip.txt"), u"Trip.txt");
    EXPECT_EQ(FileNameOf(u"/tmp/odd\\Trip.txt"), u"Trip.txt");
    EXPECT_EQ(FileNameOf(u"\\Shop.crv"), u"Shop.crv");
}

TEST(PathNames, APathWithoutSeparatorIsItsOwnNameAndAFolderPathHasNone) {
    EXPECT_EQ(FileNameOf(u"Shop.crv"), u"Shop.crv");
    EXPECT_EQ(FileNameOf(u""), u"");
    EXPECT_EQ(FileNameOf(u"\\Lists\\"), u"");
    EXPECT_EQ(FileNameOf(u"/"), u"");
}

} // namespace
