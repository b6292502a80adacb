#include "base/gbk_codec.h"

#include <gtest/gtest.h>

namespace {

TEST(GbkCodec, RoundTripsThroughUtf16) {
  std::string text = "API目录 例程列表，“工具->执行易向导”\r\n";
  std::u16string wide = gbk::toUtf16(text);
  EXPECT_EQ(wide, u"API目录 例程列表，“工具->执行易向导”\r\n");
  EXPECT_EQ(gbk::fromUtf16(wide), text);
}

TEST(GbkCodec, Utf8ToGbkIsStrict) {
  std::size_t bad = 99;
  auto ok = gbk::fromUtf8(u8"取消路径_"[0] ? reinterpret_cast<const char*>(u8"取消路径_") : "");
  ASSERT_TRUE(ok.has_value());
  EXPECT_EQ(*ok, "取消路径_");
  // U+1F600 lies outside GBK; U+00E9 is not in GBK's double-byte table either (é).
  EXPECT_FALSE(gbk::fromUtf8("ab\xF0\x9F\x98\x80", &bad).has_value());
  EXPECT_EQ(bad, 2u);
  EXPECT_FALSE(gbk::fromUtf8("\xE4\xB8", &bad).has_value());  // truncated sequence
  EXPECT_EQ(bad, 0u);
  // Overlong forms (NUL, "/", 中) and an encoded surrogate are no UTF-8.
  for (std::string_view overlong : {"A\xC0\x80"
                                    "B",
                                    "A\xE0\x80\xAF", "A\xF0\x80\xA4\xB8", "A\xED\xA0\x80"}) {
    EXPECT_FALSE(gbk::fromUtf8(overlong, &bad).has_value()) << overlong.size();
    EXPECT_EQ(bad, 1u);
  }
}

TEST(GbkCodec, BadBytesBecomeReplacementCharacters) {
  EXPECT_EQ(gbk::toUtf16("a\xFF"), u"a\uFFFD");
  EXPECT_EQ(gbk::toUtf16("\x81"), u"\uFFFD");
  EXPECT_EQ(gbk::fromUtf16(u"x\u0E01"), "x?");  // a Thai letter has no GBK code
  EXPECT_EQ(gbk::toUtf8("中"), reinterpret_cast<const char*>(u8"中"));
}

}  // namespace
