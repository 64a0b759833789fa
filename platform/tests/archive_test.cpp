#include <gtest/gtest.h>

#include "afxarchive.h"
#include "test_support.h"

namespace {

int causeOf(CArchive& archive, CString& text) {
  try {
    archive >> text;
  } catch (CArchiveException* e) {
    const int cause = e->m_cause;
    e->Delete();
    return cause;
  }
  return CArchiveException::none;
}

}  // namespace

// Every length prefix form (one byte, 0xFF + 16 bits, 0xFFFF + 32 bits) at its edges.
TEST(ArchiveTest, TextsAndNumbersComeBackAsStored) {
  testing_support::TempFolder tmp;
  const std::string path = tmp / "archive.bin";
  const int lengths[] = {0, 254, 255, 65534, 65535, 70000};
  {
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    CArchive archive(&file, CArchive::store);
    for (int length : lengths) archive << CString('t', length);
    archive << -7 << static_cast<DWORD>(4000000000u) << 1.08250;
  }
  EXPECT_EQ(testing_support::ReadWholeFile(path).substr(0, 2), std::string("\0\xFE", 2));
  CFile file(path.c_str(), CFile::modeRead);
  CArchive archive(&file, CArchive::load);
  for (int length : lengths) {
    CString text;
    archive >> text;
    EXPECT_EQ(text, CString('t', length)) << length;
  }
  int number = 0;
  DWORD unsignedNumber = 0;
  double rate = 0;
  archive >> number >> unsignedNumber >> rate;
  EXPECT_EQ(number, -7);
  EXPECT_EQ(unsignedNumber, 4000000000u);
  EXPECT_EQ(rate, 1.08250);
  CString past;
  EXPECT_EQ(causeOf(archive, past), CArchiveException::endOfFile);
}

TEST(ArchiveTest, CutTextAndWrongDirectionThrow) {
  testing_support::TempFolder tmp;
  const std::string path = tmp / "cut.bin";
  testing_support::WriteWholeFile(path, std::string("\xFF\xFF\xFF\x10\0\0\0abc", 10));  // 4096 bytes announced
  CFile file(path.c_str(), CFile::modeRead);
  CArchive archive(&file, CArchive::load);
  CString text = "kept";
  EXPECT_EQ(causeOf(archive, text), CArchiveException::endOfFile);
  EXPECT_EQ(text, "kept");
  EXPECT_THROW(
      {
        try {
          archive << CString("x");
        } catch (CArchiveException* e) {
          EXPECT_EQ(e->m_cause, CArchiveException::readOnly);
          e->Delete();
          throw 1;
        }
      },
      int);
}
