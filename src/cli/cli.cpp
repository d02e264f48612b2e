#include "cli/cli.h"

#include "cli/output_stream.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "index/free_codes.h"
#include "index/load_folder.h"
#include "index/reference_scan.h"
#include "index/sorted_codes.h"
#include "tables/ascii.h"

namespace sallowmere {
namespace {

constexpr int kOk = 0;
constexpr int kNegativeAnswer = 1;  // a repeated code, no free code or no place found
constexpr int kFailure = 2;

constexpr std::string_view kUsage =
    "Usage: sallowmere-cli COMMAND FOLDER [ARGS]\n"
    "Reads armor.txt, weapons.txt and misc.txt in FOLDER and answers about their item codes.\n"
    "\n"
    "Commands:\n"
    "  list FOLDER                      every code, one line each:\n"
    "                                   CODE TAB TAG TAB TABLE TAB FILE:LINE TAB NAME\n"
    "                                   e.g. sallowmere-cli list examples/sample-mod\n"
    "  check FOLDER                     codes used by more than one row (exit 1 if any)\n"
    "                                   e.g. sallowmere-cli check examples/duplicates-mod\n"
    "  lookup FOLDER CODE...            \"Used\" with its table and the item's name, or\n"
    "                                   \"Free\", for each CODE\n"
    "                                   e.g. sallowmere-cli lookup examples/sample-mod r0c zz9\n"
    "  refs FOLDER CODE...              every place in FOLDER's tables (each .txt) that names\n"
    "                                   a CODE, used or free, one line each:\n"
    "                                   CODE TAB FILE:LINE TAB COLUMN TAB HEADER\n"
    "                                   (exit 1 if no place names any)\n"
    "                                   e.g. sallowmere-cli refs examples/later-layout-mod tk05\n"
    "  suggest FOLDER [--count N] [PATTERN]\n"
    "                                   the first N (10) free codes matching PATTERN (\"???\"),\n"
    "                                   where ? is one of a-z 0-9 (exit 1 if none is free)\n"
    "                                   e.g. sallowmere-cli suggest examples/sample-mod w??\n"
    "  --help, --version\n"
    "\n"
    "Exit status: 0 done, 1 a repeated code, no free code or no place, 2 a usage error, a\n"
    "missing item table or one that cannot be read.\n";

// `text` in double quotes, with tab, CR and LF written as \t, \r and \n so it stays on one line.
std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '\t') {
      quoted += "\\t";
    } else if (c == '\r') {
      quoted += "\\r";
    } else if (c == '\n') {
      quoted += "\\n";
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

int UsageError(std::ostream& err, std::string_view problem) {
  err << "sallowmere-cli: " << problem << "\n" << kUsage;
  return kFailure;
}

// Loads `folder` into `module` as the window's "Open" does, noting each table read by its header
// row; on failure reports it and returns nullopt.
std::optional<CodeIndex> Load(Module1& module, const std::string& folder, ItemNames names,
                              std::ostream& err) {
  module.SetNames(names);
  LoadOutcome outcome = LoadFolder(module, folder);
  if (const auto* missing = std::get_if<MissingTable>(&outcome)) {
    err << AsPath{missing->message} << "\n";
    return std::nullopt;
  }
  if (const auto* error = std::get_if<LoadError>(&outcome)) {
    // "FILE:LINE: CAUSE: DETAIL": the file's name is a path, the detail may quote a field.
    const std::string_view text = error->what();
    const std::size_t file = text.starts_with(error->File()) ? error->File().size() : 0;
    err << AsPath{text.substr(0, file)} << text.substr(file) << "\n";
    return std::nullopt;
  }
  for (const std::string& note : module.ReadingNotes()) err << note << "\n";
  return std::move(std::get<CodeIndex>(outcome));
}

int List(const CodeIndex& index, std::ostream& out) {
  for (const IndexEntry& entry : index.Entries()) {
    out << entry.code << '\t' << entry.origin_tag << '\t' << OriginText(entry.origin_tag) << '\t'
        << AsPath{index.FileOf(entry)} << ':' << entry.line << '\t' << entry.Name() << '\n';
  }
  return kOk;
}

int Check(const CodeIndex& index, std::ostream& out) {
  for (const DuplicateReport& repeat : index.Duplicates()) {
    const IndexEntry& first = index.Entries()[repeat.first_entry];
    out << AsPath{repeat.file} << ':' << repeat.line << ": duplicate code \"" << repeat.code
        << "\" (first used at " << AsPath{index.FileOf(first)} << ':' << first.line << ")\n";
  }
  return index.Duplicates().empty() ? kOk : kNegativeAnswer;
}

int Lookup(const CodeIndex& index, std::span<const std::string> codes, std::ostream& out) {
  const SortedCodes sorted(index);
  for (const std::string& given : codes) {
    // No table holds a code that begins or ends with a space: the answer is for the code within.
    const std::string_view code = TrimSpaces(given);
    const LookupResult result = sorted.Lookup(code);
    out << code << '\t' << result.status;
    if (result.position) {
      out << '\t' << result.origin << '\t' << sorted.Entries()[*result.position].Name();
    }
    out << '\n';
  }
  return kOk;
}

// Prints every place of `folder`'s tables that names each of `codes`, code by code in the order
// given, each code's places in table, line and column order; a note on `err` for each table left
// out.
int Refs(const Module1& module, const CodeIndex& index, std::span<const std::string> codes,
         std::ostream& out, std::ostream& err) {
  std::vector<std::string> wanted;     // each code once
  std::vector<std::size_t> wanted_of;  // per code given, its place in `wanted`
  for (const std::string& code : codes) {
    const auto found = std::find(wanted.begin(), wanted.end(), code);
    wanted_of.push_back(static_cast<std::size_t>(found - wanted.begin()));
    if (found == wanted.end()) wanted.push_back(code);
  }
  const FolderScan scan = ScanFolder(module.TableFolder(), ItemCodes(index.Entries()),
                                     ItemTableColumns(module), wanted);
  std::unordered_map<std::string_view, std::vector<const Place*>> places;
  for (const std::vector<KeyPlaces>& of_table : scan.places) {
    for (const KeyPlaces& of_key : of_table) {
      std::vector<const Place*>& all = places[of_key.key];
      for (const Place& place : of_key.first) all.push_back(&place);
    }
  }
  for (const ScannedTable& table : scan.tables) {
    if (!table.left_out.empty()) {
      err << AsPath{table.file_name} << ": note: left out of the references: " << table.left_out
          << "\n";
    }
  }
  bool printed = false;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    const auto found = places.find(wanted[wanted_of[i]]);
    if (found == places.end()) continue;
    for (const Place* place : found->second) {
      const ScannedTable& table = scan.tables[place->table];
      out << codes[i] << '\t' << AsPath{table.file_name} << ':' << place->line << '\t'
          << place->column << '\t' << table.HeaderOf(place->column) << '\n';
      printed = true;
    }
  }
  return printed ? kOk : kNegativeAnswer;
}

struct SuggestArgs {
  std::size_t count = 10;
  std::string pattern = "???";
};

// Reads "[--count N] [PATTERN]" in any order; returns an error text or nullopt.
std::optional<std::string> ParseSuggest(std::span<const std::string> args, SuggestArgs& parsed) {
  bool have_pattern = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--count") {
      if (i + 1 == args.size()) return "--count needs a number";
      const std::string& text = args[++i];
      std::size_t count = 0;
      const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
      if (error != std::errc() || end != text.data() + text.size() || count == 0) {
        return "--count takes a whole number from 1 up, not \"" + text + "\"";
      }
      parsed.count = count;
    } else if (!have_pattern && !args[i].empty()) {
      if (const auto problem = PatternProblem(args[i])) {
        return "the pattern " + Quoted(args[i]) + " " + *problem;
      }
      parsed.pattern = args[i];
      have_pattern = true;
    } else {
      return "unexpected argument \"" + args[i] + "\"";
    }
  }
  return std::nullopt;
}

// Prints each free code as it is found, and stops as soon as the output cannot be written (the
// reader closed the pipe, say).
int Suggest(const CodeIndex& index, const SuggestArgs& args, std::ostream& out) {
  const std::size_t found =
      ForEachFreeCode(index, args.pattern, args.count, [&](std::string_view code) {
        out << code << '\n';
        return static_cast<bool>(out);
      });
  return found == 0 ? kNegativeAnswer : kOk;
}

}  // namespace

const std::string_view kStartedFromExplorer =
    "sallowmere-cli answers from a terminal whether a mod's item codes are used or free.\n"
    "Open a terminal in this folder (right-click it, \"Open in Terminal\") and type:  "
    ".\\sallowmere-cli.exe --help\n";

int RunCli(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return UsageError(err, "no command given");
  const std::string& command = args[0];
  if (command == "--help" || command == "-h") {
    out << kUsage;
    return kOk;
  }
  if (command == "--version") {
    out << "sallowmere-cli " << SALLOWMERE_VERSION << "\n";
    return kOk;
  }
  if (command != "list" && command != "check" && command != "lookup" && command != "refs" &&
      command != "suggest") {
    return UsageError(err, "unknown command \"" + command + "\"");
  }
  if (args.size() < 2 || args[1].empty()) return UsageError(err, command + " needs a FOLDER");
  const std::string& folder = args[1];
  const std::span<const std::string> rest = args.subspan(2);

  SuggestArgs suggest;
  if ((command == "list" || command == "check") && !rest.empty()) {
    return UsageError(err, command + " takes only a FOLDER");
  }
  if ((command == "lookup" || command == "refs") && rest.empty()) {
    return UsageError(err, command + " needs a CODE");
  }
  for (const std::string& code : command == "lookup" || command == "refs" ? rest : rest.first(0)) {
    const auto problem = command == "refs" ? KeyProblem(code) : CodeProblem(code);
    if (problem) return UsageError(err, "the code " + Quoted(code) + " " + *problem);
  }
  if (command == "suggest") {
    if (const auto problem = ParseSuggest(rest, suggest)) return UsageError(err, *problem);
  }

  // A report of repeats and a search for places go without the items' names.
  Module1 module;
  const std::optional<CodeIndex> index =
      Load(module, folder,
           command == "check" || command == "refs" ? ItemNames::kSkip : ItemNames::kKeep, err);
  if (!index) return kFailure;
  if (command == "refs") return Refs(module, *index, rest, out, err);
  if (command == "list") return List(*index, out);
  if (command == "check") return Check(*index, out);
  if (command == "lookup") return Lookup(*index, rest, out);
  return Suggest(*index, suggest, out);
}

}  // namespace sallowmere
