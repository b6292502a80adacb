#include "stand_in_ide/import.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace stand_in_ide {
namespace {

constexpr std::uint32_t kNameDeclaration = 6;

struct Named {
  library::DeclarationKind kind;
  const std::string* name;
};

// A code-6 record: integer kind, text name, integer 2, text "$".
bool readNamed(const library::CommandRecord& record, Named& named) {
  const auto& a = record.arguments;
  if (a.size() != 4 || a[0].type != library::ArgumentType::integer || a[1].type != library::ArgumentType::text ||
      a[2].type != library::ArgumentType::integer || a[3].type != library::ArgumentType::text) {
    return false;
  }
  auto kind = static_cast<library::DeclarationKind>(a[0].valueLow);
  if (kind != library::DeclarationKind::dllCommand && kind != library::DeclarationKind::dataType) return false;
  named = {kind, &a[1].bytes};
  return true;
}

std::vector<library::ImageDeclaration>& listOf(library::ProgramImage& program, library::DeclarationKind kind) {
  return kind == library::DeclarationKind::dllCommand ? program.dllCommands : program.dataTypes;
}

}  // namespace

ImportReport importDeclarations(library::ProgramImage& program, const library::WizardRequest& request) {
  ImportReport report;
  std::vector<Named> wanted;
  for (const library::CommandRecord& record : request.records) {
    if (record.code != kNameDeclaration) continue;
    if (!readNamed(record, wanted.emplace_back())) {
      report.error = "a code-6 record that does not name a DLL command or data type";
      return report;
    }
  }
  library::ImageReading payload = library::readProgramImage(request.payload);
  if (!payload.ok()) {
    report.error = "payload: " + library::describe(payload.error);
    return report;
  }
  for (const Named& named : wanted) {
    const library::ImageDeclaration* found = library::findDeclaration(payload.image, named.kind, *named.name);
    auto& list = listOf(program, named.kind);
    if (!found) {
      ++report.missing;
    } else if (std::any_of(list.begin(), list.end(), [&](const auto& d) { return d.name == found->name; })) {
      ++report.present;
    } else {
      list.push_back(*found);
      ++report.added;
    }
  }
  // The payload carries the constants of the declarations named, and only those.
  for (library::ImageDeclaration& constant : payload.image.constants) {
    auto& list = program.constants;
    if (std::any_of(list.begin(), list.end(), [&](const auto& c) { return c.name == constant.name; })) {
      ++report.present;
    } else {
      list.push_back(std::move(constant));
      ++report.added;
    }
  }
  return report;
}

std::string replyText(const ImportReport& report) {
  if (!report.ok()) return "请求有误：" + report.error;
  std::string text = "已加入 " + std::to_string(report.added) + " 个声明";
  if (report.present > 0) text += "，已有 " + std::to_string(report.present) + " 个";
  if (report.missing > 0) text += "，未找到 " + std::to_string(report.missing) + " 个";
  return text;
}

std::string answerRequest(library::ProgramImage& program, std::span<const unsigned char> block) {
  library::RequestDecoding decoding = library::decodeRequest(block);
  if (!decoding.ok()) return replyText({0, 0, 0, "request: " + decoding.error});
  return replyText(importDeclarations(program, decoding.request));
}

}  // namespace stand_in_ide
