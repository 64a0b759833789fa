#include <gtest/gtest.h>

#include "afxcoll.h"

TEST(Collections, StringArrayGrowsInsertsAndRemoves) {
  CStringArray a;
  EXPECT_EQ(a.Add("x"), 0);
  EXPECT_EQ(a.Add("z"), 1);
  a.InsertAt(1, "y");
  a.SetAtGrow(4, "end");
  EXPECT_EQ(a.GetSize(), 5);
  EXPECT_EQ(a.GetUpperBound(), 4);
  EXPECT_STREQ(a.GetAt(1), "y");
  EXPECT_STREQ(a[3], "");
  a.RemoveAt(0, 2);
  EXPECT_STREQ(a.GetAt(0), "z");
  a.RemoveAt(10);  // out of range: ignored
  EXPECT_EQ(a.GetSize(), 3);
  EXPECT_STREQ(a.GetAt(99), "");
  a.SetSize(1);
  EXPECT_EQ(a.GetCount(), 1);
  a.RemoveAll();
  EXPECT_TRUE(a.IsEmpty());
}

struct Item : CObject {
  explicit Item(int v) : value(v) {}
  int value;
};

TEST(Collections, ObjectArrayHoldsPointersWithoutOwning) {
  Item one(1), two(2);
  CObArray a;
  a.Add(&one);
  a.Add(&two);
  EXPECT_EQ(static_cast<Item*>(a.GetAt(1))->value, 2);
  EXPECT_EQ(a.GetAt(5), nullptr);
  a.RemoveAll();
  EXPECT_EQ(one.value, 1);
}

TEST(Collections, MapLooksUpReplacesAndIteratesEveryEntryOnce) {
  CMap<CString, const char*, int, int> map;
  map.SetAt("b", 2);
  map.SetAt("a", 1);
  map["c"] = 3;
  map.SetAt("a", 10);
  int value = 0;
  EXPECT_TRUE(map.Lookup("a", value));
  EXPECT_EQ(value, 10);
  EXPECT_FALSE(map.Lookup("zz", value));
  EXPECT_EQ(map.GetCount(), 3);

  CString keys;
  int sum = 0;
  for (POSITION pos = map.GetStartPosition(); pos;) {
    CString key;
    map.GetNextAssoc(pos, key, value);
    keys += key;
    sum += value;
  }
  EXPECT_STREQ(keys, "abc");
  EXPECT_EQ(sum, 15);
  EXPECT_TRUE(map.RemoveKey("b"));
  EXPECT_FALSE(map.RemoveKey("b"));

  CMapStringToString names;
  names.SetAt("file", "/resolved/file");
  CString resolved;
  EXPECT_TRUE(names.Lookup("file", resolved));
  EXPECT_STREQ(resolved, "/resolved/file");
  names.RemoveAll();
  EXPECT_EQ(names.GetStartPosition(), nullptr);
}
