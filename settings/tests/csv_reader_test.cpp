#include "csv_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

using testing_support::TempFolder;

namespace {

std::vector<std::string> toVector(const CStringArray& items) {
  std::vector<std::string> result;
  for (INT_PTR i = 0; i < items.GetSize(); ++i) result.push_back(items[i].str());
  return result;
}

std::vector<std::string> split(const std::string& line) {
  CStringArray fields;
  fields.Add("stale");
  SplitRecord(line.data(), line.size(), fields);
  return toVector(fields);
}

}  // namespace

TEST(SplitRecord, QuotesSeparatorsAndEmptyFields) {
  using namespace std::string_literals;
  struct Case {
    std::string line;
    std::vector<std::string> fields;
  } cases[] = {
      {"", {}},
      {"a;b;c", {"a", "b", "c"}},
      {"a;;c;", {"a", "", "c"}},
      {";", {""}},
      {"\"x;y\";z", {"x;y", "z"}},
      {"\"say \"\"hi\"\"\";2", {"say \"hi\"", "2"}},
      {"\"\"\"\"", {"\""}},
      {"\"\";b", {"", "b"}},
      {"\"ab\" ;x", {"ab", "x"}},  // after the closing quote up to the separator is dropped
      {"\"ab\"junk;x;", {"ab", "x"}},
      {"a;\"open;to the end", {"a", "open;to the end"}},
      {"\"", {""}},
      {"a\"b;c", {"a\"b", "c"}},         // a quote inside a plain field is kept
      {"n\0ul;\0"s, {"n\0ul"s, "\0"s}},  // NUL bytes are data
  };
  for (const Case& c : cases) EXPECT_EQ(split(c.line), c.fields) << c.line;

  CStringArray fields;
  SplitRecord(nullptr, 5, fields);
  EXPECT_EQ(fields.GetSize(), 0);
  SplitRecord("a;b", 1, fields);  // only the given bytes are read
  EXPECT_EQ(toVector(fields), std::vector<std::string>{"a"});
}

TEST(CSVReader, ReadsLinesAndRecordsOfAFile) {
  using namespace std::string_literals;
  TempFolder tmp;
  std::string overlong(CSVReader::kMaxLineLength + 1, 'x');
  std::string atLimit(CSVReader::kMaxLineLength, 'y');
  std::string content = "id;\"a;b\";\"q\"\"q\"\r\n"s + "\r\n" + overlong + "\r\n" + "good;1\n" + "lone\rcr\n" +
                        atLimit + "\r\n" + "n\0l;2\r\n"s + "last;\"x\"";
  ASSERT_TRUE(testing_support::WriteWholeFile(tmp / "infos.csv", content));

  CSVReader reader(std::string(tmp / "infos.csv").c_str(), CFile::modeRead | CFile::shareDenyNone);
  struct Expected {
    std::vector<std::string> fields;
    int overlongSoFar;
  } expected[] = {
      {{"id", "a;b", "q\"q"}, 0}, {{}, 0}, {{"good", "1"}, 1}, {{"lone\rcr"}, 1}, {{atLimit}, 1}, {{"n\0l"s, "2"}, 1},
      {{"last", "x"}, 1},
  };
  CStringArray fields;
  for (const Expected& e : expected) {
    ASSERT_TRUE(reader.ReadRecord(fields));
    EXPECT_EQ(toVector(fields), e.fields);
    EXPECT_EQ(reader.GetOverlongLineCount(), e.overlongSoFar);
  }
  EXPECT_FALSE(reader.ReadRecord(fields));
  EXPECT_EQ(fields.GetSize(), 0);
}

TEST(CSVReader, BinaryModeKeepsTheCarriageReturnAndOpenResetsTheCount) {
  TempFolder tmp;
  std::string path = tmp / "lines.txt";
  ASSERT_TRUE(testing_support::WriteWholeFile(path, std::string(CSVReader::kMaxLineLength + 5, 'z') + "\na\r\n"));
  CSVReader reader;
  ASSERT_TRUE(reader.Open(path.c_str(), CFile::modeRead | CFile::typeBinary));
  CString line;
  ASSERT_TRUE(reader.ReadString(line));
  EXPECT_EQ(line, "a\r");
  EXPECT_EQ(reader.GetOverlongLineCount(), 1);
  EXPECT_FALSE(reader.ReadString(line));
  reader.Close();
  ASSERT_TRUE(reader.Open(path.c_str(), CFile::modeRead));
  EXPECT_EQ(reader.GetOverlongLineCount(), 0);
}

TEST(CSVReader, MissingFileThrowsTheFileException) {
  TempFolder tmp;
  try {
    CSVReader reader(std::string(tmp / "missing.csv").c_str(), CFile::modeRead);
    FAIL() << "opened a missing file";
  } catch (CFileException* e) {
    EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
    e->Delete();
  }
}
