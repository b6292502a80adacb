#include <gtest/gtest.h>

#include <algorithm>

#include "library/builtin_data.h"
#include "library/catalog.h"
#include "library/pinyin.h"

namespace {

using library::PinyinMatcher;
using library::PinyinSpelling;

bool hasReading(std::string_view character, std::string_view reading) {
  std::vector<std::string_view> readings = library::pinyinReadings(character);
  return std::find(readings.begin(), readings.end(), reading) != readings.end();
}

bool begins(std::string_view letters, std::string_view name, PinyinSpelling spelling) {
  return PinyinMatcher(letters, spelling).begins(name);
}

// --- Reading table ----------------------------------------------------------------

TEST(PinyinReadingsTest, WellKnownCharactersReadAsTheDictionariesSay) {
  EXPECT_EQ(library::pinyinReadings("取"), std::vector<std::string_view>{"qu"});
  EXPECT_TRUE(hasReading("菜", "cai"));
  EXPECT_TRUE(hasReading("窗", "chuang"));
  EXPECT_TRUE(hasReading("鼠", "shu"));
  EXPECT_TRUE(hasReading("嗯", "ng"));  // a syllable without a vowel
  // Polyphones keep every modern reading.
  EXPECT_TRUE(hasReading("行", "xing") && hasReading("行", "hang"));
  EXPECT_TRUE(hasReading("长", "chang") && hasReading("长", "zhang"));
  EXPECT_TRUE(hasReading("重", "zhong") && hasReading("重", "chong"));
  EXPECT_TRUE(hasReading("调", "diao") && hasReading("调", "tiao"));
  // ü as the keyboards type it and as people do.
  EXPECT_TRUE(hasReading("绿", "lv") && hasReading("绿", "lu"));
  // A traditional form reads like its simplified one.
  EXPECT_TRUE(hasReading("長", "chang") && hasReading("長", "zhang"));
  // Classical readings of common characters stay out.
  EXPECT_FALSE(hasReading("件", "mou"));
}

TEST(PinyinReadingsTest, OnlyChineseCharactersHaveReadings) {
  EXPECT_TRUE(library::pinyinReadings("A").empty());
  EXPECT_TRUE(library::pinyinReadings("_").empty());
  EXPECT_TRUE(library::pinyinReadings("，").empty());  // a full-width comma
  EXPECT_TRUE(library::pinyinReadings("").empty());
  EXPECT_TRUE(library::pinyinReadings("\xB3").empty());      // a lead byte alone
  EXPECT_TRUE(library::pinyinReadings("\x81\x7F").empty());  // a code GBK leaves unassigned
}

TEST(PinyinReadingsTest, EveryCharacterOfTheCatalogsChineseNamesHasAReading) {
  int checked = 0;
  library::Catalog catalog(library::apiCatalogText());
  for (std::int32_t n = 1; n <= catalog.size(); ++n) {
    const std::string_view name = catalog.entry(n)->chineseName;
    for (std::size_t pos = 0; pos < name.size(); pos += gbk::charLength(name, pos)) {
      if (gbk::charLength(name, pos) == 1) continue;
      EXPECT_FALSE(library::pinyinReadings(name.substr(pos)).empty()) << name.substr(pos, 2);
      ++checked;
    }
  }
  EXPECT_GT(checked, 3000);
}

// --- Matching ---------------------------------------------------------------------

TEST(PinyinMatcherTest, InitialsSpellTheStartOfAName) {
  EXPECT_TRUE(begins("qcdtm", "取菜单条目信息_", PinyinSpelling::initials));
  EXPECT_TRUE(begins("qcdtmxx", "取菜单条目信息_", PinyinSpelling::initials));
  EXPECT_TRUE(begins("QcDtM", "取菜单条目信息_", PinyinSpelling::initials));
  EXPECT_FALSE(begins("qcdtmxxx", "取菜单条目信息_", PinyinSpelling::initials));
  EXPECT_FALSE(begins("cdtm", "取菜单条目信息_", PinyinSpelling::initials));
  // Whole syllables are no initials.
  EXPECT_FALSE(begins("qucai", "取菜单条目信息_", PinyinSpelling::initials));
}

TEST(PinyinMatcherTest, SyllablesJoinAndMayEndInsideOne) {
  EXPECT_TRUE(begins("qucaidan", "取菜单条目信息_", PinyinSpelling::syllables));
  EXPECT_TRUE(begins("qucai", "取菜单条目信息_", PinyinSpelling::syllables));
  EXPECT_TRUE(begins("qucaidantiaomuxinxi", "取菜单条目信息_", PinyinSpelling::syllables));
  EXPECT_TRUE(begins("qucaid", "取菜单条目信息_", PinyinSpelling::syllables));
  EXPECT_FALSE(begins("qcdtm", "取菜单条目信息_", PinyinSpelling::syllables));
  EXPECT_FALSE(begins("qucaidx", "取菜单条目信息_", PinyinSpelling::syllables));
  EXPECT_FALSE(begins("qucaidantiaomuxinxix", "取菜单条目信息_", PinyinSpelling::syllables));
}

TEST(PinyinMatcherTest, AsciiLettersInANameMatchThemselves) {
  EXPECT_TRUE(begins("qwindows", "取Windows目录_", PinyinSpelling::initials));
  EXPECT_TRUE(begins("qwindowsml", "取Windows目录_", PinyinSpelling::initials));
  EXPECT_TRUE(begins("quwindowsmu", "取Windows目录_", PinyinSpelling::syllables));
  EXPECT_FALSE(begins("qwml", "取Windows目录_", PinyinSpelling::initials));
  // Digits and "_" have nothing to type and are passed over.
  EXPECT_TRUE(begins("dqwxx", "读取32位_信息", PinyinSpelling::initials));
  EXPECT_FALSE(begins("dqx", "读取3", PinyinSpelling::initials));
}

TEST(PinyinMatcherTest, APolyphoneMatchesByAnyOfItsReadings) {
  EXPECT_TRUE(begins("qhg", "取行高_", PinyinSpelling::initials));
  EXPECT_TRUE(begins("qxg", "取行高_", PinyinSpelling::initials));
  EXPECT_TRUE(begins("quhanggao", "取行高_", PinyinSpelling::syllables));
  EXPECT_TRUE(begins("quxinggao", "取行高_", PinyinSpelling::syllables));
  // Readings of different lengths lead to different positions: "chong" and "zhong"
  // both continue, and "zhongh" ends inside the next character only by "hui".
  EXPECT_TRUE(begins("chonghui", "重绘", PinyinSpelling::syllables));
  EXPECT_TRUE(begins("zhonghu", "重绘", PinyinSpelling::syllables));
  EXPECT_FALSE(begins("zhonghuo", "重绘", PinyinSpelling::syllables));
  // Many polyphones in a row stay quick: each step keeps a set of positions.
  std::string name;
  for (int i = 0; i < 40; ++i) name += "行长";
  EXPECT_FALSE(begins(std::string(80, 'x') + "q", name, PinyinSpelling::initials));
  EXPECT_TRUE(begins("xingchanghangzhang", name, PinyinSpelling::syllables));
}

TEST(PinyinMatcherTest, OccursInFindsTheLettersFromAnyCharacterOn) {
  PinyinMatcher menu("cd", PinyinSpelling::initials);
  EXPECT_TRUE(menu.occursIn("取菜单条目信息_"));
  EXPECT_TRUE(menu.occursIn("菜单"));
  EXPECT_FALSE(menu.begins("取菜单条目信息_"));
  EXPECT_FALSE(menu.occursIn("取菜条目单"));
  // The same matcher serves many names, each afresh.
  EXPECT_TRUE(menu.occursIn("创建菜单_"));
  PinyinMatcher full("caidan", PinyinSpelling::syllables);
  EXPECT_TRUE(full.occursIn("创建弹出菜单_"));
  EXPECT_FALSE(full.occursIn("创建弹出菜_"));
}

TEST(PinyinMatcherTest, OnlyAsciiLettersAreTaken) {
  EXPECT_TRUE(library::isAsciiLetters("qcdtm"));
  EXPECT_TRUE(library::isAsciiLetters("QcD"));
  EXPECT_FALSE(library::isAsciiLetters(""));
  EXPECT_FALSE(library::isAsciiLetters("q1"));
  EXPECT_FALSE(library::isAsciiLetters("q_"));
  EXPECT_FALSE(library::isAsciiLetters("取"));
}

}  // namespace
