#include "stand_in_ide/paste.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "base/gbk_codec.h"
#include "library/program_source.h"

namespace stand_in_ide {
namespace {

using library::ImageDeclaration;

PasteReport refuse(std::string why) { return {0, 0, std::move(why)}; }

// LF alone becomes CR LF; a CR alone stays and the parser names its line.
std::string withCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

void merge(std::vector<ImageDeclaration>& ours, std::vector<ImageDeclaration>& theirs, PasteReport& report) {
  std::set<std::string> names;
  for (const ImageDeclaration& declaration : ours) names.insert(declaration.name);
  for (ImageDeclaration& declaration : theirs) {
    if (names.contains(declaration.name)) {
      ++report.kept;
    } else {
      ours.push_back(std::move(declaration));
      ++report.added;
    }
  }
}

template <typename Char>
PasteReport pasteUnits(library::ProgramImage& program, std::span<const unsigned char> block) {
  std::size_t units = std::min(block.size() / sizeof(Char), kLargestPastedText + 1);
  std::basic_string<Char> text(units, Char{});
  std::memcpy(text.data(), block.data(), units * sizeof(Char));  // the block need not be aligned
  return pasteText(program, std::basic_string_view<Char>(text).substr(0, text.find(Char{})));
}

}  // namespace

PasteReport pasteText(library::ProgramImage& program, std::string_view gbkText) {
  if (gbkText.size() > kLargestPastedText) return refuse("粘贴的文本太大（超过 16 MB）");
  library::ProgramSourceParsing parsing = library::parseProgramSource(withCrLf(gbkText));
  if (!parsing.ok()) {
    return refuse("粘贴的文本不是易程序代码，第 " + std::to_string(parsing.error.line) + " 行：" +
                  parsing.error.reason);
  }
  library::ProgramImage& pasted = parsing.program;
  if (!pasted.programSets.empty()) return refuse("粘贴的文本含有程序集，只能粘贴 DLL 命令、数据类型和常量");
  if (pasted.dllCommands.empty() && pasted.dataTypes.empty() && pasted.constants.empty()) {
    return refuse("粘贴的文本中没有 DLL 命令、数据类型或常量");
  }
  PasteReport report;
  merge(program.dllCommands, pasted.dllCommands, report);
  merge(program.dataTypes, pasted.dataTypes, report);
  merge(program.constants, pasted.constants, report);
  return report;
}

PasteReport pasteText(library::ProgramImage& program, std::u16string_view text) {
  if (text.size() > kLargestPastedText) return refuse("粘贴的文本太大（超过 16 MB）");
  std::string gbkText = gbk::fromUtf16(text);
  // The conversion puts '?' for what GBK lacks: only a text that comes back whole is GBK.
  if (gbk::toUtf16(gbkText) != text) return refuse("粘贴的文本含有 GBK 以外的字符");
  return pasteText(program, gbkText);
}

PasteReport pasteBlock(library::ProgramImage& program, ClipboardText text, std::span<const unsigned char> block) {
  return text == ClipboardText::gbk ? pasteUnits<char>(program, block) : pasteUnits<char16_t>(program, block);
}

std::string pasteMessage(const PasteReport& report) {
  if (!report.ok()) return report.refusal + "，程序未改变。";
  std::string text = "已粘贴 " + std::to_string(report.added) + " 个声明";
  if (report.kept > 0) text += "，程序中已有 " + std::to_string(report.kept) + " 个同名的，保留原有的";
  return text;
}

}  // namespace stand_in_ide
