#include "navigation/category_tree_content.h"

#include <unordered_set>

#include "platform/tree_model.h"

namespace navigation {
namespace {

constexpr std::int32_t kTopLevel = 1;
constexpr std::int32_t kUnderTopLevel = 2;
constexpr std::int32_t kUnderDll = 3;

}  // namespace

gbk::Text buildCategoryTreeContent(const library::Catalog& catalog, bool chineseLabels) {
  std::string main;
  std::string dataTypes;
  std::string generated;
  // A record is its label and 21 bytes more: room for all of them up front.
  main.reserve(static_cast<std::size_t>(catalog.size()) * 48);
  std::unordered_set<std::string_view> named;
  std::string_view previousCategory;
  std::string_view previousDll;
  for (std::int32_t entryNumber = 1; entryNumber <= catalog.size(); ++entryNumber) {
    const library::CatalogEntry* entry = catalog.entry(entryNumber);
    if (!entry) continue;
    for (std::string_view dataType : entry->dataTypeNames) {
      if (dataType.empty() || !named.insert(dataType).second) continue;
      platform::appendTreeRecord(dataTypes, dataType, kPageImage, kPageImage, entryNumber, 0, kUnderTopLevel);
    }
    const std::string_view label = entry->shownName(chineseLabels);
    // A generated entry's category is its DLL: one node per DLL under a node of their own.
    const bool underDll = entry->generated();
    std::string_view& previous = underDll ? previousDll : previousCategory;
    std::string& records = underDll ? generated : main;
    const std::int32_t level = underDll ? kUnderDll : kUnderTopLevel;
    if (entry->category != previous) {
      platform::appendTreeRecord(records, entry->category, kClosedBookImage, kClosedBookImage, 0, 0, level - 1);
    }
    platform::appendTreeRecord(records, label, kPageImage, kPageImage, entryNumber, 0, level);
    previous = entry->category;
  }
  platform::appendTreeRecord(main, kDataTypeNodeLabel, kClosedBookImage, kClosedBookImage, 0, 0, kTopLevel);
  main += dataTypes;
  // After the data types, so that every node of the hand-written library keeps its position.
  if (!generated.empty()) {
    platform::appendTreeRecord(main, kGeneratedNodeLabel, kClosedBookImage, kClosedBookImage, 0, 0, kTopLevel);
    main += generated;
  }
  return main;
}

}  // namespace navigation
