// The mailing-label definitions: validation and the labels file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <stdlib.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "reports/MailLabel.h"

namespace {

// Avery 5160: three across, ten down on a letter sheet.
MailLabelDef Avery5160(const char* name = "Avery 5160 - Address", int cls = kLabelClassUser) {
  CMailLabel l;
  l.SetName(name);
  MailLabelDef d;
  l.GetDefinition(&d);
  d.cls = cls;
  d.labelWidth = 2.625f;
  d.labelHeight = 1.0f;
  d.across = 3;
  d.down = 10;
  d.topMargin = d.bottomMargin = 0.5f;
  d.leftMargin = d.rightMargin = 0.1875f;
  d.hPitch = 2.75f;
  d.vPitch = 1.0f;
  return d;
}

std::string Problem(const MailLabelDef& d) {
  CMailLabel l;
  l.SetDefinition(&d);
  CString error;
  const bool ok = l.Validate(error);
  EXPECT_EQ(ok, error.IsEmpty());
  return static_cast<const char*>(error);
}

TEST(MailLabel, RecordLayoutIsByteExact) {
  EXPECT_EQ(offsetof(MailLabelDef, kind), 48u);
  EXPECT_EQ(offsetof(MailLabelDef, feed), 56u);
  EXPECT_EQ(offsetof(MailLabelDef, across), 80u);
  EXPECT_EQ(offsetof(MailLabelDef, vPitch), 108u);
  CMailLabel l;
  EXPECT_EQ(l.Definition().kind, 2);
  EXPECT_EQ(l.Definition().cls, 1);
  EXPECT_EQ(l.Definition().feed, 1);
  EXPECT_FLOAT_EQ(l.Definition().pageWidth, 8.5f);
  EXPECT_FLOAT_EQ(l.Definition().pageHeight, 11.0f);
}

TEST(MailLabel, ValidationNamesTheFirstProblem) {
  struct Case {
    const char* what;
    void (*spoil)(MailLabelDef&);
    const char* expected;
  } cases[] = {
      {"sound", [](MailLabelDef&) {}, ""},
      {"no name", [](MailLabelDef& d) { d.name[0] = 0; }, "A label name must be provided"},
      {"no columns", [](MailLabelDef& d) { d.across = 0; }, "The 'Number Across' must be greater than zero"},
      {"negative margin", [](MailLabelDef& d) { d.topMargin = -0.1f; },
       "The 'Top Margin' must be greater than or equal to zero"},
      {"one column still needs a pitch", [](MailLabelDef& d) { d.across = 1, d.hPitch = 0; },
       "The 'Horizontal Pitch' must be greater than zero"},
      {"pitch equal to width", [](MailLabelDef& d) { d.hPitch = d.labelWidth; }, ""},
      {"pitch below width", [](MailLabelDef& d) { d.hPitch = 2.5f; },
       "Horizontal pitch must be greater than or equal to the label width"},
      {"pitch below height", [](MailLabelDef& d) { d.vPitch = 0.9f; },
       "Vertical pitch must be greater than or equal to the label height"},
      {"0.004 too tall passes", [](MailLabelDef& d) { d.bottomMargin += 0.004f; }, ""},
      {"0.006 too tall fails", [](MailLabelDef& d) { d.bottomMargin += 0.006f; },
       "Sum of vertical label measurements exceeds page height"},
      {"too wide", [](MailLabelDef& d) { d.rightMargin = 0.3f; },
       "Sum of horizontal label measurements exceeds page width"},
      {"a width that is no number", [](MailLabelDef& d) { d.labelWidth = std::nanf(""); },
       "The 'Width' is out of range (0 - 1000)"},
      {"an infinite pitch", [](MailLabelDef& d) { d.vPitch = INFINITY; },
       "The 'Vertical Pitch' is out of range (0 - 1000)"},
      {"a page that is no number", [](MailLabelDef& d) { d.pageHeight = std::nanf(""); },
       "The 'Page Height' is out of range (0 - 1000)"},
      {"a margin beyond any sheet", [](MailLabelDef& d) { d.leftMargin = 1e30f; },
       "The 'Left Margin' is out of range (0 - 1000)"},
      {"columns beyond any sheet", [](MailLabelDef& d) { d.across = 2000000000; },
       "The 'Number Across' is out of range (0 - 1000)"},
  };
  for (const Case& c : cases) {
    MailLabelDef d = Avery5160();
    c.spoil(d);
    EXPECT_EQ(Problem(d), c.expected) << c.what;
  }
}

TEST(MailLabel, LabelNumberRange) {
  CMailLabel l;
  MailLabelDef d = Avery5160();
  l.SetDefinition(&d);
  for (int n : {0, 31}) {
    CString error;
    EXPECT_FALSE(l.ValidateLabelNumber(n, error));
    EXPECT_STREQ(error, "Invalid label number (1-30).");
  }
  CString error;
  EXPECT_TRUE(l.ValidateLabelNumber(1, error));
  EXPECT_TRUE(l.ValidateLabelNumber(30, error));
}

class LabelStoreTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrova-labels-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    path = folder + "/labels4.dat";
    store.SetFileName(path.c_str());
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
  // Writes records as the installation delivers them (predefined included).
  void Install(const std::vector<MailLabelDef>& defs, const char* tail = nullptr) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    for (const MailLabelDef& d : defs) std::fwrite(&d, sizeof d, 1, f);
    if (tail) std::fwrite(tail, 1, std::strlen(tail), f);
    std::fclose(f);
  }
  long Size() const {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? static_cast<long>(st.st_size) : -1;
  }
  std::vector<std::string> Names(int classMask = 3, int kindMask = 3) {
    std::vector<std::string> names;
    EXPECT_TRUE(store.GetNames(classMask, kindMask, &names));
    return names;
  }

  std::string folder, path;
  CMailLabelDBase store;
};

TEST_F(LabelStoreTest, NoFileMakesAnEmptyOneAndTheDefaultIsNotFound) {
  EXPECT_EQ(store.GetCount(), 0);
  EXPECT_TRUE(Names().empty());
  CMailLabel label;
  label.SetName("Avery 5160 - Address");
  EXPECT_FALSE(store.Retrieve(label));
  EXPECT_STREQ(store.GetErrorText(), "Could not find default mailing label in CMailLabelDBase::Retrieve");
  EXPECT_STREQ(label.GetName(), "");
  EXPECT_EQ(Size(), 0);
}

TEST_F(LabelStoreTest, RetrieveFindsTheNameInAnyCase) {
  Install({Avery5160("Other"), Avery5160("Avery 5160 - Address", kLabelClassPredefined)});
  CMailLabel label;
  label.SetName("AVERY 5160 - address");
  ASSERT_TRUE(store.Retrieve(label)) << store.GetErrorText().GetString();
  EXPECT_STREQ(label.GetName(), "Avery 5160 - Address");
  EXPECT_EQ(label.Definition().across, 3);
}

TEST_F(LabelStoreTest, StoreReplacesInAnyCaseAppendsNewAndDeleteLeavesABlank) {
  Install({Avery5160("Mine")}, "partial");  // trailing bytes are no record
  CMailLabel label;
  MailLabelDef d = Avery5160("MINE");
  d.across = 2;
  label.SetDefinition(&d);
  ASSERT_TRUE(store.Store(label));
  EXPECT_EQ(store.GetCount(), 1);
  EXPECT_EQ(Names(), std::vector<std::string>{"MINE"});

  d = Avery5160("Second");
  label.SetDefinition(&d);
  ASSERT_TRUE(store.Store(label));
  EXPECT_EQ(Size(), 2 * 112);  // appended over the partial tail

  label.SetName("mine");
  ASSERT_TRUE(store.Delete(label));
  EXPECT_STREQ(label.GetName(), "");
  EXPECT_EQ(Names(), std::vector<std::string>{"Second"});
  EXPECT_EQ(Size(), 2 * 112);  // never shrinks

  d = Avery5160("Third");
  label.SetDefinition(&d);
  ASSERT_TRUE(store.Store(label));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Second", "Third"}));  // the blank is not reused
}

TEST_F(LabelStoreTest, PredefinedDefinitionsAreNeverWritten) {
  Install({Avery5160("Stock", kLabelClassPredefined)});
  CMailLabel label;
  MailLabelDef d = Avery5160("Stock", kLabelClassPredefined);
  d.across = 1;
  label.SetDefinition(&d);
  // A write refused is a failed save, whatever the close after it says.
  EXPECT_FALSE(store.Store(label));
  EXPECT_STREQ(store.GetErrorText(), "Predefined labels may not be overwritten in CMailLabelDBase::Put");
  EXPECT_TRUE(store.Delete(label));
  // A user definition named like it in other letters is refused as well.
  MailLabelDef user = Avery5160("STOCK");
  user.across = 1;
  label.SetDefinition(&user);
  EXPECT_FALSE(store.Store(label));
  EXPECT_STREQ(store.GetErrorText(), "Predefined labels may not be overwritten in CMailLabelDBase::Put");
  CMailLabel back;
  back.SetName("Stock");
  ASSERT_TRUE(store.Retrieve(back));
  EXPECT_EQ(back.Definition().across, 3);

  ASSERT_TRUE(store.Open());
  EXPECT_FALSE(store.Put(0, &d));
  EXPECT_STREQ(store.GetErrorText(), "Predefined labels may not be overwritten in CMailLabelDBase::Put");
  EXPECT_FALSE(store.Put(2, &d));
  EXPECT_STREQ(store.GetErrorText(), "Record number is out of range for CMailLabelDBase::Put");
  MailLabelDef out;
  EXPECT_FALSE(store.Get(1, &out));
  EXPECT_STREQ(store.GetErrorText(), "Record number is out of range for CMailLabelDBase::Get");
  // The close ends the run of operations: it keeps their failure.
  EXPECT_FALSE(store.Close());
  EXPECT_STREQ(store.GetErrorText(), "Record number is out of range for CMailLabelDBase::Get");
}

TEST_F(LabelStoreTest, ListsFilterByClassAndKindAndClearKeepsPredefined) {
  MailLabelDef card = Avery5160("Card");
  card.kind = kLabelKindCard;
  Install({Avery5160("Stock", kLabelClassPredefined), card, Avery5160("User")});
  EXPECT_EQ(Names(3, 1), std::vector<std::string>{"Card"});
  EXPECT_EQ(Names(3, 2), (std::vector<std::string>{"Stock", "User"}));
  EXPECT_EQ(Names(2, 3), std::vector<std::string>{"Stock"});
  ASSERT_TRUE(store.ClearUserDefinitions());
  EXPECT_EQ(Names(), std::vector<std::string>{"Stock"});
  EXPECT_EQ(store.GetCount(), 3);
}

TEST_F(LabelStoreTest, FindWithoutANameReadsNothing) {
  int n = -7;
  EXPECT_FALSE(store.Find("", &n));
  EXPECT_STREQ(store.GetErrorText(), "Invalid name was specified for CMailLabelDBase::Find");
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(LabelStoreTest, AFileThatCannotBeOpenedForUpdateIsNeverTruncated) {
  Install({Avery5160()});
  const long size = Size();
  ::chmod(path.c_str(), 0400);
  if (::access(path.c_str(), W_OK) == 0) GTEST_SKIP() << "running as a user whom modes do not stop";
  EXPECT_FALSE(store.Open());
  EXPECT_EQ(Size(), size);
  ::chmod(path.c_str(), 0600);
}

TEST_F(LabelStoreTest, AMadeFileIsPrivate) {
  EXPECT_TRUE(store.Open());
  EXPECT_TRUE(store.Close());
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(LabelStoreTest, AnUnopenableFileFailsWithItsText) {
  store.SetFileName((folder + "/missing/labels4.dat").c_str());
  EXPECT_FALSE(store.Open());
  EXPECT_EQ(std::string(store.GetErrorText()), "Could not open Mailing Label data file: " + folder + "/missing/labels4.dat");
  CMailLabel label;
  label.SetName("x");
  EXPECT_FALSE(store.Retrieve(label));
  EXPECT_STREQ(store.GetErrorText(), "Could not find default mailing label in CMailLabelDBase::Retrieve");
  // The count went back: a later open tries again.
  std::filesystem::create_directories(folder + "/missing");
  EXPECT_TRUE(store.Open());
  EXPECT_TRUE(store.Close());
}

}  // namespace
