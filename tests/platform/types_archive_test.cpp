#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Afx.h"

namespace {

// A node that archives a name, a link to another node (shared or cyclic)
// and the children it owns.
class TNode : public CObject {
  DECLARE_SERIAL(TNode)

 public:
  TNode() = default;
  explicit TNode(const char* n) : name(n) {}
  ~TNode() override {
    for (int i = 0; i < kids.GetSize(); ++i) delete kids[i];
  }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << name << static_cast<CObject*>(link);
    } else {
      ar >> name;
      link = static_cast<TNode*>(ar.ReadObject(RUNTIME_CLASS(TNode)));
    }
    kids.Serialize(ar);
  }

  CString name;
  TNode* link = nullptr;  // not owned
  CTypedPtrArray<CObArray, TNode*> kids;
};
IMPLEMENT_SERIAL(TNode, CObject, 1)

// Accepts its older schemas and reports the one it read.
class TVersioned : public CObject {
  DECLARE_SERIAL(TVersioned)

 public:
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << value;
    } else {
      readSchema = ar.GetObjectSchema();
      if (readSchema > 3) AfxThrowArchiveException(CArchiveException::badSchema);
      if (readSchema >= 2) ar >> value;
    }
  }
  DWORD value = 0;
  UINT readSchema = 0;
};
IMPLEMENT_SERIAL(TVersioned, CObject, VERSIONABLE_SCHEMA | 3)

class TOther : public CObject {
  DECLARE_SERIAL(TOther)
};
IMPLEMENT_SERIAL(TOther, CObject, 0)

// Counts the objects alive, to see what a failed read leaves behind.
class TCounted : public CObject {
  DECLARE_SERIAL(TCounted)

 public:
  TCounted() { ++live; }
  ~TCounted() override { --live; }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) ar << value;
    else ar >> value;
  }
  DWORD value = 0;
  static inline int live = 0;
};
IMPLEMENT_SERIAL(TCounted, CObject, 1)

class TNotSerial : public CObject {
  DECLARE_DYNCREATE(TNotSerial)
};
IMPLEMENT_DYNCREATE(TNotSerial, CObject)

using Bytes = std::vector<BYTE>;

template <class F>
Bytes Store(F write) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    write(ar);
    ar.Close();
  }
  return Bytes(file.GetData(), file.GetData() + file.GetLength());
}

// Runs read over the bytes; returns the archive exception's cause, or -1
// when nothing was thrown.
template <class F>
int LoadCause(Bytes bytes, F read) {
  CMemFile file(bytes.empty() ? nullptr : bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  try {
    read(ar);
  } catch (CArchiveException* e) {
    int cause = e->m_cause;
    e->Delete();
    return cause;
  }
  return -1;
}

Bytes Str(const std::string& s) { return Bytes(s.begin(), s.end()); }
Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(ArchiveTest, PrimitivesAreLittleEndian) {
  Bytes b = Store([](CArchive& ar) {
    ar << static_cast<BYTE>(0x12) << static_cast<WORD>(0x3456) << static_cast<DWORD>(0x789ABCDE)
       << static_cast<LONG>(-2) << 1.5f << 2.0;
  });
  Bytes expected = {0x12, 0x56, 0x34, 0xDE, 0xBC, 0x9A, 0x78, 0xFE, 0xFF, 0xFF, 0xFF,
                    0x00, 0x00, 0xC0, 0x3F, 0, 0, 0, 0, 0, 0, 0x00, 0x40};
  EXPECT_EQ(b, expected);
  LoadCause(b, [](CArchive& ar) {
    BYTE by;
    WORD w;
    DWORD d;
    LONG l;
    float f;
    double g;
    ar >> by >> w >> d >> l >> f >> g;
    EXPECT_EQ(by, 0x12);
    EXPECT_EQ(w, 0x3456);
    EXPECT_EQ(d, 0x789ABCDEu);
    EXPECT_EQ(l, -2);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(g, 2.0);
  });
}

TEST(ArchiveTest, CountedStringLengthForms) {
  struct Case {
    std::size_t length;
    Bytes header;
  };
  const Case cases[] = {
      {0, {0x00}},
      {254, {0xFE}},
      {255, {0xFF, 0xFF, 0x00}},
      {65533, {0xFF, 0xFD, 0xFF}},
      {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
      {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
  };
  for (const Case& c : cases) {
    CString s(std::string(c.length, 'x'));
    Bytes b = Store([&](CArchive& ar) { ar << s; });
    ASSERT_EQ(b.size(), c.header.size() + c.length) << c.length;
    EXPECT_EQ(Bytes(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(c.header.size())), c.header) << c.length;
    CString back;
    EXPECT_EQ(LoadCause(b, [&](CArchive& ar) { ar >> back; }), -1);
    EXPECT_EQ(back, s) << c.length;
  }
}

TEST(ArchiveTest, WideStringsAreReadAsWindows1252) {
  // Marker, 4 characters: "a", e-acute, euro sign, and a character that
  // Windows-1252 cannot hold (dropped).
  Bytes b = {0xFF, 0xFE, 0xFF, 0x04, 'a', 0x00, 0xE9, 0x00, 0xAC, 0x20, 0x16, 0x04};
  CString s;
  EXPECT_EQ(LoadCause(b, [&](CArchive& ar) { ar >> s; }), -1);
  EXPECT_EQ(s, "a\xE9\x80");
}

TEST(ArchiveTest, ObjectsKeepIdentityThroughBackReferences) {
  auto root = std::make_unique<TNode>("root");
  TNode* a = new TNode("a");
  TNode* b = new TNode("b");
  root->kids.Add(a);
  root->kids.Add(b);
  root->kids.Add(nullptr);
  a->link = b;     // forward reference to a sibling
  b->link = root.get();  // cycle back to the root
  Bytes bytes = Store([&](CArchive& ar) { ar << root.get() << static_cast<CObject*>(b); });

  CObject* r = nullptr;
  CObject* again = nullptr;
  ASSERT_EQ(LoadCause(bytes, [&](CArchive& ar) { ar >> r >> again; }), -1);
  std::unique_ptr<CObject> owner(r);
  ASSERT_TRUE(r && r->IsKindOf(RUNTIME_CLASS(TNode)));
  TNode* rr = static_cast<TNode*>(r);
  ASSERT_EQ(rr->kids.GetSize(), 3);
  TNode* ra = rr->kids[0];
  TNode* rb = rr->kids[1];
  EXPECT_EQ(rr->kids[2], nullptr);
  EXPECT_EQ(ra->name, "a");
  EXPECT_EQ(ra->link, rb);
  EXPECT_EQ(rb->link, rr);
  EXPECT_EQ(again, rb);  // the second top-level reference is the same object
}

TEST(ArchiveTest, ObjectTagsByteForByte) {
  TNode one("x"), two("y");
  Bytes b = Store([&](CArchive& ar) {
    ar << static_cast<CObject*>(&one) << static_cast<CObject*>(&two) << static_cast<CObject*>(&one)
       << static_cast<CObject*>(nullptr);
  });
  // New class: FFFF, schema 1, name length 5, "TNode"; the body: name,
  // null link, empty kids array (count 0).
  Bytes body_x = {0x01, 'x', 0x00, 0x00, 0x00, 0x00};
  Bytes body_y = {0x01, 'y', 0x00, 0x00, 0x00, 0x00};
  Bytes expected = Cat({{0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00}, Str("TNode"), body_x,
                        {0x01, 0x80},  // class index 1 seen before
                        body_y,
                        {0x02, 0x00},  // object index 2: "x" again
                        {0x00, 0x00}});
  EXPECT_EQ(b, expected);
}

TEST(ArchiveTest, SchemaChecks) {
  TVersioned v;
  v.value = 7;
  Bytes current = Store([&](CArchive& ar) { ar << static_cast<CObject*>(&v); });
  // Stored schema 3 (the flag is not stored).
  EXPECT_EQ(current[2], 3);
  EXPECT_EQ(current[3], 0);

  // An older schema is accepted by a versionable class, which learns it.
  Bytes older = current;
  older[2] = 1;
  ASSERT_GE(older.size(), 4u);
  older = Bytes(older.begin(), older.end() - 4);  // schema 1 had no value
  CObject* o = nullptr;
  EXPECT_EQ(LoadCause(older, [&](CArchive& ar) { ar >> o; }), -1);
  ASSERT_NE(o, nullptr);
  EXPECT_EQ(static_cast<TVersioned*>(o)->readSchema, 1u);
  delete o;

  // A newer one is refused by the class itself.
  Bytes newer = current;
  newer[2] = 4;
  EXPECT_EQ(LoadCause(newer, [&](CArchive& ar) { ar >> o; }), CArchiveException::badSchema);

  // A class that is not versionable accepts only its own schema.
  TNode n("n");
  Bytes node = Store([&](CArchive& ar) { ar << static_cast<CObject*>(&n); });
  node[2] = 2;
  EXPECT_EQ(LoadCause(node, [&](CArchive& ar) { ar >> o; }), CArchiveException::badSchema);
}

TEST(ArchiveTest, CorruptArchivesAreRefused) {
  struct Case {
    const char* name;
    Bytes bytes;
    int cause;
  };
  const Case cases[] = {
      {"unknown class", Cat({{0xFF, 0xFF, 0x00, 0x00, 0x04, 0x00}, Str("Nope")}), CArchiveException::badClass},
      {"class name too long", {0xFF, 0xFF, 0x01, 0x00, 0xC8, 0x00}, CArchiveException::badClass},
      {"class not serializable", Cat({{0xFF, 0xFF, 0xFF, 0xFF, 0x0A, 0x00}, Str("TNotSerial")}),
       CArchiveException::badClass},
      {"class tag without classes", {0x01, 0x80}, CArchiveException::badIndex},
      {"object index past the end", {0x05, 0x00}, CArchiveException::badIndex},
      {"big object index", {0xFF, 0x7F, 0x00, 0x00, 0x01, 0x00}, CArchiveException::badIndex},
      {"class tag naming an object",
       Cat({{0xFF, 0xFF, 0x00, 0x00, 0x06, 0x00}, Str("TOther"), {0x02, 0x80}}), CArchiveException::badIndex},
      {"object index naming a class",
       Cat({{0xFF, 0xFF, 0x00, 0x00, 0x06, 0x00}, Str("TOther"), {0x01, 0x00}}), CArchiveException::badIndex},
      {"empty", {}, CArchiveException::endOfFile},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LoadCause(c.bytes,
                        [](CArchive& ar) {
                          CObject* a = nullptr;
                          CObject* b = nullptr;
                          ar >> a;
                          std::unique_ptr<CObject> keep(a);
                          ar >> b;
                          delete b;
                        }),
              c.cause)
        << c.name;
  }
}

TEST(ArchiveTest, AFailedCollectionReadFreesWhatItReadAndKeepsNothing) {
  CObArray array;
  CObList list;
  CMapWordToOb words;
  for (DWORD v = 1; v <= 3; ++v) {
    auto* c = new TCounted;
    c->value = v;
    array.Add(c);
    list.AddTail(c);
    words[static_cast<WORD>(v)] = c;
  }
  const Bytes stored[] = {Store([&](CArchive& ar) { array.Serialize(ar); }),
                          Store([&](CArchive& ar) { list.Serialize(ar); }),
                          Store([&](CArchive& ar) { words.Serialize(ar); })};
  for (int i = 0; i < array.GetSize(); ++i) delete array[i];
  array.RemoveAll();
  list.RemoveAll();
  words.RemoveAll();
  ASSERT_EQ(TCounted::live, 0);
  // Cut inside the last object: two objects were read when the read fails.
  auto cut = [](const Bytes& full) { return Bytes(full.begin(), full.end() - 1); };
  CObArray a;
  EXPECT_EQ(LoadCause(cut(stored[0]), [&](CArchive& ar) { a.Serialize(ar); }), CArchiveException::endOfFile);
  EXPECT_EQ(a.GetSize(), 0);
  EXPECT_EQ(TCounted::live, 0);
  CObList l;
  EXPECT_EQ(LoadCause(cut(stored[1]), [&](CArchive& ar) { l.Serialize(ar); }), CArchiveException::endOfFile);
  EXPECT_EQ(l.GetCount(), 0);
  EXPECT_EQ(TCounted::live, 0);
  CMapWordToOb m;
  EXPECT_EQ(LoadCause(cut(stored[2]), [&](CArchive& ar) { m.Serialize(ar); }), CArchiveException::endOfFile);
  EXPECT_EQ(m.GetCount(), 0);
  EXPECT_EQ(TCounted::live, 0);
}

TEST(ArchiveTest, AnObjectReadToCopyIsForgottenWithWhatItOwned) {
  auto root = std::make_unique<TNode>("root");
  TNode* kid = new TNode("kid");
  root->kids.Add(kid);
  // The root, then a reference back to it or to the kid it owns.
  const struct {
    const char* what;
    Bytes bytes;
  } cases[] = {
      {"the copied object",
       Store([&](CArchive& ar) { ar << static_cast<CObject*>(root.get()) << static_cast<CObject*>(root.get()); })},
      {"an object it owned",
       Store([&](CArchive& ar) { ar << static_cast<CObject*>(root.get()) << static_cast<CObject*>(kid); })},
  };
  for (const auto& c : cases) {
    for (bool toCopy : {false, true}) {
      EXPECT_EQ(LoadCause(c.bytes,
                          [&](CArchive& ar) {
                            {
                              const CArchive::ReadCopy first = ar.ReadObjectToCopy(RUNTIME_CLASS(TNode));
                              ASSERT_NE(first.As<TNode>(), nullptr);
                              EXPECT_EQ(first.As<TNode>()->kids.GetSize(), 1);
                            }
                            if (toCopy) {
                              ar.ReadObjectToCopy(RUNTIME_CLASS(TNode));
                            } else {
                              std::unique_ptr<CObject> again(ar.ReadObject(RUNTIME_CLASS(TNode)));
                            }
                          }),
                CArchiveException::badIndex)
          << c.what << (toCopy ? ", read to copy" : ", read plainly");
    }
  }

  // A reference back to an object someone else keeps is refused as well (it
  // would be freed under its owner), and a stored null reads as none.
  const Bytes kept =
      Store([&](CArchive& ar) { ar << static_cast<CObject*>(kid) << static_cast<CObject*>(kid); });
  EXPECT_EQ(LoadCause(kept,
                      [](CArchive& ar) {
                        std::unique_ptr<CObject> owned(ar.ReadObject(nullptr));
                        ar.ReadObjectToCopy(nullptr);
                      }),
            CArchiveException::badIndex);
  EXPECT_EQ(LoadCause(Bytes{0, 0}, [](CArchive& ar) { EXPECT_EQ(ar.ReadObjectToCopy(nullptr).Get(), nullptr); }),
            -1);
}

TEST(ArchiveTest, AMapKeyTwiceIsRefused) {
  // Count 2, then key "k" with an object, then "k" again with a reference to it.
  Bytes one = Store([](CArchive& ar) {
    CMapStringToOb map;
    TCounted c;
    map["k"] = &c;
    map.Serialize(ar);
  });
  Bytes twice = Cat({{0x02, 0x00}, Bytes(one.begin() + 2, one.end()), {0x01, 'k', 0x02, 0x00}});
  CMapStringToOb map;
  EXPECT_EQ(LoadCause(twice, [&](CArchive& ar) { map.Serialize(ar); }), CArchiveException::genericException);
  EXPECT_EQ(map.GetCount(), 0);
  EXPECT_EQ(TCounted::live, 0);
  // The same key with a value of its own: that value goes too.
  Bytes own = Cat({{0x02, 0x00}, Bytes(one.begin() + 2, one.end()), {0x01, 'k', 0x01, 0x80, 0x07, 0, 0, 0}});
  EXPECT_EQ(LoadCause(own, [&](CArchive& ar) { map.Serialize(ar); }), CArchiveException::genericException);
  EXPECT_EQ(TCounted::live, 0);
}

TEST(ArchiveTest, NestingDeeperThanAnyRealFileIsRefused) {
  // An array holding an array holding an array ... far deeper than the
  // stack would take if each level were followed.
  Bytes empty = Store([](CArchive& ar) {
    CObArray a;
    ar << static_cast<CObject*>(&a);
  });
  Bytes deep(empty.begin(), empty.end() - 2);
  Bytes level = {0x01, 0x00, 0x01, 0x80};  // one element, of the class already seen
  for (int i = 0; i < 20000; ++i) deep.insert(deep.end(), level.begin(), level.end());
  deep.insert(deep.end(), {0x00, 0x00});
  EXPECT_EQ(LoadCause(deep,
                      [](CArchive& ar) {
                        CObject* o = nullptr;
                        ar >> o;
                        delete o;
                      }),
            CArchiveException::badIndex);
}

TEST(ArchiveTest, WrongClassForTheRequestIsRefused) {
  TOther other;
  Bytes b = Store([&](CArchive& ar) { ar << static_cast<CObject*>(&other) << static_cast<CObject*>(&other); });
  EXPECT_EQ(LoadCause(b,
                      [](CArchive& ar) {
                        TNode* n = nullptr;
                        ar >> n;
                      }),
            CArchiveException::badClass);
  // A back-reference to an object of the wrong class as well.
  EXPECT_EQ(LoadCause(b,
                      [](CArchive& ar) {
                        CObject* first = nullptr;
                        ar >> first;
                        std::unique_ptr<CObject> keep(first);
                        ar.ReadObject(RUNTIME_CLASS(TNode));
                      }),
            CArchiveException::badClass);
}

TEST(ArchiveTest, EveryTruncationThrowsEndOfFile) {
  auto root = std::make_unique<TNode>("root with a longer name");
  TNode* a = new TNode("a");
  root->kids.Add(a);
  a->link = root.get();
  Bytes full = Store([&](CArchive& ar) { ar << root.get(); });
  for (std::size_t n = 0; n < full.size(); ++n) {
    Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_EQ(LoadCause(cut,
                        [](CArchive& ar) {
                          CObject* o = nullptr;
                          ar >> o;
                          delete o;
                        }),
              CArchiveException::endOfFile)
        << "cut at " << n;
  }
}

TEST(ArchiveTest, HugeCountsAndLengthsFailWithoutAllocating) {
  // A string that claims 2 GB, and arrays that claim 2^31 elements.
  Bytes longString = {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 'a'};
  EXPECT_EQ(LoadCause(longString,
                      [](CArchive& ar) {
                        CString s;
                        ar >> s;
                      }),
            CArchiveException::endOfFile);
  Bytes manyWords = {0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 1, 2, 3, 4};
  EXPECT_EQ(LoadCause(manyWords,
                      [](CArchive& ar) {
                        CDWordArray d;
                        d.Serialize(ar);
                      }),
            CArchiveException::endOfFile);
  EXPECT_EQ(LoadCause(manyWords,
                      [](CArchive& ar) {
                        CStringList l;
                        l.Serialize(ar);
                      }),
            CArchiveException::endOfFile);
}

TEST(ArchiveTest, CollectionFormsRoundTrip) {
  CDWordArray d;
  d.Add(1);
  d.Add(0xA0B0C0D0u);
  CStringArray sa;
  sa.Add("one");
  sa.Add("");
  CStringList sl;
  sl.AddTail("x");
  sl.AddTail("yz");
  CMapStringToString m;
  m["k1"] = "v1";
  m["k2"] = "v2";
  CWordArray big;
  big.SetSize(0x10000);
  big[0xFFFF] = 9;
  Bytes b = Store([&](CArchive& ar) {
    d.Serialize(ar);
    sa.Serialize(ar);
    sl.Serialize(ar);
    m.Serialize(ar);
    big.Serialize(ar);
  });
  // The DWORD array: WORD count, then the values.
  Bytes head = {0x02, 0x00, 0x01, 0x00, 0x00, 0x00, 0xD0, 0xC0, 0xB0, 0xA0};
  EXPECT_EQ(Bytes(b.begin(), b.begin() + 10), head);

  CDWordArray d2;
  CStringArray sa2;
  CStringList sl2;
  CMapStringToString m2;
  CWordArray big2;
  EXPECT_EQ(LoadCause(b,
                      [&](CArchive& ar) {
                        d2.Serialize(ar);
                        sa2.Serialize(ar);
                        sl2.Serialize(ar);
                        m2.Serialize(ar);
                        big2.Serialize(ar);
                      }),
            -1);
  EXPECT_EQ(d2.GetSize(), 2);
  EXPECT_EQ(d2[1], 0xA0B0C0D0u);
  EXPECT_EQ(sa2.GetSize(), 2);
  EXPECT_EQ(sa2[0], "one");
  EXPECT_EQ(sl2.GetTail(), "yz");
  CString v;
  EXPECT_TRUE(m2.Lookup("k2", v));
  EXPECT_EQ(v, "v2");
  EXPECT_EQ(big2.GetSize(), 0x10000);  // count form 0xFFFF + DWORD
  EXPECT_EQ(big2[0xFFFF], 9);
}

TEST(ArchiveTest, ModeMisuseAndLoadingGivesBackReadAhead) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar << static_cast<DWORD>(1) << static_cast<DWORD>(2);
  }  // the destructor flushes
  EXPECT_EQ(file.GetLength(), 8u);
  file.SeekToBegin();
  {
    CArchive ar(&file, CArchive::load);
    DWORD one;
    ar >> one;
    EXPECT_EQ(one, 1u);
    try {
      ar << one;
      ADD_FAILURE() << "writing to a loading archive";
    } catch (CArchiveException* e) {
      EXPECT_EQ(e->m_cause, CArchiveException::readOnly);
      e->Delete();
    }
    ar.Close();
  }
  EXPECT_EQ(file.GetPosition(), 4u);  // what was read ahead is given back
}

TEST(RuntimeClassTest, NamesKindsAndCreation) {
  EXPECT_STREQ(RUNTIME_CLASS(TNode)->m_lpszClassName, "TNode");
  EXPECT_EQ(RUNTIME_CLASS(TNode)->m_wSchema, 1u);
  EXPECT_EQ(RUNTIME_CLASS(TNode)->m_pBaseClass, RUNTIME_CLASS(CObject));
  EXPECT_EQ(CRuntimeClass::FromName("TNode"), RUNTIME_CLASS(TNode));
  EXPECT_EQ(CRuntimeClass::FromName("tnode"), nullptr);
  std::unique_ptr<CObject> o(CRuntimeClass::CreateObject("TNode"));
  ASSERT_NE(o, nullptr);
  EXPECT_TRUE(o->IsKindOf(RUNTIME_CLASS(TNode)));
  EXPECT_TRUE(o->IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(o->IsKindOf(RUNTIME_CLASS(TOther)));
  EXPECT_TRUE(o->IsSerializable());
  TNotSerial ns;
  EXPECT_FALSE(ns.IsSerializable());
  EXPECT_EQ(CRuntimeClass::CreateObject("CException"), nullptr);  // not creatable
  CFileException fe;
  EXPECT_TRUE(fe.IsKindOf(RUNTIME_CLASS(CException)));

  // Writing an object whose class cannot be archived is refused.
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  try {
    ar << static_cast<CObject*>(&ns);
    ADD_FAILURE() << "archived a class without a schema";
  } catch (CNotSupportedException* e) {
    e->Delete();
  }
}

}  // namespace
