#include "platform/text/encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace vostrel::text {
namespace {

// "中文" in UTF-8 and in GBK.
const std::string kZhongWenUtf8 = "\xE4\xB8\xAD\xE6\x96\x87";
const std::string kZhongWenGbk = "\xD6\xD0\xCE\xC4";
// U+1F600 is
// outside GBK and needs a four-byte GB18030 sequence.
const std::string kEmojiUtf8 = "\xF0\x9F\x98\x80";
const std::string kEmojiGb18030 = "\x94\x39\xFC\x36";
const std::string kReplacement = "\xEF\xBF\xBD";

TEST(EncodingTest, RoundTripsBetweenUtf8AndGbk) {
  EXPECT_EQ(Utf8ToGbk(kZhongWenUtf8), kZhongWenGbk);
  EXPECT_EQ(GbkToUtf8(kZhongWenGbk), kZhongWenUtf8);
  EXPECT_EQ(Utf8ToGbk("abc " + kEmojiUtf8), "abc " + kEmojiGb18030);
  EXPECT_EQ(GbkToUtf8(kEmojiGb18030), kEmojiUtf8);
  EXPECT_EQ(Utf8ToGbk(""), "");
  EXPECT_EQ(GbkToUtf8(""), "");
}

TEST(EncodingTest, MalformedInputIsReplacedNotDropped) {
  EXPECT_EQ(Utf8ToGbk("a\xFF" "b"), "a?b");
  EXPECT_EQ(GbkToUtf8("a\xD6"), "a" + kReplacement);  // truncated double-byte tail
  EXPECT_EQ(DecodeToUtf8("x\xC3(y", "utf-8"), "x" + kReplacement + "(y");
}

TEST(EncodingTest, ValidatesUtf8) {
  struct Case {
    std::string bytes;
    bool valid;
  };
  const std::vector<Case> cases = {
      {"", true},
      {"plain ascii", true},
      {kZhongWenUtf8 + kEmojiUtf8, true},
      {kZhongWenGbk, false},
      {"\xC0\xAF", false},          // overlong '/'
      {"\xED\xA0\x80", false},      // surrogate
      {"\xF4\x90\x80\x80", false},  // above U+10FFFF
      {"\xE4\xB8", false},          // truncated
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
}

TEST(EncodingTest, DecodesFromDeclaredCharset) {
  struct Case {
    std::string bytes, charset, expected;
  };
  const std::vector<Case> cases = {
      {kZhongWenGbk, "gb2312", kZhongWenUtf8},
      {"\x88\xD2", "GB2312", "\xE5\xA0\x83"},  // GBK-only character labelled gb2312
      {kZhongWenGbk, "GBK", kZhongWenUtf8},
      {kZhongWenGbk, "x-gbk", kZhongWenUtf8},
      {kEmojiGb18030, "gb18030", kEmojiUtf8},
      {kZhongWenUtf8, "UTF-8", kZhongWenUtf8},
      {"\xA4\xA4\xA4\xE5", "big5", kZhongWenUtf8},
      {"caf\xE9", "iso-8859-1", "caf\xC3\xA9"},
      {kZhongWenUtf8, "", kZhongWenUtf8},
      {kZhongWenGbk, "", kZhongWenUtf8},
      {kZhongWenGbk, "us-ascii", kZhongWenUtf8},
      {kZhongWenGbk, "no-such-charset", kZhongWenUtf8},
      {kZhongWenUtf8, "\"utf-8\"", kZhongWenUtf8},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeToUtf8(c.bytes, c.charset), c.expected) << c.charset;
}

TEST(EncodingTest, LongTextConvertsWholeAcrossBufferRefills) {
  std::string utf8, gbk;
  for (int i = 0; i < 5000; ++i) {
    utf8 += kZhongWenUtf8;
    gbk += kZhongWenGbk;
  }
  EXPECT_EQ(Utf8ToGbk(utf8), gbk);
  EXPECT_EQ(GbkToUtf8(gbk), utf8);
}

TEST(EncodingTest, ConvertsConcurrently) {
  std::vector<std::thread> threads;
  std::vector<int> failures(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&failures, t] {
      for (int i = 0; i < 500; ++i) {
        if (GbkToUtf8(Utf8ToGbk(kZhongWenUtf8)) != kZhongWenUtf8) ++failures[t];
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int count : failures) EXPECT_EQ(count, 0);
}

}  // namespace
}  // namespace vostrel::text
