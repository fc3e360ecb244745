// Maps are walked in bucket order and files are written in that order, so
// the walk is pinned here; lists keep their order through inserts and removals.
#include "platform/mfc/Array.h"
#include "platform/mfc/List.h"
#include "platform/mfc/Map.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

template <class MAP, class KEY, class VALUE>
std::vector<KEY> WalkKeys(const MAP& map)
{
    std::vector<KEY> keys;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        KEY key;
        VALUE value;
        map.GetNextAssoc(pos, key, value);
        keys.push_back(key);
    }
    return keys;
}

} // namespace

TEST(MapOrder, IntegerKeysWalkBucketsInIndexOrderNewestFirstInABucket)
{
    // key >> 4 mod 17: 0x10 -> 1, 0x20 -> 2, 0x110 -> 0, 0x05 -> 0.
    CMap<DWORD, DWORD, int, int> map;
    map[0x10] = 1;
    map[0x20] = 2;
    map[0x110] = 3;
    map[0x05] = 4;
    EXPECT_EQ((std::vector<DWORD>{0x05, 0x110, 0x10, 0x20}), (WalkKeys<decltype(map), DWORD, int>(map)));
    EXPECT_EQ(17u, map.GetHashTableSize());
}

TEST(MapOrder, StringKeysHashTimes33)
{
    // "ab" -> (97 * 33 + 98) mod 17 = 1, "a" -> 12, "b" -> 13.
    CMapStringToString map;
    map.SetAt("b", "2");
    map.SetAt("a", "1");
    map.SetAt("ab", "3");
    EXPECT_EQ((std::vector<CString>{"ab", "a", "b"}), (WalkKeys<CMapStringToString, CString, CString>(map)));
}

TEST(MapOrder, RemovalAndReinsertionAndOtherTableSizes)
{
    CMap<DWORD, DWORD, int, int> map;
    map.InitHashTable(5);
    for (DWORD k = 0; k < 8; ++k)
        map[k << 4] = (int)k; // buckets 0 1 2 3 4 0 1 2
    EXPECT_TRUE(map.RemoveKey(0));
    EXPECT_FALSE(map.RemoveKey(0));
    map[0] = 99; // back at the head of bucket 0
    EXPECT_EQ((std::vector<DWORD>{0x00, 0x50, 0x60, 0x10, 0x70, 0x20, 0x30, 0x40}),
              (WalkKeys<decltype(map), DWORD, int>(map)));
    int value = 0;
    EXPECT_TRUE(map.Lookup(0x70, value));
    EXPECT_EQ(7, value);
    EXPECT_FALSE(map.Lookup(0x80, value));
    EXPECT_EQ(8, map.GetCount());

    map.RemoveAll();
    EXPECT_EQ(NULL, map.GetStartPosition());
    map[1] = 1;
    EXPECT_EQ(1, map.GetCount());
}

TEST(MapOrder, StringKeysCompareWithCase)
{
    CMapStringToString map;
    map.SetAt("Key", "1");
    map.SetAt("key", "2");
    CString value;
    EXPECT_EQ(2, map.GetCount());
    EXPECT_TRUE(map.Lookup("Key", value));
    EXPECT_EQ("1", value);
    EXPECT_FALSE(map.Lookup("KEY", value));
}

TEST(List, KeepsOrderThroughInsertsAndRemovals)
{
    CStringList list;
    POSITION b = list.AddTail("b");
    list.AddHead("a");
    list.InsertAfter(b, "d");
    list.InsertBefore(list.Find("d"), "c");
    list.RemoveAt(list.Find("a"));
    list.AddTail("e");
    std::vector<CString> forward, backward;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        forward.push_back(list.GetNext(pos));
    for (POSITION pos = list.GetTailPosition(); pos;)
        backward.push_back(list.GetPrev(pos));
    EXPECT_EQ((std::vector<CString>{"b", "c", "d", "e"}), forward);
    EXPECT_EQ((std::vector<CString>{"e", "d", "c", "b"}), backward);
    EXPECT_EQ("d", list.GetAt(list.FindIndex(2)));
    EXPECT_EQ(NULL, list.FindIndex(4));
    EXPECT_EQ("b", list.RemoveHead());
    EXPECT_EQ("e", list.RemoveTail());
    EXPECT_EQ(2, list.GetCount());

    // Appended to itself, the list doubles once (and does not run for ever).
    list.AddTail(list);
    forward.clear();
    for (POSITION pos = list.GetHeadPosition(); pos;)
        forward.push_back(list.GetNext(pos));
    EXPECT_EQ((std::vector<CString>{"c", "d", "c", "d"}), forward);
}

TEST(Array, TypedPointerArrayAndRangeSafety)
{
    int a = 1, b = 2, c = 3;
    CTypedPtrArray<CPtrArray, int*> array;
    array.Add(&a);
    array.Add(&c);
    array.InsertAt(1, &b);
    ASSERT_EQ(3, array.GetSize());
    EXPECT_EQ(&b, array[1]);
    array[2] = &a;
    EXPECT_EQ(&a, array.GetAt(2));
    array.RemoveAt(1, 10); // a span past the end is cut at the end
    EXPECT_EQ(1, array.GetSize());
    array.RemoveAt(5); // outside: nothing
    array.SetAtGrow(3, &c);
    EXPECT_EQ(4, array.GetSize());
    EXPECT_EQ(NULL, array[1]);
}
