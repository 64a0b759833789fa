#include <gtest/gtest.h>

#include "afxfile.h"
#include "test_support.h"

using testing_support::TempFolder;

TEST(CStdioFile, ReadsLinesWithAnyEndAndKeepsZeros) {
  TempFolder tmp;
  const std::string content("first\r\nsecond\n\nwith\0zero\nlast", 30);
  ASSERT_TRUE(testing_support::WriteWholeFile(tmp / "Lines.txt", content));

  CStdioFile file;
  ASSERT_TRUE(file.Open((tmp / "LINES.TXT").c_str(), CFile::modeRead | CFile::typeText));
  CString line;
  std::vector<CString> lines;
  while (file.ReadString(line)) lines.push_back(line);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_STREQ(lines[0], "first");
  EXPECT_STREQ(lines[2], "");
  EXPECT_EQ(lines[3], CString("with\0zero", 9));
  EXPECT_STREQ(lines[4], "last");
  EXPECT_FALSE(file.ReadString(line));

  file.SeekToBegin();
  char buffer[4];
  EXPECT_STREQ(file.ReadString(buffer, sizeof(buffer)), "fir");
  EXPECT_STREQ(file.ReadString(buffer, sizeof(buffer)), "st\n");
}

TEST(CFile, WritesReadsSeeksAndReportsFailuresAsExceptions) {
  TempFolder tmp;
  {
    CFile out((tmp / "data.bin").c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    out.Write("0123456789", 10);
    EXPECT_EQ(out.GetLength(), 10u);
  }
  CFile in;
  ASSERT_TRUE(in.Open((tmp / "data.bin").c_str(), CFile::modeRead));
  EXPECT_EQ(in.Seek(4, CFile::begin), 4u);
  char buffer[16] = {};
  EXPECT_EQ(in.Read(buffer, sizeof(buffer)), 6u);
  EXPECT_STREQ(buffer, "456789");
  EXPECT_STREQ(in.GetFileName(), "data.bin");
  in.Close();

  {  // modeNoTruncate keeps the content
    CFile keep((tmp / "data.bin").c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
    EXPECT_EQ(keep.GetLength(), 10u);
  }

  CFileException error;
  EXPECT_FALSE(in.Open((tmp / "missing").c_str(), CFile::modeRead, &error));
  EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
  EXPECT_EQ(error.m_lOsError, 2);
  EXPECT_FALSE(in.Open(tmp.path().c_str(), CFile::modeRead, &error));
  EXPECT_EQ(error.m_cause, CFileException::accessDenied);

  try {
    CFile thrown((tmp / "no/such/folder/x").c_str(), CFile::modeCreate | CFile::modeWrite);
    FAIL() << "no exception";
  } catch (CFileException* e) {
    EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
    char message[256];
    EXPECT_TRUE(e->GetErrorMessage(message, sizeof(message)));
    EXPECT_NE(std::string(message).find("no/such/folder/x"), std::string::npos);
    e->Delete();
  }
}
