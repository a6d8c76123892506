#include "saver/controls/subclass_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

namespace qv::controls {
namespace {

TEST(SubclassTable, FreedEntriesAreReusedFromTheLastOne) {
    SubclassTable t;
    EXPECT_EQ(t.Take(0), nullptr);
    t.Take(10);
    t.Take(20);
    t.Take(30);
    EXPECT_EQ(t.Take(20), t.Find(20));  // already there: the same entry
    EXPECT_EQ(t.Size(), 3u);
    EXPECT_TRUE(t.Free(10));
    EXPECT_TRUE(t.Free(30));
    EXPECT_FALSE(t.Free(30));
    t.Take(40);  // takes the last free entry (where 30 was)
    t.Take(50);  // then the first
    EXPECT_EQ(t.Size(), 3u);
    EXPECT_EQ(t.Windows(), (std::vector<std::uintptr_t>{50, 20, 40}));
    t.Take(60);
    EXPECT_EQ(t.Size(), 4u);
}

TEST(SubclassTable, MessagesAreKeptOncePerSetAndForgottenWhenFreed) {
    SubclassTable t;
    EXPECT_FALSE(t.AddMsg(7, 0x2A3, kMsgAfter));  // not hooked
    t.Take(7);
    EXPECT_TRUE(t.AddMsg(7, 0x2A3, kMsgAfter));
    EXPECT_TRUE(t.AddMsg(7, 0x2A3, kMsgAfter));
    EXPECT_TRUE(t.AddMsg(7, 0x06, kMsgBeforeAndAfter));
    EXPECT_EQ(t.Find(7)->after.size(), 2u);
    EXPECT_EQ(t.Find(7)->before.size(), 1u);
    t.Free(7);
    t.Take(8);
    EXPECT_TRUE(t.Find(8)->after.empty());
    EXPECT_TRUE(t.Find(8)->before.empty());
}

TEST(SubclassTableEdges, AFreedEntryIsNoWindowInUseAndWindowOneIs) {
    SubclassTable t;
    t.Take(1);
    t.Take(2);
    t.Free(2);
    EXPECT_EQ(t.Windows(), std::vector<std::uintptr_t>{1});
}

TEST(SubclassTableEdges, AMessageForBeforeOnlyStaysOutOfTheAfterSet) {
    SubclassTable t;
    t.Take(5);
    t.AddMsg(5, 0x20, kMsgBefore);
    EXPECT_TRUE(t.Find(5)->after.empty());
    EXPECT_EQ(t.Find(5)->before, std::set<unsigned>{0x20});
}

}  // namespace
}  // namespace qv::controls
