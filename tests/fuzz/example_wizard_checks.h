// What the wizard's uses of an examples database must keep, whatever its files hold, once
// they open: the example list, the related examples of names taken from the records, the
// example search, opening one example and saving the ticked ones. Shared, like
// example_database_checks.h, by the libFuzzer target and the native tests; the wizard runs
// on the headless platform without its start-up, with the database in its in-memory files.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/gbk_text.h"
#include "examples/example_database.h"
#include "examples/example_fields.h"
#include "examples/example_lists.h"
#include "examples/example_opening.h"
#include "examples/example_search.h"
#include "library/example_file_name.h"
#include "navigation/chosen_lists.h"
#include "platform/headless/headless_clipboard.h"
#include "platform/headless/headless_files.h"
#include "platform/headless/headless_kernel_objects.h"
#include "platform/headless/headless_ui.h"
#include "tests/fuzz/example_database_checks.h"
#include "window/wizard.h"

namespace examples::fuzzing {

// One wizard serves every input, since making its window costs more than the checks; it
// is cleared after each, so that the next starts without a database, files, list items or
// recorded effects, and nothing of one input stays allocated into the next.
struct BareWizard {
  platform::headless::HeadlessUi ui;
  platform::headless::HeadlessShell shell;
  platform::headless::HeadlessDialogs dialogs;
  platform::headless::HeadlessMessageBoxes messages;
  platform::headless::HeadlessFiles files;
  platform::headless::HeadlessKernelObjects kernel;
  platform::headless::HeadlessClipboard clipboard;
  // The examples need no declarations: each check files its APIs in a catalog of its own.
  const library::Library emptyLibrary{
      library::LibraryTexts("", ""), library::Catalog(), library::ConstantLibrary(""), {}, {}};
  window::Wizard wizard{window::Services{ui, shell, dialogs, messages, files, kernel, clipboard}, emptyLibrary};
  std::unique_ptr<ExampleDatabase> examples;

  static BareWizard& shared() {
    static BareWizard bare;
    return bare;
  }

  void clear() {
    examples.reset();  // releases the held files
    wizard.window.列表框_例程列表.removeAll();
    wizard.window.选择列表框_选用API.removeAll();
    wizard.window.选择列表框_选用例程.removeAll();
    shell = {};
    dialogs = {};
    messages = {};
    files = {};
  }
};

// Where the checks below write; the database files lie outside both folders.
inline const platform::Path kOpenedFolder = u"C:\\opened\\";
inline const platform::Path kSaveFolder = u"C:\\saved";
// Beside the headless shell's program, where the wizard opens it.
inline const platform::Path kWizardDatabase = examplesDatabasePath(platform::headless::HeadlessShell().programFolder());

// The related examples by their definition: for each name in turn, the records whose
// field 2 contains it followed by "/", each record once.
inline std::vector<std::int32_t> relatedByDefinition(ExampleDatabase& database, const std::vector<gbk::Text>& names) {
  std::vector<std::int32_t> related;
  for (const gbk::Text& name : names) {
    for (std::int32_t record = 1; record <= database.recordCount(); ++record) {
      database.goTo(record);
      if (gbk::containsIgnoringAsciiCase(database.fieldText(kRelatedApisField), name + "/") &&
          std::find(related.begin(), related.end(), record) == related.end()) {
        related.push_back(record);
      }
    }
  }
  return related;
}

// The first three names that the records' field 2 lists, each also shortened below the
// four bytes that sift names, and in upper case.
inline std::vector<gbk::Text> namesFromRecords(ExampleDatabase& database) {
  std::vector<gbk::Text> names;
  for (std::int32_t record = 1; record <= std::min(database.recordCount(), 4); ++record) {
    database.goTo(record);
    for (const gbk::Text& name : gbk::split(database.fieldText(kRelatedApisField), "/")) {
      if (name.empty() || names.size() >= 9) continue;
      names.push_back(name);
      names.push_back(name.substr(name.size() - std::min<std::size_t>(name.size(), 3)));
      gbk::Text upper = name;
      for (char& c : upper) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
      names.push_back(upper);
    }
  }
  return names;
}

// A name that an example is listed, offered or written under: safe, and an E program's.
inline bool isSafeExampleName(std::string_view name) {
  return library::hasExampleExtension(name) && library::safeFileName(name) == name;
}

// A file name as the system sees it, of an E program, with no separator, colon, wildcard,
// quote, angle bracket, bar or control character.
inline bool isSafeWrittenName(std::u16string_view name) {
  auto forbidden = [](char16_t c) {
    return c < u' ' || std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos;
  };
  return name.size() >= 2 && name[name.size() - 2] == u'.' && (name.back() == u'e' || name.back() == u'E') &&
         std::none_of(name.begin(), name.end(), forbidden);
}

// The bytes of the files in `folder` (ending in "\"), sorted; nullopt when one has a
// name that no example is written under, such as a temporary file left behind.
inline std::optional<std::vector<std::string>> filesIn(const platform::headless::HeadlessFiles& files,
                                                       const platform::Path& folder) {
  std::vector<std::string> contents;
  for (const auto& [path, bytes] : files.contents) {
    if (!path.units().starts_with(folder.units())) continue;
    if (!isSafeWrittenName(std::u16string_view(path.units()).substr(folder.units().size()))) return std::nullopt;
    contents.push_back(bytes);
  }
  std::sort(contents.begin(), contents.end());
  return contents;
}

// What saving these records must write: the source of each one that reads, sorted.
inline std::vector<std::string> readableSources(ExampleDatabase& database, const std::vector<std::int32_t>& records) {
  std::vector<std::string> sources;
  for (std::int32_t record : records) {
    database.goTo(record);
    if (std::optional<std::string> source = database.fieldBytes(kSourceField)) {
      sources.push_back(*source);
    }
  }
  std::sort(sources.begin(), sources.end());
  return sources;
}

// The example list: the records in order, each under its example file name, the ones
// without a name left out.
inline const char* checkExampleList(ExampleDatabase& database, const platform::ListControl& list) {
  int pos = 0;
  for (std::int32_t record = 1; record <= database.recordCount(); ++record) {
    database.goTo(record);
    std::optional<gbk::Text> name = library::exampleFileName(database.fieldText(kFileNameField));
    if (!name) continue;
    if (list.itemData(pos) != record || list.itemText(pos) != *name) return "an example item is not its record's name";
    if (!isSafeExampleName(*name)) return "an example is listed under an unsafe name or one that is not an E program's";
    ++pos;
  }
  return pos == list.count() ? nullptr : "a list holds an example item of no record";
}

// The first broken property, or nullptr, for a cleared wizard.
inline const char* checkWizardUsesOn(BareWizard& bare, const FilePair& input) {
  window::Wizard& wizard = bare.wizard;
  window::StartupWindow& w = wizard.window;
  bare.files.contents.emplace(kWizardDatabase, input.database);
  bare.files.contents.emplace(auxiliaryFileName(kWizardDatabase), input.auxiliary);
  bool holdsExamples = false;
  {
    ExampleDatabase reader;
    if (reader.open(bare.files, kWizardDatabase) != OpenFault::none) return "the files did not open again";
    const std::vector<FieldDescriptor>& f = reader.fields();
    holdsExamples = f.size() >= 3 && f[0].type == FieldType::text && f[1].type == FieldType::text &&
                    f[2].type == FieldType::byteSet;
  }
  bare.examples = openExamplesDatabase(bare.files, bare.shell.programFolder(), bare.messages);
  if ((bare.examples != nullptr) != holdsExamples) return "the wizard's open disagrees with the fields' types";
  if (!holdsExamples) return bare.messages.shown.size() == 1 ? nullptr : "a refused database was not reported once";
  ExampleDatabase& database = *bare.examples;
  const std::int32_t count = database.recordCount();

  fillExampleList(database, w.列表框_例程列表);
  if (const char* broken = checkExampleList(database, w.列表框_例程列表)) return broken;

  const std::vector<gbk::Text> names = namesFromRecords(database);
  const std::vector<std::int32_t> related = findRelatedExamples(database, names);
  if (related != relatedByDefinition(database, names)) return "the related examples differ from their definition";

  // The example search for a piece of the last listed name (all of it when it is short)
  // finds the records whose listed name holds it, in record order.
  platform::ListBox& listed = w.列表框_例程列表;
  const int last = listed.count() - 1;
  const gbk::Text lastName = listed.itemText(last);
  const gbk::Text searched = lastName.substr(std::min<std::size_t>(lastName.size(), 1), 4);
  std::vector<ExampleHit> hits = findExamples(&database, searched);
  std::size_t hit = 0;
  for (std::int32_t record = 1; record <= count; ++record) {
    database.goTo(record);
    std::optional<gbk::Text> name = library::exampleFileName(database.fieldText(kFileNameField));
    if (!name || !gbk::containsIgnoringAsciiCase(*name, searched)) continue;
    if (hit == hits.size() || hits[hit].recordNumber != record || hits[hit].fileName != *name) {
      return "the example search missed an example or found one twice";
    }
    ++hit;
  }
  if (hit != hits.size()) return "the example search found an example that does not match";

  // Opening the last listed example where the save dialog says; a damaged one is reported
  // instead of offered.
  std::vector<std::int32_t> openedRecord;
  if (last >= 0) openedRecord.push_back(listed.itemData(last));
  bare.dialogs.saveAnswer = kOpenedFolder + u"example.e";
  listed.setCurrentSelection(last);
  openExample(wizard.services, &database, listed);
  std::optional<std::vector<std::string>> written = filesIn(bare.files, kOpenedFolder);
  if (!written || *written != readableSources(database, openedRecord)) {
    return "opening an example wrote other than its readable source";
  }
  const std::vector<platform::Path> offered(written->size(), platform::Path::fromGbk(lastName));
  if (bare.dialogs.saveNamesOffered != offered) {
    return "the save dialog did not offer the example's listed name, or offered a damaged example";
  }
  if (bare.messages.shown.size() != openedRecord.size() - written->size()) return "a damaged example was not reported";
  if (bare.shell.started.size() != written->size()) return "the IDE was not started on exactly the opened example";

  // Saving the first ticked examples related to the names, made chosen APIs.
  gbk::Text catalog;
  for (const gbk::Text& name : names) catalog += name + ",,-\r\n";
  const library::Catalog apis(catalog);
  for (std::size_t entry = 1; entry <= names.size(); ++entry) {
    navigation::addCatalogEntryToChosenApiList(wizard.window, apis, static_cast<std::int32_t>(entry));
  }
  fillRelatedExamplesList(w, apis, &database);
  platform::CheckListBox& chosen = w.选择列表框_选用例程;
  std::vector<std::int32_t> ticked;
  for (int pos = 0; pos < std::min(chosen.count(), 8); ++pos) {
    chosen.setChecked(pos, true);
    ticked.push_back(chosen.itemData(pos));
  }
  bare.dialogs.folderAnswer = kSaveFolder;
  bare.messages.shown.clear();
  bare.shell.started.clear();
  saveChosenExamples(wizard.services, &database, w.选择列表框_选用例程);
  written = filesIn(bare.files, kSaveFolder.asFolder());
  const std::vector<std::string> readable = readableSources(database, ticked);
  if (!written || *written != readable) return "saving the ticked examples wrote other than their readable sources";
  if (bare.messages.shown.size() != (readable.size() < ticked.size() ? 1 : 0)) {
    return "saving did not report the damaged examples once";
  }
  if (bare.shell.started.size() != (written->empty() ? 0 : 1)) return "the IDE was not started once on a saved example";
  return nullptr;
}

// The first broken property, or nullptr; the files must open (checkDatabase says whether).
inline const char* checkWizardUses(const FilePair& input) {
  BareWizard& bare = BareWizard::shared();
  const char* broken = checkWizardUsesOn(bare, input);
  bare.clear();
  return broken;
}

// The reader's checks, then, when the files open, the wizard's.
inline const char* checkDatabaseAndUses(const FilePair& input, bool& opened) {
  const char* broken = checkDatabase(input, opened);
  return broken == nullptr && opened ? checkWizardUses(input) : broken;
}

}  // namespace examples::fuzzing
