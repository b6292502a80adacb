// Wizard requests as bytes, for the tests of the stand-in IDE's decoder: the layout that
// the wizard writes into "EWIZ1", built from decoded values so that a decoding can be
// checked against the bytes it came from.
#pragma once

#include <cstdint>
#include <string>

#include "library/wizard_request.h"

namespace request_bytes {

inline std::string u32(std::uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>(value >> (8 * i));
  return bytes;
}

inline std::string argument(const library::ReadArgument& argument) {
  using library::ArgumentType;
  std::string bytes = u32(argument.valueLow) + u32(argument.valueHigh) + u32(static_cast<std::uint32_t>(argument.type));
  if (argument.type == ArgumentType::text) bytes += argument.bytes + '\0';
  if (argument.type == ArgumentType::byteSet) {
    bytes += u32(1) + u32(static_cast<std::uint32_t>(argument.bytes.size())) + argument.bytes;
  }
  return bytes;
}

inline std::string record(const library::CommandRecord& record) {
  std::string bytes = u32(record.code) + u32(static_cast<std::uint32_t>(record.arguments.size()));
  for (const auto& a : record.arguments) bytes += argument(a);
  return bytes;
}

inline std::string request(const library::WizardRequest& request) {
  std::string records;
  for (const auto& r : request.records) records += record(r);
  return u32(request.sendFlag) + u32(static_cast<std::uint32_t>(request.payload.size())) + request.payload +
         u32(static_cast<std::uint32_t>(records.size())) + records;
}

}  // namespace request_bytes
