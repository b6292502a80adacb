// Writes the library program image that the wizard carries into a file, so that the
// end-to-end test of the import can hold what the wizard sends against it.
//
//   write_library_image OUT
#include <fstream>
#include <iostream>

#include "library/builtin_data.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: write_library_image OUT\n";
    return 2;
  }
  std::string_view image = library::libraryProgramImage();
  std::ofstream out(argv[1], std::ios::binary);
  out.write(image.data(), static_cast<std::streamsize>(image.size()));
  return out.good() ? 0 : 1;
}
