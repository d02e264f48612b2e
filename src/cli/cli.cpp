#include "cli/cli.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "index/free_codes.h"
#include "index/load_folder.h"
#include "index/sorted_codes.h"

namespace sallowmere {
namespace {

constexpr int kOk = 0;
constexpr int kFinding = 1;
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
    "  suggest FOLDER [--count N] [PATTERN]\n"
    "                                   the first N (10) free codes matching PATTERN (\"???\"),\n"
    "                                   where ? is one of a-z 0-9 (exit 1 if none is free)\n"
    "                                   e.g. sallowmere-cli suggest examples/sample-mod w??\n"
    "  --help, --version\n"
    "\n"
    "Exit status: 0 done, 1 a repeated code or no free code, 2 a usage error, a missing table\n"
    "or a table that cannot be read.\n";

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

// Loads `folder` as the window's "Open" does, noting each table read by its header row; on
// failure reports it and returns nullopt.
std::optional<CodeIndex> Load(const std::string& folder, ItemNames names, std::ostream& err) {
  Module1 module;
  module.SetNames(names);
  LoadOutcome outcome = LoadFolder(module, folder);
  if (const auto* missing = std::get_if<MissingTable>(&outcome)) {
    err << missing->message << "\n";
    return std::nullopt;
  }
  if (const auto* error = std::get_if<LoadError>(&outcome)) {
    err << error->what() << "\n";
    return std::nullopt;
  }
  for (const std::string& note : module.ReadingNotes()) err << note << "\n";
  return std::move(std::get<CodeIndex>(outcome));
}

int List(const CodeIndex& index, std::ostream& out) {
  for (const IndexEntry& entry : index.Entries()) {
    out << entry.code << '\t' << entry.origin_tag << '\t' << OriginText(entry.origin_tag) << '\t'
        << index.FileOf(entry) << ':' << entry.line << '\t' << entry.Name() << '\n';
  }
  return kOk;
}

int Check(const CodeIndex& index, std::ostream& out) {
  for (const DuplicateReport& repeat : index.Duplicates()) {
    const IndexEntry& first = index.Entries()[repeat.first_entry];
    out << repeat.file << ':' << repeat.line << ": duplicate code \"" << repeat.code
        << "\" (first used at " << index.FileOf(first) << ':' << first.line << ")\n";
  }
  return index.Duplicates().empty() ? kOk : kFinding;
}

int Lookup(const CodeIndex& index, std::span<const std::string> codes, std::ostream& out) {
  const SortedCodes sorted(index);
  for (const std::string& code : codes) {
    const LookupResult result = sorted.Lookup(code);
    out << code << '\t' << result.status;
    if (result.position) {
      out << '\t' << result.origin << '\t' << sorted.Entries()[*result.position].Name();
    }
    out << '\n';
  }
  return kOk;
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
  return found == 0 ? kFinding : kOk;
}

}  // namespace

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
  if (command != "list" && command != "check" && command != "lookup" && command != "suggest") {
    return UsageError(err, "unknown command \"" + command + "\"");
  }
  if (args.size() < 2 || args[1].empty()) return UsageError(err, command + " needs a FOLDER");
  const std::string& folder = args[1];
  const std::span<const std::string> rest = args.subspan(2);

  SuggestArgs suggest;
  if ((command == "list" || command == "check") && !rest.empty()) {
    return UsageError(err, command + " takes only a FOLDER");
  }
  if (command == "lookup" && rest.empty()) return UsageError(err, "lookup needs a CODE");
  if (command == "lookup") {
    for (const std::string& code : rest) {
      if (const auto problem = CodeProblem(code)) {
        return UsageError(err, "the code " + Quoted(code) + " " + *problem);
      }
    }
  }
  if (command == "suggest") {
    if (const auto problem = ParseSuggest(rest, suggest)) return UsageError(err, *problem);
  }

  // Only a report of repeats goes without the items' names.
  const std::optional<CodeIndex> index =
      Load(folder, command == "check" ? ItemNames::kSkip : ItemNames::kKeep, err);
  if (!index) return kFailure;
  if (command == "list") return List(*index, out);
  if (command == "check") return Check(*index, out);
  if (command == "lookup") return Lookup(*index, rest, out);
  return Suggest(*index, suggest, out);
}

}  // namespace sallowmere
