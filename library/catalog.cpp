#include "library/catalog.h"

namespace library {

std::vector<gbk::Text> buildCatalogLineList(std::string_view catalogText) {
  return gbk::split(catalogText, "\r\n");
}

}  // namespace library
