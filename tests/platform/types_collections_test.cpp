#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/Collections.h"

namespace {

template <class F>
bool ThrowsInvalidArg(F f) {
  try {
    f();
  } catch (CInvalidArgException* e) {
    e->Delete();
    return true;
  }
  return false;
}

std::string Join(const CStringArray& a) {
  std::string s;
  for (int i = 0; i < a.GetSize(); ++i) s += std::string(a[i]) + ",";
  return s;
}

TEST(CollectionsTest, ArrayInsertRemoveAndBounds) {
  CStringArray a;
  a.Add("a");
  a.Add("d");
  a.InsertAt(1, "b");
  a.InsertAt(2, "c", 2);
  EXPECT_EQ(Join(a), "a,b,c,c,d,");
  a.RemoveAt(2);
  EXPECT_EQ(Join(a), "a,b,c,d,");
  a.RemoveAt(1, 3);
  EXPECT_EQ(Join(a), "a,");
  a.InsertAt(3, "x");  // past the end: the gap is filled with empty strings
  EXPECT_EQ(Join(a), "a,,,x,");
  a.SetAtGrow(5, "z");
  EXPECT_EQ(a.GetSize(), 6);
  EXPECT_EQ(a.GetUpperBound(), 5);
  // Adding an element of the array itself while it grows.
  a.SetAtGrow(40, a[0]);
  EXPECT_EQ(a[40], "a");

  CDWordArray d;
  d.SetSize(3);
  EXPECT_TRUE(ThrowsInvalidArg([&] { d.GetAt(3); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { d[-1] = 1; }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { d.SetAt(5, 1); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { d.RemoveAt(2, 2); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { d.RemoveAt(3); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { d.InsertAt(-1, 0u); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { d.SetSize(-1); }));
  EXPECT_EQ(d.GetSize(), 3);  // nothing changed by the refused calls

  CDWordArray e;
  e.Add(7);
  d.InsertAt(1, &e);
  d.Append(d);
  EXPECT_EQ(d.GetSize(), 8);
  EXPECT_EQ(d[5], 7u);
}

TEST(CollectionsTest, TypedPointerArray) {
  int x = 1, y = 2;
  CTypedPtrArray<CPtrArray, int*> p;
  p.Add(&x);
  p.Add(&y);
  EXPECT_EQ(*p[1], 2);
  p[0] = &y;
  EXPECT_EQ(p.GetAt(0), &y);
}

TEST(CollectionsTest, ListWalkWithRemovalAndInsertion) {
  CStringList l;
  for (const char* s : {"a", "b", "c", "d", "e"}) l.AddTail(s);
  // Remove every other element while walking.
  POSITION pos = l.GetHeadPosition();
  bool drop = true;
  while (pos) {
    POSITION cur = pos;
    l.GetNext(pos);
    if (drop) l.RemoveAt(cur);
    drop = !drop;
  }
  std::string s;
  for (pos = l.GetHeadPosition(); pos;) s += std::string(l.GetNext(pos));
  EXPECT_EQ(s, "bd");
  EXPECT_EQ(l.GetCount(), 2);

  POSITION d = l.Find("d");
  ASSERT_NE(d, nullptr);
  l.InsertBefore(d, "c");
  l.InsertAfter(d, "e");
  l.InsertBefore(nullptr, "a");  // null: at the head
  l.AddHead("0");
  s.clear();
  for (pos = l.GetTailPosition(); pos;) s += std::string(l.GetPrev(pos));
  EXPECT_EQ(s, "edcba0");
  EXPECT_EQ(l.GetAt(l.FindIndex(2)), "b");
  EXPECT_EQ(l.FindIndex(6), nullptr);
  EXPECT_EQ(l.Find("b", l.FindIndex(2)), nullptr);  // searching after "b"
  EXPECT_EQ(l.RemoveHead(), "0");
  EXPECT_EQ(l.RemoveTail(), "e");

  l.RemoveAll();
  EXPECT_TRUE(l.IsEmpty());
  EXPECT_TRUE(ThrowsInvalidArg([&] { l.RemoveHead(); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { l.GetTail(); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] {
    POSITION none = nullptr;
    l.GetNext(none);
  }));
}

TEST(CollectionsTest, MapLookupOverwriteAndRemovalDuringWalk) {
  CMapStringToPtr m;
  int one = 1, two = 2;
  m.SetAt("one", &one);
  m["two"] = &two;
  m.SetAt("one", &two);  // overwrite keeps one entry
  EXPECT_EQ(m.GetCount(), 2);
  void* v = nullptr;
  EXPECT_TRUE(m.Lookup("one", v));
  EXPECT_EQ(v, &two);
  EXPECT_FALSE(m.Lookup("ONE", v));  // keys are case-sensitive
  EXPECT_FALSE(m.Lookup("three", v));
  EXPECT_FALSE(m.RemoveKey("three"));

  CMapWordToPtr w;
  for (WORD k = 0; k < 100; ++k) w[k] = &one;
  // Remove each entry right after the walk returned it.
  int seen = 0;
  POSITION pos = w.GetStartPosition();
  while (pos) {
    WORD key;
    void* val;
    w.GetNextAssoc(pos, key, val);
    EXPECT_TRUE(w.RemoveKey(key));
    ++seen;
  }
  EXPECT_EQ(seen, 100);
  EXPECT_TRUE(w.IsEmpty());
  EXPECT_EQ(w.GetStartPosition(), nullptr);
}

TEST(CollectionsTest, MapWalkOrderIsBucketOrderNewestFirst) {
  CMapWordToPtr w;
  for (WORD k : {1, 2, 3, 16, 17}) w[k] = nullptr;  // buckets: key >> 4
  std::vector<WORD> order;
  for (POSITION pos = w.GetStartPosition(); pos;) {
    WORD k;
    void* v;
    w.GetNextAssoc(pos, k, v);
    order.push_back(k);
  }
  EXPECT_EQ(order, (std::vector<WORD>{3, 2, 1, 17, 16}));

  CMapStringToString s;
  s.InitHashTable(7);
  s["a"] = "1";  // hash 97 -> bucket 6
  s["b"] = "2";  // hash 98 -> bucket 0
  s.InitHashTable(31);  // ignored once filled
  EXPECT_EQ(s.GetHashTableSize(), 7u);
  POSITION pos = s.GetStartPosition();
  CString k, v;
  s.GetNextAssoc(pos, k, v);
  EXPECT_EQ(k, "b");
  s.GetNextAssoc(pos, k, v);
  EXPECT_EQ(k, "a");
  EXPECT_EQ(pos, nullptr);
}

TEST(CollectionsTest, TypedPointerMapAndList) {
  struct Item : CObject {
    int n = 0;
  };
  Item a, b;
  a.n = 1;
  b.n = 2;
  CTypedPtrMap<CMapStringToOb, CString, Item*> m;
  m.SetAt("a", &a);
  m["b"] = &b;
  Item* found = nullptr;
  EXPECT_TRUE(m.Lookup("b", found));
  EXPECT_EQ(found->n, 2);
  CTypedPtrList<CObList, Item*> l;
  l.AddTail(&a);
  l.AddHead(&b);
  EXPECT_EQ(l.GetHead()->n, 2);
  POSITION pos = l.GetHeadPosition();
  l.GetNext(pos);
  EXPECT_EQ(l.GetNext(pos)->n, 1);
}

}  // namespace
