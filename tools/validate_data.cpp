// Prints every rule that the built-in data breaks; exit code 1 if any.
#include <iostream>

#include "base/gbk_codec.h"
#include "library/builtin_data.h"
#include "tools/data_validator.h"

int main() {
  auto violations = library::validateBuiltinData(library::dllCommandLibraryText(), library::dataTypeLibraryText(),
                                                 library::apiCatalogText());
  auto constantViolations = library::validateConstantLibrary(library::constantLibraryText());
  violations.insert(violations.end(), constantViolations.begin(), constantViolations.end());
  for (const auto& v : violations) {
    std::cout << v.item << ":" << v.line << ": " << gbk::toUtf8(v.rule) << "\n";
  }
  std::cout << "validate_data: " << violations.size() << " violations\n";
  return violations.empty() ? 0 : 1;
}
