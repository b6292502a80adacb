// What the stand-in IDE does with a wizard's request: the code-6 records name
// declarations (item kind 256 DLL command, 64 data type) that it finds in the payload,
// a program file, and adds to its open program unless the program has them already; the
// payload's constants, which the wizard chose with them, it adds alike.
// Code-5 records and other codes ask nothing of it.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "library/program_image.h"
#include "library/wizard_request.h"

namespace stand_in_ide {

struct ImportReport {
  std::size_t added = 0;
  std::size_t present = 0;  // named, but the program has a declaration of that kind and name
  std::size_t missing = 0;  // named, but not in the payload
  std::string error;        // English; the program is unchanged when there is one
  bool ok() const { return error.empty(); }
};

// All or nothing: a payload that is no program file or a code-6 record of another shape
// adds nothing.
ImportReport importDeclarations(library::ProgramImage& program, const library::WizardRequest& request);

// The text that the IDE leaves for the wizard at the start of "EWIZ1", GBK.
std::string replyText(const ImportReport& report);

// Decodes the block, imports, and replies; a block that does not decode gets an error reply.
std::string answerRequest(library::ProgramImage& program, std::span<const unsigned char> block);

}  // namespace stand_in_ide
