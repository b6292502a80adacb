#include <gtest/gtest.h>

#include "base/gbk_codec.h"
#include "library/builtin_data.h"
#include "library/catalog.h"
#include "library/constants.h"
#include "library/declaration_syntax.h"
#include "library/header_index.h"
#include "tests/shared_library.h"
#include "tools/data_validator.h"

namespace {

TEST(BuiltinData, KeepsEveryRuleOfTheLibrary) {
  auto violations = library::validateBuiltinData(library::dllCommandLibraryText(), library::dataTypeLibraryText(),
                                                 library::apiCatalogText());
  for (const auto& v : violations) ADD_FAILURE() << v.item << ":" << v.line << ": " << gbk::toUtf8(v.rule);
}

TEST(BuiltinData, CatalogLineListHasOneEntryPerLine) {
  std::string_view catalog = library::apiCatalogText();
  library::Catalog lines(catalog);
  std::int32_t lineEnds = 0;
  for (std::size_t pos = catalog.find("\r\n"); pos != std::string_view::npos; pos = catalog.find("\r\n", pos + 2)) {
    ++lineEnds;
  }
  EXPECT_EQ(lines.size(), lineEnds);
  ASSERT_NE(lines.entry(1), nullptr);
  EXPECT_EQ(lines.entry(1)->line.rfind("BroadcastSystemMessage,Windows消息函数,消息广播_", 0), 0u);
}

TEST(BuiltinData, TheBuildReadsTheCatalogAsTheWizardWouldAtStartUp) {
  const library::Catalog read(library::apiCatalogText());
  const library::Catalog built = library::Catalog::builtIn();
  ASSERT_EQ(built.size(), read.size());
  for (std::int32_t n = 1; n <= read.size(); ++n) {
    const library::CatalogEntry* expected = read.entry(n);
    const library::CatalogEntry* entry = built.entry(n);
    ASSERT_EQ(entry == nullptr, expected == nullptr) << n;
    if (!entry) continue;
    EXPECT_EQ(std::tie(entry->line, entry->englishName, entry->category, entry->chineseName),
              std::tie(expected->line, expected->englishName, expected->category, expected->chineseName));
    EXPECT_TRUE(std::ranges::equal(entry->dataTypeNames, expected->dataTypeNames)) << n;
  }
  for (bool chinese : {false, true})
    EXPECT_TRUE(std::ranges::equal(built.indexOrder(chinese), read.indexOrder(chinese)));
}

TEST(BuiltinData, TheBuildReadsTheConstantsAsTheWizardWouldAtStartUp) {
  const library::ConstantLibrary read(library::constantLibraryText());
  const library::ConstantLibrary::Tables expected = read.tables();
  const library::ConstantLibrary::Tables built = sharedLibrary().constants.tables();
  EXPECT_GT(built.constants.size(), 1000u);
  EXPECT_TRUE(std::ranges::equal(built.constants, expected.constants, [](const auto& a, const auto& b) {
    return std::tie(a.name, a.value, a.comment, a.line) == std::tie(b.name, b.value, b.comment, b.line);
  }));
  EXPECT_TRUE(std::ranges::equal(built.byName, expected.byName));
}

TEST(BuiltinData, TheBuildIndexesTheLibraryTextsAsTheWizardWouldAtStartUp) {
  const std::tuple<std::string_view, std::string_view, library::BuiltInIndex> texts[] = {
      {library::dllCommandLibraryText(), library::kDllCommandHeader, library::dllCommandLibraryTextIndex()},
      {library::dataTypeLibraryText(), library::kDataTypeHeader, library::dataTypeLibraryTextIndex()}};
  for (const auto& [text, header, built] : texts) {
    library::HeaderIndex::Tables tables = library::HeaderIndex::build(text, header);
    EXPECT_GT(tables.starts.size(), 400u);
    EXPECT_TRUE(std::ranges::equal(built.starts, tables.starts));
    EXPECT_TRUE(std::ranges::equal(built.byName, tables.byName));
  }
}

}  // namespace
