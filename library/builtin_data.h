// The wizard's built-in data, compiled in as GBK byte blocks (see data/README.md).
#pragma once

#include <string_view>

namespace library {

// The content of a stored block: u32 1, u32 length, then that many bytes.
std::string_view blockContent(const unsigned char* block);

std::string_view dllCommandLibraryText();  // ".DLL命令" blocks
std::string_view dataTypeLibraryText();    // ".数据类型" blocks
std::string_view apiCatalogText();         // one catalog entry per line
std::string_view constantLibraryText();    // ".常量" lines: the SDK constants (library/constants.h)
std::string_view libraryProgramImage();    // both library texts as a program image (docs/program-image.md)

}  // namespace library
