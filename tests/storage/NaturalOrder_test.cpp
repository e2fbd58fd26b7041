// Names in the order file managers show them: letters without regard to case, numbers by value.
#include "platform/storage/NaturalOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

TEST(NaturalOrder, NumbersSortByValueAndLettersWithoutRegardToCase) {
    std::vector<std::u16string> names = {u"List 28.crv", u"list 3.crv", u"List 2.crv",   u"List 10.crv",
                                         u"Apples.crv",  u"banana.crv", u"List 007.crv", u"List.crv"};
    std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return NaturalLess(a, b); });
    EXPECT_EQ(names,
              (std::vector<std::u16string>{u"Apples.crv", u"banana.crv", u"List 2.crv", u"list 3.crv",
                                           u"List 007.crv", u"List 10.crv", u"List 28.crv", u"List.crv"}));
}

TEST(NaturalOrder, NamesEqualButForCaseStillHaveAnOrder) {
    EXPECT_NE(NaturalLess(u"Shop.crv", u"shop.crv"), NaturalLess(u"shop.crv", u"Shop.crv"));
    EXPECT_FALSE(NaturalLess(u"Shop.crv", u"Shop.crv"));
    EXPECT_TRUE(NaturalLess(u"List 99999999999999999999", u"List 100000000000000000000")) << "no overflow";
}

} // namespace
