// The address list of the browser: its order when the window opens and how shown pages move.
#include <gtest/gtest.h>

#include "browser/AddressList.h"

namespace kelmaz {
namespace {

using Lines = std::vector<std::string>;

const Lines kBuiltIns{"http://b1/", "http://b2/", "http://b3/", "http://b4/"};

TEST(AddressList, StartsWithFileLinesThenBuiltInsThenTheStartingAddress) {
    const AddressList list =
        AddressList::initial({"http://mine/", "", "http://other/"}, kBuiltIns, "http://start/");
    EXPECT_EQ(list.entries(), (Lines{"http://mine/", "", "http://other/", "http://b1/",
                                     "http://b2/", "http://b3/", "http://b4/", "http://start/"}));
    EXPECT_EQ(AddressList::initial({}, kBuiltIns, "").entries(), kBuiltIns);
}

TEST(AddressList, ShownPagesGoToTheTopTheLaterFirst) {
    AddressList list = AddressList::initial({}, kBuiltIns, "http://start/");
    list.shown("http://start/");
    EXPECT_EQ(list.entries().front(), "http://start/");
    EXPECT_EQ(list.entries().size(), 5u);

    list.shown("http://new1/");
    list.shown("http://new2/");
    EXPECT_EQ(list.entries()[0], "http://new2/");
    EXPECT_EQ(list.entries()[1], "http://new1/");
    EXPECT_EQ(list.entries()[2], "http://start/");
    EXPECT_EQ(list.entries().size(), 7u);
}

TEST(AddressList, ShowingAListedAddressMovesItInsteadOfDuplicatingIt) {
    AddressList list = AddressList::initial({"http://b3/"}, kBuiltIns, "http://b3/");
    list.shown("http://b3/");
    EXPECT_EQ(list.entries(), (Lines{"http://b3/", "http://b1/", "http://b2/", "http://b4/"}));

    // The comparison is exact: another spelling is another entry.
    list.shown("http://B3/");
    EXPECT_EQ(list.entries().size(), 5u);
}

TEST(AddressList, NeverGrowsPastItsLimit) {
    Lines many;
    for (int i = 0; i < 500; ++i) many.push_back("http://file/" + std::to_string(i));
    AddressList list = AddressList::initial(many, kBuiltIns, "http://start/");
    ASSERT_EQ(list.entries().size(), AddressList::kMaxEntries);
    // The built-in addresses and the starting page are never crowded out by the file.
    EXPECT_EQ(list.entries().back(), "http://start/");
    EXPECT_EQ(list.entries()[AddressList::kMaxEntries - 5], "http://b1/");

    list.shown("http://fresh/");
    EXPECT_EQ(list.entries().size(), AddressList::kMaxEntries);
    EXPECT_EQ(list.entries().front(), "http://fresh/");
    EXPECT_EQ(list.entries().back(), "http://b4/");
}

}  // namespace
}  // namespace kelmaz
