#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/Afx.h"
#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"

namespace {

class TempDir {
 public:
  TempDir() {
    char pattern[] = "/tmp/kestrova-types-XXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  CString File(const char* name) const { return CString((path_ + "/" + name).c_str()); }

 private:
  std::string path_;
};

std::string Slurp(const CString& name) {
  std::ifstream in(static_cast<LPCTSTR>(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Spit(const CString& name, const std::string& bytes) {
  std::ofstream(static_cast<LPCTSTR>(name), std::ios::binary) << bytes;
}

TEST(FileTest, ReadWriteSeekAndLength) {
  TempDir dir;
  CString name = dir.File("data.bin");
  {
    CFile f(name, CFile::modeCreate | CFile::modeReadWrite);
    f.Write("abcdef", 6);
    EXPECT_EQ(f.GetLength(), 6u);
    EXPECT_EQ(f.Seek(2, CFile::begin), 2);
    char buf[8] = {};
    EXPECT_EQ(f.Read(buf, 8), 4u);  // short read at the end
    EXPECT_STREQ(buf, "cdef");
    f.SetLength(3);
    EXPECT_EQ(f.SeekToEnd(), 3u);
    f.Flush();
    EXPECT_EQ(f.GetFileName(), "data.bin");
    EXPECT_EQ(f.GetFileTitle(), "data");
    f.Close();
  }
  EXPECT_EQ(Slurp(name), "abc");

  // modeNoTruncate keeps the contents.
  CFile keep;
  ASSERT_TRUE(keep.Open(name, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite));
  EXPECT_EQ(keep.GetLength(), 3u);
  keep.Close();

  CFileStatus st;
  ASSERT_TRUE(CFile::GetStatus(name, st));
  EXPECT_EQ(st.m_size, 3);
  EXPECT_FALSE(CFile::GetStatus(dir.File("none"), st));
}

TEST(FileTest, ANewFileIsTheUsersAlone) {
  TempDir dir;
  mode_t saved = umask(022);
  CString name = dir.File("members.bin");
  { CFile f(name, CFile::modeCreate | CFile::modeWrite); }
  umask(saved);
  struct stat st {};
  ASSERT_EQ(stat(name, &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(FileTest, FailuresCarryTheirCause) {
  TempDir dir;
  CFile f;
  CFileException e;
  EXPECT_FALSE(f.Open(dir.File("missing.dat"), CFile::modeRead, &e));
  EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
  char text[200];
  ASSERT_TRUE(e.GetErrorMessage(text, sizeof text));
  EXPECT_NE(std::strstr(text, "missing.dat"), nullptr);

  try {
    CFile::Remove(dir.File("missing.dat"));
    ADD_FAILURE() << "removed a missing file";
  } catch (CFileException* ex) {
    EXPECT_EQ(ex->m_cause, CFileException::fileNotFound);
    ex->Delete();
  }

  // Rename never replaces an existing file.
  Spit(dir.File("a"), "A");
  Spit(dir.File("b"), "B");
  try {
    CFile::Rename(dir.File("a"), dir.File("b"));
    ADD_FAILURE() << "renamed over an existing file";
  } catch (CFileException* ex) {
    EXPECT_EQ(ex->m_cause, CFileException::accessDenied);
    ex->Delete();
  }
  EXPECT_EQ(Slurp(dir.File("b")), "B");
  CFile::Rename(dir.File("a"), dir.File("c"));
  EXPECT_EQ(Slurp(dir.File("c")), "A");
}

TEST(FileTest, WindowsNamesAreConvertedForTheFileSystem) {
  TempDir dir;
  CString name = dir.File("caf\xE9.txt");  // e-acute in Windows-1252
  CFile f(name, CFile::modeCreate | CFile::modeWrite);
  f.Close();
  EXPECT_TRUE(std::filesystem::exists(std::string(dir.File("")) + "caf\xC3\xA9.txt"));
}

TEST(StdioFileTest, TextModeLineEnds) {
  TempDir dir;
  CString name = dir.File("t.txt");
  {
    CStdioFile f(name, CFile::modeCreate | CFile::modeWrite | CFile::typeText);
    f.WriteString("one\n");
    f.WriteString("two\r\n");  // already CR LF: not doubled
    f.WriteString("three");
  }
  EXPECT_EQ(Slurp(name), "one\r\ntwo\r\nthree");

  // Reading takes LF and CR LF, drops the line end, stops at Ctrl-Z.
  Spit(name, "a\r\nb\nc\r\n\x1A" "junk");
  CStdioFile r(name, CFile::modeRead);
  CString line;
  std::string seen;
  while (r.ReadString(line)) seen += std::string(line) + "|";
  EXPECT_EQ(seen, "a|b|c|");

  r.SeekToBegin();
  char buf[3];
  ASSERT_NE(r.ReadString(buf, sizeof buf), nullptr);
  EXPECT_STREQ(buf, "a\n");  // CR LF read as "\n", which the buffer keeps

  // Binary mode leaves bytes alone.
  CStdioFile b(name, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
  b.WriteString("x\n");
  b.Close();
  EXPECT_EQ(Slurp(name), "x\n");
}

TEST(MemFileTest, GrowingAndFixedBuffers) {
  CMemFile m(4);
  m.Write("hello world", 11);
  EXPECT_EQ(m.GetLength(), 11u);
  m.Seek(20, CFile::begin);
  m.Write("!", 1);  // the gap is zero-filled
  EXPECT_EQ(m.GetLength(), 21u);
  EXPECT_EQ(m.GetData()[15], 0);
  BYTE* taken = m.Detach();
  EXPECT_EQ(std::memcmp(taken, "hello", 5), 0);
  delete[] taken;
  EXPECT_EQ(m.GetLength(), 0u);

  BYTE fixed[4] = {'a', 'b', 'c', 'd'};
  CMemFile f(fixed, sizeof fixed);
  char buf[8] = {};
  EXPECT_EQ(f.Read(buf, 8), 4u);
  EXPECT_STREQ(buf, "abcd");
  f.SeekToBegin();
  f.Write("xy", 2);
  EXPECT_EQ(fixed[1], 'y');
  try {
    f.Write("123", 3);  // past the caller's buffer
    ADD_FAILURE() << "wrote past a fixed buffer";
  } catch (CMemoryException* e) {
    e->Delete();
  }
  EXPECT_EQ(fixed[3], 'd');
  try {
    f.Seek(-1, CFile::begin);
    ADD_FAILURE() << "seeked before the start";
  } catch (CFileException* e) {
    EXPECT_EQ(e->m_cause, CFileException::badSeek);
    e->Delete();
  }
}

TEST(ExceptionTest, CatchMacrosDeleteAndRethrow) {
  int caught = 0;
  TRY {
    AfxThrowUserException();
  }
  CATCH(CFileException, e) {
    (void)e;
    ADD_FAILURE() << "wrong handler";
  }
  AND_CATCH(CUserException, e) {
    EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CUserException)));
    ++caught;
  }
  END_CATCH
  EXPECT_EQ(caught, 1);

  // THROW_LAST hands the same exception on; the outer handler frees it.
  CException* inner = nullptr;
  try {
    TRY {
      AfxThrowArchiveException(CArchiveException::badSchema);
    }
    CATCH_ALL(e) {
      inner = e;
      THROW_LAST();
    }
    END_CATCH_ALL
  } catch (CArchiveException* e) {
    EXPECT_EQ(e, inner);
    EXPECT_EQ(e->m_cause, CArchiveException::badSchema);
    e->Delete();
  }
}

TEST(ExceptionTest, ReportErrorShowsTheMessage) {
  automation::ExpectMessageBox("", "unsupported version", IDOK);
  CArchiveException e(CArchiveException::badSchema, "grid.dat");
  EXPECT_EQ(e.ReportError(), IDOK);
  ASSERT_EQ(automation::ModalLog().size(), 1u);
  EXPECT_EQ(automation::ModalLog()[0].text, "grid.dat contained an unsupported version of an object.");
  CException* stays = new CMemoryException;
  stays->m_bAutoDelete = FALSE;
  stays->Delete();  // not freed: not a heap exception by its own account
  delete stays;
}

class TimeTest : public testing::Test {
 protected:
  void SetUp() override {
    const char* tz = std::getenv("TZ");
    if (tz) saved_ = tz;
    had_ = tz != nullptr;
    setenv("TZ", "UTC0", 1);
    tzset();
  }
  void TearDown() override {
    if (had_) setenv("TZ", saved_.c_str(), 1);
    else unsetenv("TZ");
    tzset();
  }
  std::string saved_;
  bool had_ = false;
};

TEST_F(TimeTest, FormatCodes) {
  CTime t(2024, 3, 7, 13, 5, 9);
  struct Case {
    const char* format;
    const char* expected;
  };
  const Case cases[] = {
      {"%A, %B %d, %Y @ %H:%M", "Thursday, March 07, 2024 @ 13:05"},
      {"%a %b %#d %#H", "Thu Mar 7 13"},
      {"%I:%M:%S %p", "01:05:09 PM"},
      {"%j %y %m %w", "067 24 03 4"},
      {"%c", "03/07/24 13:05:09"},
      {"%x|%X", "03/07/24|13:05:09"},
      {"%#x", "Thursday, March 7, 2024"},
      {"100%% %q", "100% %q"},
      {"%U %W", "09 10"},
      {"tail %", "tail %"},
  };
  for (const Case& c : cases) EXPECT_EQ(std::string(t.Format(c.format)), c.expected) << c.format;
  EXPECT_EQ(t.GetDayOfWeek(), 5);
  EXPECT_EQ(t.GetYear(), 2024);
  CTime later = t + CTimeSpan(1, 2, 3, 4);
  EXPECT_EQ(later.GetDay(), 8);
  CTimeSpan span = later - t;
  EXPECT_EQ(span.GetDays(), 1);
  EXPECT_EQ(span.GetHours(), 2);
  EXPECT_EQ(span.GetTotalMinutes(), 24 * 60 + 123);
  EXPECT_EQ(std::string(span.Format("%D days %H:%M:%S")), "1 days 02:03:04");
}

TEST(OleDateTimeTest, ValuesAndParts) {
  COleDateTime epoch(1899, 12, 30, 0, 0, 0);
  EXPECT_EQ(static_cast<DATE>(epoch), 0.0);
  COleDateTime d(2000, 1, 1, 6, 0, 0);
  EXPECT_DOUBLE_EQ(static_cast<DATE>(d), 36526.25);
  // Before the epoch the time of day still counts forward.
  COleDateTime before(1899, 12, 29, 6, 0, 0);
  EXPECT_DOUBLE_EQ(static_cast<DATE>(before), -1.25);
  COleDateTime neg(-1.25);
  EXPECT_EQ(neg.GetDay(), 29);
  EXPECT_EQ(neg.GetHour(), 6);
  // Parts round to the nearest second.
  COleDateTime almost(36526.0 + 59.6 / 86400.0);
  EXPECT_EQ(almost.GetMinute(), 1);
  EXPECT_EQ(almost.GetSecond(), 0);
  EXPECT_EQ(COleDateTime(2024, 3, 7, 0, 0, 0).GetDayOfWeek(), 5);
  EXPECT_EQ(COleDateTime(2024, 12, 31, 0, 0, 0).GetDayOfYear(), 366);
  // The limits of the calendar.
  EXPECT_EQ(COleDateTime(-657434.0).GetYear(), 100);
  EXPECT_EQ(COleDateTime(2958465.0).GetYear(), 9999);
  EXPECT_EQ(COleDateTime(2958466.0).GetYear(), -1);

  COleDateTime bad;
  EXPECT_EQ(bad.SetDate(2023, 2, 29), 1);
  EXPECT_EQ(bad.GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(bad.GetYear(), -1);
  EXPECT_EQ(std::string(COleDateTime(2024, 3, 7, 13, 5, 0).Format("%x %X")), "03/07/24 13:05:00");
}

TEST(OleDateTimeTest, Parsing) {
  COleDateTime d;
  EXPECT_TRUE(d.ParseDateTime("3/7/24 1:05 PM"));
  EXPECT_EQ(d, COleDateTime(2024, 3, 7, 13, 5, 0));
  EXPECT_TRUE(d.ParseDateTime("2024-03-07"));
  EXPECT_EQ(d, COleDateTime(2024, 3, 7, 0, 0, 0));
  EXPECT_TRUE(d.ParseDateTime("12/31/51"));
  EXPECT_EQ(d.GetYear(), 1951);
  EXPECT_TRUE(d.ParseDateTime("17:30:05"));
  EXPECT_EQ(d.GetHour(), 17);
  for (const char* bad : {"", "2/30/2024", "13:00 PM", "3/7", "abc", "3/7/24 x"}) {
    EXPECT_FALSE(d.ParseDateTime(bad)) << bad;
    EXPECT_EQ(d.GetStatus(), COleDateTime::invalid) << bad;
  }
}

}  // namespace
