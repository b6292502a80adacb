// [SECTION] constants   [SECTION] reader   [SECTION] writer
// [SECTION] library texts   [SECTION] lookup and messages
#include "library/program_image.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <set>
#include <utility>

#include "base/byte_cursor.h"
#include "base/byte_writer.h"
#include "library/declaration_syntax.h"

namespace library {
namespace {

// -------------------------------------------------------------------------------------
// [SECTION] constants

// The few GBK texts of this file are spelled as bytes so that it means the same under
// any execution character set: the fuzzing build uses a compiler that has no GBK.
constexpr std::string_view kStartUpWindow = "_\xC6\xF4\xB6\xAF\xB4\xB0\xBF\xDA";  // "_启动窗口"
constexpr std::string_view kCoreSupportLibrary =
    "\xCF\xB5\xCD\xB3\xBA\xCB\xD0\xC4\xD6\xA7\xB3\xD6\xBF\xE2";  // "系统核心支持库"

constexpr std::string_view kMagic = "CNWTEPRG";
constexpr std::uint32_t kFormatVersion = 1;
// Names are stored with every byte XORed with this key; the same step decodes them.
constexpr unsigned char kNameKey = 0x6B;
constexpr std::uint64_t kSectionHeaderSize = 8;  // kind, length
constexpr std::uint64_t kSmallestName = 5;       // length, at least one byte

constexpr ImageSection kSections[] = {
    ImageSection::program,   ImageSection::supportLibraries, ImageSection::windows,    ImageSection::programSets,
    ImageSection::constants, ImageSection::dataTypes,        ImageSection::dllCommands};

// A name stands in a header line, where a comma ends it, and is shown as text, which a
// NUL ends: a name holding either would come back as another.
bool isGoodName(std::string_view name) { return name.find_first_of(std::string_view(",\r\n\0", 4)) == name.npos; }

bool isKnown(std::uint32_t kind) {
  return std::find(std::begin(kSections), std::end(kSections), static_cast<ImageSection>(kind)) != std::end(kSections);
}

// Constants came after the first programs were saved: a file without them is a program
// without constants, and a program without constants is written as before.
bool isOptional(ImageSection section) { return section == ImageSection::constants; }

// The sections that hold named blocks of source: program sets and declarations.
std::string_view headerKeyword(ImageSection section) {
  switch (section) {
    case ImageSection::programSets: return kProgramSetHeader;
    case ImageSection::dllCommands: return kDllCommandHeader;
    case ImageSection::constants: return kConstantHeader;
    default: return kDataTypeHeader;
  }
}

// A block begins with its header line: keyword, name, comma. A program set's header may
// end right after its name, and its source ends with a line end, so that a program's
// sets stand apart in its source text. A constant is that one line and its line end.
bool sourceMatchesName(ImageSection section, std::string_view name, std::string_view source) {
  std::string_view keyword = headerKeyword(section);
  std::size_t end = keyword.size() + name.size();
  if (source.size() <= end || source.substr(0, keyword.size()) != keyword ||
      source.substr(keyword.size(), name.size()) != name) {
    return false;
  }
  if (section == ImageSection::constants) {
    return source[end] == ',' && source.ends_with("\r\n") && source.find_first_of("\r\n") == source.size() - 2;
  }
  if (section != ImageSection::programSets) return source[end] == ',';
  return (source[end] == ',' || source.substr(end, 2) == "\r\n") && source.ends_with("\r\n");
}

std::string applyNameKey(std::string_view name) {
  std::string encoded(name);
  for (char& c : encoded) c = static_cast<char>(static_cast<unsigned char>(c) ^ kNameKey);
  return encoded;
}

// -------------------------------------------------------------------------------------
// [SECTION] reader

class ImageReader {
 public:
  explicit ImageReader(std::span<const unsigned char> bytes) : whole(bytes, 0) {}

  ImageReading read() {
    ImageReading reading;
    if (readImage()) {
      reading.image = std::move(image);
    } else {
      reading.error = std::move(error);
    }
    return reading;
  }

 private:
  bool fail(ImageFault fault, std::uint64_t offset, std::string name = {}) {
    error = {fault, offset, std::move(name)};
    return false;
  }

  bool readImage() {
    std::span<const unsigned char> magic;
    if (!whole.take(kMagic.size(), magic) || !std::equal(magic.begin(), magic.end(), kMagic.begin())) {
      return fail(ImageFault::notAnImage, 0);
    }
    std::uint32_t formatVersion = 0;
    if (!whole.readU32(formatVersion)) return fail(ImageFault::truncated, whole.offset());
    if (formatVersion != kFormatVersion) return fail(ImageFault::unsupportedFormat, whole.offset() - 4);
    std::uint32_t sectionCount = 0;
    if (!readCount(whole, kSectionHeaderSize, sectionCount)) return false;
    for (std::uint32_t i = 0; i < sectionCount; ++i) {
      if (!readSection()) return false;
    }
    if (!whole.atEnd()) return fail(ImageFault::trailingBytes, whole.offset());
    for (std::size_t i = 0; i < std::size(kSections); ++i) {
      if (!seen[i] && !isOptional(kSections[i])) return fail(ImageFault::missingSection, whole.offset());
    }
    return true;
  }

  // A count is believable only if that many of the smallest records fit in what
  // remains; this also bounds every loop and allocation that the count drives.
  bool readCount(base::ByteCursor& cursor, std::uint64_t smallestRecord, std::uint32_t& count) {
    std::uint64_t at = cursor.offset();
    if (!cursor.readU32(count) || count > cursor.remaining() / smallestRecord) {
      return fail(ImageFault::truncated, at);
    }
    return true;
  }

  bool readSection() {
    std::uint64_t at = whole.offset();
    std::uint32_t kind = 0;
    std::uint32_t length = 0;
    std::span<const unsigned char> body;
    if (!whole.readU32(kind) || !whole.readU32(length) || !whole.take(length, body)) {
      return fail(ImageFault::truncated, at);
    }
    auto known = std::find(std::begin(kSections), std::end(kSections), static_cast<ImageSection>(kind));
    if (known == std::end(kSections)) {  // a later format's section: kept for the writer
      image.laterSections.push_back({kind, std::string(body.begin(), body.end())});
      return true;
    }
    bool& sectionSeen = seen[known - std::begin(kSections)];
    if (sectionSeen) return fail(ImageFault::duplicateSection, at);
    sectionSeen = true;

    base::ByteCursor content(body, at + kSectionHeaderSize);
    bool read = false;
    switch (static_cast<ImageSection>(kind)) {
      case ImageSection::program:
        read = content.readU32(image.languageVersion) || fail(ImageFault::truncated, content.offset());
        break;
      case ImageSection::supportLibraries: read = readNames(content, image.supportLibraries); break;
      case ImageSection::windows: read = readNames(content, image.windows); break;
      case ImageSection::programSets: read = readBlocks(content, ImageSection::programSets, image.programSets); break;
      case ImageSection::constants: read = readBlocks(content, ImageSection::constants, image.constants); break;
      case ImageSection::dataTypes: read = readBlocks(content, ImageSection::dataTypes, image.dataTypes); break;
      case ImageSection::dllCommands: read = readBlocks(content, ImageSection::dllCommands, image.dllCommands); break;
    }
    if (!read) return false;
    if (!content.atEnd()) return fail(ImageFault::sectionLengthMismatch, content.offset());
    return true;
  }

  bool readBytes(base::ByteCursor& cursor, std::string& out) {
    std::uint64_t at = cursor.offset();
    std::uint32_t length = 0;
    std::span<const unsigned char> bytes;
    if (!cursor.readU32(length) || !cursor.take(length, bytes)) return fail(ImageFault::truncated, at);
    out.assign(bytes.begin(), bytes.end());
    return true;
  }

  bool readName(base::ByteCursor& cursor, std::string& name) {
    std::uint64_t at = cursor.offset();
    if (!readBytes(cursor, name)) return false;
    if (name.empty()) return fail(ImageFault::emptyName, at);
    name = applyNameKey(name);
    if (!isGoodName(name)) return fail(ImageFault::badName, at, name);
    return true;
  }

  bool readNames(base::ByteCursor& cursor, std::vector<std::string>& names) {
    std::uint32_t count = 0;
    if (!readCount(cursor, kSmallestName, count)) return false;
    names.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      if (!readName(cursor, names.emplace_back())) return false;
    }
    return true;
  }

  // Program sets stand in the program's order; declarations ascend by name.
  bool readBlocks(base::ByteCursor& cursor, ImageSection section, std::vector<ImageDeclaration>& blocks) {
    // A one-byte name and a source holding just the header's keyword, that name and a comma.
    std::uint64_t smallest = kSmallestName + 4 + headerKeyword(section).size() + 2;
    std::uint32_t count = 0;
    if (!readCount(cursor, smallest, count)) return false;
    blocks.reserve(count);
    std::set<std::string> programSetNames;
    for (std::uint32_t i = 0; i < count; ++i) {
      std::uint64_t at = cursor.offset();
      ImageDeclaration block;
      if (!readName(cursor, block.name) || !readBytes(cursor, block.source)) return false;
      // Strictly ascending names make the lookup a binary search and rule out a name twice.
      if (section != ImageSection::programSets && !blocks.empty() && !(blocks.back().name < block.name)) {
        return fail(ImageFault::namesOutOfOrder, at, block.name);
      }
      if (section == ImageSection::programSets && !programSetNames.insert(block.name).second) {
        return fail(ImageFault::duplicateName, at, block.name);
      }
      if (!sourceMatchesName(section, block.name, block.source)) {
        return fail(ImageFault::sourceDoesNotMatchName, at, block.name);
      }
      blocks.push_back(std::move(block));
    }
    return true;
  }

  base::ByteCursor whole;
  bool seen[std::size(kSections)] = {};
  ProgramImage image;
  ImageError error;
};

// -------------------------------------------------------------------------------------
// [SECTION] writer

bool fitsU32(std::uint64_t value) { return value <= std::numeric_limits<std::uint32_t>::max(); }

// Length-prefixed bytes; false when the length does not fit.
bool putBytes(std::string& out, std::string_view bytes) {
  if (!fitsU32(bytes.size())) return false;
  base::appendLittleEndian32(out, static_cast<std::uint32_t>(bytes.size()));
  out += bytes;
  return true;
}

ImageError writeNames(std::string& body, const std::vector<std::string>& names) {
  if (!fitsU32(names.size())) return {ImageFault::tooLarge, 0, {}};
  base::appendLittleEndian32(body, static_cast<std::uint32_t>(names.size()));
  for (const std::string& name : names) {
    if (name.empty()) return {ImageFault::emptyName, 0, {}};
    if (!isGoodName(name)) return {ImageFault::badName, 0, name};
    if (!putBytes(body, applyNameKey(name))) return {ImageFault::tooLarge, 0, name};
  }
  return {};
}

// Program sets keep their order; declarations are sorted by name.
ImageError writeBlocks(std::string& body, ImageSection section, const std::vector<ImageDeclaration>& blocks) {
  if (!fitsU32(blocks.size())) return {ImageFault::tooLarge, 0, {}};
  std::vector<const ImageDeclaration*> byName;
  byName.reserve(blocks.size());
  for (const ImageDeclaration& block : blocks) {
    if (block.name.empty()) return {ImageFault::emptyName, 0, {}};
    if (!isGoodName(block.name)) return {ImageFault::badName, 0, block.name};
    if (!sourceMatchesName(section, block.name, block.source)) {
      return {ImageFault::sourceDoesNotMatchName, 0, block.name};
    }
    byName.push_back(&block);
  }
  std::sort(byName.begin(), byName.end(), [](const auto* a, const auto* b) { return a->name < b->name; });
  auto sameName = [](const auto* a, const auto* b) { return a->name == b->name; };
  auto twice = std::adjacent_find(byName.begin(), byName.end(), sameName);
  if (twice != byName.end()) return {ImageFault::duplicateName, 0, (*twice)->name};
  base::appendLittleEndian32(body, static_cast<std::uint32_t>(blocks.size()));
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const ImageDeclaration& block = section == ImageSection::programSets ? blocks[i] : *byName[i];
    if (!putBytes(body, applyNameKey(block.name)) || !putBytes(body, block.source)) {
      return {ImageFault::tooLarge, 0, block.name};
    }
  }
  return {};
}

// -------------------------------------------------------------------------------------
// [SECTION] library texts

// The blocks of a library text: ".版本 N", an empty line, then blocks separated by one
// empty line, the last one ending with its CR LF. Every block keeps its own CR LFs.
ImageError splitLibraryText(std::string_view text, ImageSection section, std::uint32_t& languageVersion,
                            std::vector<ImageDeclaration>& declarations) {
  auto bad = [](std::uint64_t offset) { return ImageError{ImageFault::badLibraryText, offset, {}}; };
  if (text.substr(0, kVersionLead.size()) != kVersionLead) return bad(0);
  std::size_t position = kVersionLead.size();
  std::uint64_t version = 0;
  std::size_t digitsStart = position;
  while (position < text.size() && text[position] >= '0' && text[position] <= '9' && version <= 9999) {
    version = version * 10 + static_cast<unsigned>(text[position] - '0');
    ++position;
  }
  if (position == digitsStart || text.substr(position, 4) != "\r\n\r\n") return bad(position);
  languageVersion = static_cast<std::uint32_t>(version);
  position += 4;

  std::string_view keyword = headerKeyword(section);
  while (position < text.size()) {
    std::size_t separator = text.find("\r\n\r\n", position);
    std::size_t end = separator == std::string_view::npos ? text.size() : separator + 2;
    std::string_view block = text.substr(position, end - position);
    std::size_t comma = block.find(',');
    if (block.substr(0, keyword.size()) != keyword || block.size() < 2 || block.substr(block.size() - 2) != "\r\n" ||
        comma == std::string_view::npos || comma <= keyword.size() || block.find("\r\n") < comma) {
      return bad(position);
    }
    declarations.push_back({std::string(block.substr(keyword.size(), comma - keyword.size())), std::string(block)});
    if (separator == std::string_view::npos) break;
    position = separator + 4;
    if (position == text.size()) return bad(separator + 2);  // an empty line after the last block
  }
  return {};
}

}  // namespace

// -------------------------------------------------------------------------------------
// [SECTION] reader and writer entry points

ImageReading readProgramImage(std::span<const unsigned char> bytes) { return ImageReader(bytes).read(); }

ImageReading readProgramImage(std::string_view bytes) {
  return readProgramImage(std::span(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
}

ImageWriting writeProgramImage(const ProgramImage& image) {
  ImageWriting writing;
  std::string& out = writing.bytes;
  out += kMagic;
  base::appendLittleEndian32(out, kFormatVersion);
  auto written = [&](ImageSection section) { return !isOptional(section) || !image.constants.empty(); };
  std::uint64_t sectionCount = std::count_if(std::begin(kSections), std::end(kSections), written);
  sectionCount += image.laterSections.size();
  if (!fitsU32(sectionCount)) return {{}, {ImageFault::tooLarge, 0, {}}};
  base::appendLittleEndian32(out, static_cast<std::uint32_t>(sectionCount));
  for (ImageSection section : kSections) {
    if (!written(section)) continue;
    std::string body;
    ImageError error;
    switch (section) {
      case ImageSection::program: base::appendLittleEndian32(body, image.languageVersion); break;
      case ImageSection::supportLibraries: error = writeNames(body, image.supportLibraries); break;
      case ImageSection::windows: error = writeNames(body, image.windows); break;
      case ImageSection::programSets: error = writeBlocks(body, section, image.programSets); break;
      case ImageSection::constants: error = writeBlocks(body, section, image.constants); break;
      case ImageSection::dataTypes: error = writeBlocks(body, section, image.dataTypes); break;
      case ImageSection::dllCommands: error = writeBlocks(body, section, image.dllCommands); break;
    }
    if (error.fault == ImageFault::none && !fitsU32(body.size())) error.fault = ImageFault::tooLarge;
    if (error.fault != ImageFault::none) return {{}, std::move(error)};
    base::appendLittleEndian32(out, static_cast<std::uint32_t>(section));
    putBytes(out, body);
  }
  for (const LaterSection& later : image.laterSections) {
    if (isKnown(later.kind)) return {{}, {ImageFault::duplicateSection, 0, {}}};
    base::appendLittleEndian32(out, later.kind);
    if (!putBytes(out, later.content)) return {{}, {ImageFault::tooLarge, 0, {}}};
  }
  return writing;
}

ProgramImage newProgram() {
  ProgramImage program;
  program.supportLibraries.emplace_back(kCoreSupportLibrary);
  program.windows.emplace_back(kStartUpWindow);
  return program;
}

ImageWriting buildLibraryProgramImage(std::string_view dllCommandText, std::string_view dataTypeText) {
  ProgramImage image = newProgram();
  std::uint32_t typeVersion = 0;
  ImageError error =
      splitLibraryText(dllCommandText, ImageSection::dllCommands, image.languageVersion, image.dllCommands);
  if (error.fault == ImageFault::none) {
    error = splitLibraryText(dataTypeText, ImageSection::dataTypes, typeVersion, image.dataTypes);
  }
  if (error.fault == ImageFault::none && typeVersion != image.languageVersion) {
    error = {ImageFault::badLibraryText, 0, {}};  // the two texts must be of one language version
  }
  if (error.fault != ImageFault::none) return {{}, std::move(error)};
  return writeProgramImage(image);
}

ImageWriting addConstantsSection(std::string_view imageBytes, std::span<const std::string_view> constantLines) {
  constexpr std::size_t kCountAt = kMagic.size() + 4;
  std::uint32_t formatVersion = 0;
  std::uint32_t sectionCount = 0;
  base::ByteCursor head(std::span(reinterpret_cast<const unsigned char*>(imageBytes.data()), imageBytes.size()), 0);
  std::span<const unsigned char> magic;
  if (!head.take(kMagic.size(), magic) || !std::equal(magic.begin(), magic.end(), kMagic.begin()) ||
      !head.readU32(formatVersion) || formatVersion != kFormatVersion || !head.readU32(sectionCount) ||
      !fitsU32(std::uint64_t{sectionCount} + 1)) {
    return {{}, {ImageFault::notAnImage, 0, {}}};
  }
  if (constantLines.empty()) return {std::string(imageBytes), {}};
  std::vector<ImageDeclaration> constants;
  constants.reserve(constantLines.size());
  for (std::string_view line : constantLines) {
    std::string_view name = line.substr(0, line.find(',')).substr(std::min(kConstantHeader.size(), line.size()));
    constants.push_back({std::string(name), std::string(line) + "\r\n"});
  }
  std::string body;
  if (ImageError error = writeBlocks(body, ImageSection::constants, constants); error.fault != ImageFault::none) {
    return {{}, std::move(error)};
  }
  ImageWriting writing;
  writing.bytes.reserve(imageBytes.size() + kSectionHeaderSize + body.size());
  writing.bytes += imageBytes.substr(0, kCountAt);
  base::appendLittleEndian32(writing.bytes, sectionCount + 1);
  writing.bytes += imageBytes.substr(kCountAt + 4);
  base::appendLittleEndian32(writing.bytes, static_cast<std::uint32_t>(ImageSection::constants));
  if (!putBytes(writing.bytes, body)) return {{}, {ImageFault::tooLarge, 0, {}}};
  return writing;
}

// -------------------------------------------------------------------------------------
// [SECTION] lookup and messages

const ImageDeclaration* findDeclaration(const ProgramImage& image, DeclarationKind kind, std::string_view name) {
  const auto& declarations = kind == DeclarationKind::dllCommand ? image.dllCommands : image.dataTypes;
  auto found =
      std::lower_bound(declarations.begin(), declarations.end(), name,
                       [](const ImageDeclaration& d, std::string_view n) { return std::string_view(d.name) < n; });
  return found != declarations.end() && found->name == name ? &*found : nullptr;
}

namespace {

const char* faultText(ImageFault fault) {
  switch (fault) {
    case ImageFault::none: return "no error";
    case ImageFault::notAnImage: return "not a program image (no CNWTEPRG at the start)";
    case ImageFault::unsupportedFormat: return "program image of an unknown format version";
    case ImageFault::truncated: return "program image truncated, or a length or count damaged";
    case ImageFault::sectionLengthMismatch: return "section content shorter than its stated length";
    case ImageFault::duplicateSection: return "section given twice";
    case ImageFault::missingSection: return "a required section is missing";
    case ImageFault::emptyName: return "empty name";
    case ImageFault::badName: return "a name holding a comma, NUL, CR or LF";
    case ImageFault::namesOutOfOrder: return "declarations out of name order, or a name given twice";
    case ImageFault::sourceDoesNotMatchName: return "declaration source does not begin with its own header";
    case ImageFault::trailingBytes: return "bytes after the last section";
    case ImageFault::badLibraryText: return "library text not laid out as version line, empty line, blocks";
    case ImageFault::duplicateName: return "a name given twice within its kind";
    case ImageFault::tooLarge: return "a length does not fit 32 bits";
  }
  return "unknown fault";
}

}  // namespace

std::string describe(const ImageError& error) {
  if (error.fault == ImageFault::none) return faultText(error.fault);
  return std::string(faultText(error.fault)) + " at byte " + std::to_string(error.offset);
}

}  // namespace library
