// The keywords of the library texts and of program sources, in GBK. Written as byte
// escapes so that every compiler reads them alike, whatever its execution character set.
#pragma once

#include <string_view>

namespace library {

inline constexpr std::string_view kVersionLine = ".\xB0\xE6\xB1\xBE 2";                    // ".版本 2"
inline constexpr std::string_view kVersionLead = ".\xB0\xE6\xB1\xBE ";                     // ".版本 "
inline constexpr std::string_view kProgramSetHeader = ".\xB3\xCC\xD0\xF2\xBC\xAF ";        // ".程序集 "
inline constexpr std::string_view kDllCommandHeader = ".DLL\xC3\xFC\xC1\xEE ";             // ".DLL命令 "
inline constexpr std::string_view kDataTypeHeader = ".\xCA\xFD\xBE\xDD\xC0\xE0\xD0\xCD ";  // ".数据类型 "
// A constant is one line: `.常量 名称, "值", , 备注`.
inline constexpr std::string_view kConstantHeader = ".\xB3\xA3\xC1\xBF ";  // ".常量 "
// Parameter and member lines stand indented by four spaces under their header.
inline constexpr std::string_view kBodyIndent = "    ";
inline constexpr std::string_view kParameterLead = ".\xB2\xCE\xCA\xFD ";  // ".参数 "
inline constexpr std::string_view kMemberLead = ".\xB3\xC9\xD4\xB1 ";     // ".成员 "

}  // namespace library
