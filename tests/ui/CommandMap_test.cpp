// Command tables: handlers, ranges, enabling rules and notification routing.
#include "platform/ui/CommandMap.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(CommandMapRouting, RunsTheHandlerOfAnIdAndReportsMissingOnes) {
    CommandMap map;
    std::vector<UINT> ran;
    map.OnCommand(10, [&] { ran.push_back(10); });
    map.OnCommandRange(20, 22, [&](UINT id) { ran.push_back(id); });
    EXPECT_TRUE(map.DispatchCommand(10));
    EXPECT_TRUE(map.DispatchCommand(21));
    EXPECT_TRUE(map.DispatchCommand(22));
    EXPECT_FALSE(map.DispatchCommand(23));
    EXPECT_FALSE(map.DispatchCommand(19));
    EXPECT_EQ(ran, (std::vector<UINT>{10, 21, 22}));
}

TEST(CommandMapRouting, ALaterHandlerForTheSameIdReplacesTheFirst) {
    CommandMap map;
    int which = 0;
    map.OnCommand(5, [&] { which = 1; });
    map.OnCommand(5, [&] { which = 2; });
    map.DispatchCommand(5);
    EXPECT_EQ(which, 2);
}

TEST(CommandMapEnabling, AnIdWithNeitherRuleNorHandlerIsDisabled) {
    CommandMap map;
    map.OnCommand(1, [] {});
    EXPECT_TRUE(map.IsEnabled(1));
    EXPECT_FALSE(map.IsEnabled(2));
}

TEST(CommandMapEnabling, ARuleDecidesOverTheHandlerAndIsAskedEachTime) {
    CommandMap map;
    bool selected = false;
    map.OnCommand(7, [] {});
    map.OnUpdate(7, [&] { return selected; });
    map.OnUpdate(8, [] { return true; });
    EXPECT_FALSE(map.IsEnabled(7));
    selected = true;
    EXPECT_TRUE(map.IsEnabled(7));
    EXPECT_TRUE(map.IsEnabled(8)) << "a rule alone enables";
    EXPECT_TRUE(map.HasRule(8));
    EXPECT_FALSE(map.HasHandler(8));
}

TEST(CommandMapNotifications, AreKeyedBySenderIdAndCode) {
    CommandMap map;
    std::vector<UINT> codes;
    map.OnNotify(1012, 8500, [&](const NMHDR& hdr, LRESULT* result) {
        codes.push_back(hdr.code);
        *result = 0;
    });
    LRESULT result = 99;
    EXPECT_TRUE(map.DispatchNotify(NMHDR{nullptr, 1012, 8500}, &result));
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(map.DispatchNotify(NMHDR{nullptr, 1012, 8501}, &result));
    EXPECT_FALSE(map.DispatchNotify(NMHDR{nullptr, 1013, 8500}, &result));
    EXPECT_EQ(codes, (std::vector<UINT>{8500}));
}

} // namespace
