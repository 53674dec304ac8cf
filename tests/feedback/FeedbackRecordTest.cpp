#include "feedback/FeedbackRecord.h"

#include <gtest/gtest.h>

namespace {

TEST(FeedbackRecord, FieldsSurviveFormattingAndParsing) {
  const FeedbackRecord records[] = {
      {"10069", "1.9.22.1021", 1, "1765157025", "1", "2026-12-08T01:23:45Z"},
      {u8"工具", u8"版本", -3, u8"时间", "a\tb\\c\r\nd", ""},
      {"", "", 0, "", "", ""},
      {"\\t", "\\", 2147483647, "\t\t", "\n", "x"},
  };
  for (const FeedbackRecord& record : records) {
    SCOPED_TRACE(record.deviceText);
    const std::string line = FormatFeedbackRecord(record);
    EXPECT_EQ(std::string::npos, line.find_first_of("\r\n"));
    FeedbackRecord back;
    ASSERT_TRUE(ParseFeedbackRecord(line, back));
    EXPECT_EQ(record.toolId, back.toolId);
    EXPECT_EQ(record.toolVersion, back.toolVersion);
    EXPECT_EQ(record.code, back.code);
    EXPECT_EQ(record.timeText, back.timeText);
    EXPECT_EQ(record.deviceText, back.deviceText);
    EXPECT_EQ(record.writtenAt, back.writtenAt);
  }
  EXPECT_EQ("10069\t1.9.22.1021\t1\t1765157025\t1\t2026-12-08T01:23:45Z", FormatFeedbackRecord(records[0]));
}

TEST(FeedbackRecord, DamagedLinesAreRefused) {
  FeedbackRecord record;
  EXPECT_FALSE(ParseFeedbackRecord("", record));
  EXPECT_FALSE(ParseFeedbackRecord("a\tb\t1\tc\td", record));
  EXPECT_FALSE(ParseFeedbackRecord("a\tb\t1\tc\td\te\tf", record));
  EXPECT_FALSE(ParseFeedbackRecord("a\tb\tone\tc\td\te", record));
  EXPECT_FALSE(ParseFeedbackRecord("a\tb\t1x\tc\td\te", record));
  EXPECT_FALSE(ParseFeedbackRecord("a\\\tb\t1\tc\td\te", record));
  EXPECT_FALSE(ParseFeedbackRecord("a\\q\tb\t1\tc\td\te", record));
}

TEST(CompareVersions, PartsCompareAsNumbers) {
  const struct {
    const char* left;
    const char* right;
    int order;
  } cases[] = {
      {"1.10.0.0", "1.9.22.1021", 1},  {"1.9.22.1021", "1.10.0.0", -1}, {"1.9.22.1021", "1.9.22.1021", 0},
      {"1.9.22.1022", "1.9.22.1021", 1}, {"1.9.22.999", "1.9.22.1021", -1}, {"1.9.22", "1.9.22.0", 0},
      {"1.9.22", "1.9.22.1021", -1},   {"2", "1.99.99.99", 1},          {"01.009", "1.9", 0},
      {"1.99999999999999999999", "1.99999999999999999998", 1},          {"0.0", "0", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.left) + " vs " + c.right);
    int order = 7;
    ASSERT_TRUE(CompareVersions(c.left, c.right, order));
    EXPECT_EQ(c.order, order);
  }
}

TEST(CompareVersions, RefusesTextThatIsNotAVersion) {
  int order = 0;
  for (const char* bad : {"", "1..2", "1.2.", ".1", "1.x", "v1.2", "1.2 ", "-1", "1,2"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(CompareVersions(bad, "1.0", order));
    EXPECT_FALSE(CompareVersions("1.0", bad, order));
  }
}

TEST(JournalText, QuotesAndEscapes) {
  EXPECT_EQ("null", JournalText(nullptr));
  EXPECT_EQ("\"\"", JournalText(""));
  EXPECT_EQ("\"10069\"", JournalText("10069"));
  EXPECT_EQ("\"a\\\"b\\\\c\\x0A\\x09\"", JournalText("a\"b\\c\n\t"));
  EXPECT_EQ(std::string("\"") + u8"时间" + "\"", JournalText(u8"时间"));
}

TEST(AppendQueryParameter, EncodesTheValue) {
  EXPECT_EQ("https://x/ask?toolid=10069", AppendQueryParameter("https://x/ask", "toolid", "10069"));
  EXPECT_EQ("https://x/ask?a=1&v=1.9.22.1021", AppendQueryParameter("https://x/ask?a=1", "v", "1.9.22.1021"));
  EXPECT_EQ("u?v=a%20b%26c%3Dd%2F%E5%B7%A5", AppendQueryParameter("u", "v", u8"a b&c=d/工"));
}

// Anything else handed to the shell could start a program with the tool's rights.
TEST(IsWebAddress, OnlyHttpAndHttps) {
  for (const char* web : {"https://www.halvex.com/support", "http://x", "HTTPS://X/y?z=1"})
    EXPECT_TRUE(IsWebAddress(web)) << web;
  for (const char* other : {"", "https://", "C:\\tools\\page.cmd", "file:///C:/x.exe", "ftp://x",
                            " https://x", "notepad.exe", "httpx://y", "javascript:alert(1)"})
    EXPECT_FALSE(IsWebAddress(other)) << other;
}

}  // namespace
