#include "library/catalog.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string_view>;

Names typesOf(const library::CatalogEntry& entry) { return {entry.dataTypeNames.begin(), entry.dataTypeNames.end()}; }

TEST(Catalog, SplitsEachLineIntoATypedEntryOnce) {
  library::Catalog catalog(
      "GetMenuItemInfoA,菜单函数,取菜单条目信息_,菜单条目结构_\r\n"
      "DeviceIoControl,文件处理函数,设备操作_,,重叠操作_\r\n"
      "InsertMenuA,菜单函数,插入菜单条目_,\r\n"
      "A,类别\r\n"
      "\r\n"
      "B,类别,乙_");
  ASSERT_EQ(catalog.size(), 6);
  const library::CatalogEntry* first = catalog.entry(1);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->line, "GetMenuItemInfoA,菜单函数,取菜单条目信息_,菜单条目结构_");
  EXPECT_EQ(first->englishName, "GetMenuItemInfoA");
  EXPECT_EQ(first->category, "菜单函数");
  EXPECT_EQ(first->chineseName, "取菜单条目信息_");
  EXPECT_EQ(typesOf(*first), Names{"菜单条目结构_"});
  // An empty field between two commas stays; an empty last field is dropped.
  EXPECT_EQ(typesOf(*catalog.entry(2)), (Names{"", "重叠操作_"}));
  EXPECT_EQ(typesOf(*catalog.entry(3)), Names{});
  // Fewer than three fields, or none: no entry, yet the numbering goes on.
  EXPECT_EQ(catalog.entry(4), nullptr);
  EXPECT_EQ(catalog.entry(5), nullptr);
  EXPECT_EQ(catalog.entry(6)->chineseName, "乙_");
  for (std::int32_t outside : {0, -1, 7}) EXPECT_EQ(catalog.entry(outside), nullptr) << outside;
}

TEST(Catalog, AnEntryFiledUnderItsDllIsGeneratedAndShowsItsEnglishNameEitherWay) {
  library::Catalog catalog(
      "GetDC,设备场景函数,取设备场景_\r\n"
      "SetLayeredWindowAttributes,user32.dll,SetLayeredWindowAttributes_\r\n");
  const library::CatalogEntry& handWritten = *catalog.entry(1);
  const library::CatalogEntry& generated = *catalog.entry(2);
  EXPECT_FALSE(handWritten.generated());
  EXPECT_TRUE(generated.generated());
  EXPECT_EQ(handWritten.shownName(true), "取设备场景_");
  EXPECT_EQ(handWritten.shownName(false), "GetDC");
  EXPECT_EQ(generated.shownName(true), "SetLayeredWindowAttributes");
  EXPECT_EQ(generated.shownName(false), "SetLayeredWindowAttributes");
}

// The index's order: by the shown name, a generated entry by its English name in either
// language, equal names in the catalog's order, lines that are no entry left out.
TEST(Catalog, ListsTheEntriesInTheIndexsOrderOfEachLanguage) {
  library::Catalog catalog(
      "GetDC,设备场景函数,取设备场景_\r\n"
      "no entry\r\n"
      "beep,杂项,鸣叫_\r\n"
      "Arc,绘图函数,画弧_\r\n"
      "Beep,user32.dll,Beep_\r\n"
      "beep,杂项,鸣叫_\r\n");
  using Order = std::vector<std::int32_t>;
  auto order = [&](bool chinese) {
    return Order(catalog.indexOrder(chinese).begin(), catalog.indexOrder(chinese).end());
  };
  EXPECT_EQ(order(false), (Order{4, 5, 3, 6, 1}));
  // GBK puts 画 (BB AD) before 鸣 (C3 F9) and 取 (C8 A1); the generated Beep_, listed as
  // Beep, follows every Chinese name.
  EXPECT_EQ(order(true), (Order{4, 3, 6, 1, 5}));
  EXPECT_EQ(catalog.handWrittenCount(), 4);
}

}  // namespace
