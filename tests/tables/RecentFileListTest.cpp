#include "tables/RecentFileList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tillora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(RecentFileListTest, TheNewestFileIsAtTheTop) {
    CRecentFileList list;
    list.Add("/data/a.txt");
    list.Add("/data/b.txt");
    EXPECT_THAT(list.Entries(), ElementsAre("/data/b.txt", "/data/a.txt"));
}

TEST(RecentFileListTest, AFileAddedAgainMovesToTheTopAndIsThereOnce) {
    CRecentFileList list;
    list.Add("/data/a.txt");
    list.Add("/data/b.txt");
    list.Add("/data/c.txt");
    list.Add("/data/a.txt");
    EXPECT_THAT(list.Entries(), ElementsAre("/data/a.txt", "/data/c.txt", "/data/b.txt"));
}

TEST(RecentFileListTest, AFifthFilePushesTheOldestOut) {
    CRecentFileList list;
    for (const char* path : {"/1.txt", "/2.txt", "/3.txt", "/4.txt", "/5.txt"}) {
        list.Add(path);
    }
    EXPECT_THAT(list.Entries(), ElementsAre("/5.txt", "/4.txt", "/3.txt", "/2.txt"));
}

TEST(RecentFileListTest, AnEmptyPathChangesNothing) {
    CRecentFileList list;
    list.Add("/data/a.txt");
    list.Add("");
    EXPECT_THAT(list.Entries(), ElementsAre("/data/a.txt"));
}

TEST(RecentFileListTest, AKeptListKeepsItsOrderWithoutGapsRepeatsOrWhatIsBeyondTheCapacity) {
    const CRecentFileList list({"/a.txt", "", "/b.txt", "/a.txt", "/c.txt", "/d.txt", "/e.txt"});
    EXPECT_THAT(list.Entries(), ElementsAre("/a.txt", "/b.txt", "/c.txt", "/d.txt"));
    EXPECT_THAT(CRecentFileList({"", "", "", ""}).Entries(), IsEmpty());
}

TEST(RecentFileListTest, RemoveTakesOnlyThatFileOut) {
    CRecentFileList list({"/a.txt", "/b.txt", "/c.txt"});
    EXPECT_TRUE(list.Remove("/b.txt"));
    EXPECT_THAT(list.Entries(), ElementsAre("/a.txt", "/c.txt"));
    EXPECT_FALSE(list.Remove("/b.txt"));
    EXPECT_THAT(list.Entries(), ElementsAre("/a.txt", "/c.txt"));
}

TEST(RecentFileListTest, PathsAreTheSameFileAsTheSystemComparesNames) {
    EXPECT_TRUE(SameFilePath("/data/a.txt", "/data/a.txt"));
#ifdef _WIN32
    EXPECT_TRUE(SameFilePath("C:/Data/A.TXT", "c:\\data\\a.txt"));
#else
    EXPECT_FALSE(SameFilePath("/data/A.txt", "/data/a.txt"));
#endif
}

TEST(RecentFileListTest, TheMenuTextNumbersFromOneAndShowsAnAmpersandOfThePath) {
    EXPECT_EQ(RecentMenuText(0, "/data/stoka.txt"), "&1 /data/stoka.txt");
    EXPECT_EQ(RecentMenuText(3, "/data/Tom & Jerry.txt"), "&4 /data/Tom && Jerry.txt");
}

} // namespace
} // namespace tillora
