#include "cli/cli.h"

#include "cli/output_stream.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>

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

// What a command takes after its FOLDER, once read and checked.
struct Arguments {
  std::vector<std::string> codes;  // lookup, refs: the codes, without their surrounding spaces
  std::size_t count = 10;          // suggest: how many free codes
  std::string pattern = "???";     // suggest: the codes to choose from
};

// What a command answers from: the folder's tables, read, their index, and the names of every
// table in the folder, from the one listing of it.
struct Tables {
  const Module1& module;
  const CodeIndex& index;
  const std::vector<std::string>& table_names;
};

// One command of sallowmere-cli.
struct Command {
  std::string_view name;
  std::string_view usage;  // what it takes after its name
  std::string_view help;   // what it does, in lines of the usage text
  ItemNames names;         // whether its answers need the items' names
  // Reads the arguments after FOLDER into `parsed`, or gives back the usage error in them.
  Result<void> (*read)(std::string_view name, std::span<const std::string> rest, Arguments& parsed);
  // Answers on `out`, notes on `err`; returns the exit status.
  int (*run)(const Tables& tables, const Arguments& args, std::ostream& out, std::ostream& err);
};

std::span<const Command> Commands();

// The usage text, with a line and its help for each command.
std::string Usage() {
  constexpr std::size_t kHelpColumn = 35;
  std::string usage =
      "Usage: sallowmere-cli COMMAND FOLDER [ARGS]\n"
      "Reads armor.txt, weapons.txt and misc.txt in FOLDER and answers about their item codes.\n"
      "\n"
      "Commands:\n";
  for (const Command& command : Commands()) {
    std::string line = "  " + std::string(command.name) + " " + std::string(command.usage);
    if (line.size() >= kHelpColumn) usage += std::exchange(line, {}) + "\n";
    line.resize(kHelpColumn, ' ');
    for (std::string_view help = command.help;;) {
      const std::size_t end = help.find('\n');
      usage += line + std::string(help.substr(0, end)) + "\n";
      if (end == std::string_view::npos) break;
      help.remove_prefix(end + 1);
      line.assign(kHelpColumn, ' ');
    }
  }
  return usage +
         "  --help, --version\n"
         "\n"
         "Exit status: 0 done, 1 a repeated code, no free code or no place, 2 a usage error, a\n"
         "missing item table or one that cannot be read.\n";
}

int UsageError(std::ostream& err, const Error& error) {
  err << "sallowmere-cli: " << error.Text() << "\n" << Usage();
  return kFailure;
}

// Loads `folder`, whose tables are `table_names`, into `module` as the window's "Open" does,
// noting each table read by its header row; on failure reports it and returns nullopt.
std::optional<CodeIndex> Load(Module1& module, const std::string& folder,
                              const std::vector<std::string>& table_names, ItemNames names,
                              std::ostream& err) {
  module.SetNames(names);
  LoadOutcome outcome = LoadFolder(module, folder, table_names);
  if (const Error* error = outcome.Error()) {
    err << error->Text().Table("\n");
    return std::nullopt;
  }
  for (const std::string& note : module.ReadingNotes()) err << note << "\n";
  return std::move(*outcome);
}

int List(const Tables& tables, const Arguments&, std::ostream& out, std::ostream&) {
  const CodeIndex& index = tables.index;
  for (const IndexEntry& entry : index.Entries()) {
    out << entry.code << '\t' << entry.origin_tag << '\t' << OriginText(entry.origin_tag) << '\t'
        << AsPath{index.FileOf(entry)} << ':' << entry.line << '\t' << entry.Name() << '\n';
  }
  return kOk;
}

int Check(const Tables& tables, const Arguments&, std::ostream& out, std::ostream&) {
  const CodeIndex& index = tables.index;
  for (const DuplicateReport& repeat : index.Duplicates()) {
    const IndexEntry& first = index.Entries()[repeat.first_entry];
    out << AsPath{repeat.file} << ':' << repeat.line << ": duplicate code \"" << repeat.code
        << "\" (first used at " << AsPath{index.FileOf(first)} << ':' << first.line << ")\n";
  }
  return index.Duplicates().empty() ? kOk : kNegativeAnswer;
}

int Lookup(const Tables& tables, const Arguments& args, std::ostream& out, std::ostream&) {
  const SortedCodes sorted(tables.index);
  for (const std::string& code : args.codes) {
    const LookupResult result = sorted.Lookup(code);
    out << code << '\t' << result.status;
    if (result.position) {
      out << '\t' << result.origin << '\t' << sorted.Entries()[*result.position].Name();
    }
    out << '\n';
  }
  return kOk;
}

// Prints every place of the folder's tables that names each code, code by code in the order
// given, each code's places in table, line and column order; a note on `err` for each table left
// out.
int Refs(const Tables& tables, const Arguments& args, std::ostream& out, std::ostream& err) {
  const std::vector<std::string>& codes = args.codes;
  std::vector<std::string> wanted;     // each code once
  std::vector<std::size_t> wanted_of;  // per code given, its place in `wanted`
  for (const std::string& code : codes) {
    const auto found = std::find(wanted.begin(), wanted.end(), code);
    wanted_of.push_back(static_cast<std::size_t>(found - wanted.begin()));
    if (found == wanted.end()) wanted.push_back(code);
  }
  const FolderScan scan =
      ScanFolder(tables.module.TableFolder(), tables.table_names, ItemCodes(tables.index.Entries()),
                 ItemTableColumns(tables.module), wanted);
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

// Prints each free code as it is found, and stops as soon as the output cannot be written (the
// reader closed the pipe, say).
int Suggest(const Tables& tables, const Arguments& args, std::ostream& out, std::ostream&) {
  const std::size_t found =
      ForEachFreeCode(tables.index, args.pattern, args.count, [&](std::string_view code) {
        out << code << '\n';
        return static_cast<bool>(out);
      });
  return found == 0 ? kNegativeAnswer : kOk;
}

// A code or pattern as given: no table holds one that begins or ends with a space, so it is taken
// without them.
std::string CodeArgument(std::string_view given) { return std::string(TrimSpaces(given)); }

Result<void> ReadNothing(std::string_view name, std::span<const std::string> rest, Arguments&) {
  if (!rest.empty()) return Error::Usage(std::string(name) + " takes only a FOLDER");
  return {};
}

// Reads one code or more, each of which `check` lets through.
template <Result<void> (*check)(std::string_view)>
Result<void> ReadCodes(std::string_view name, std::span<const std::string> rest,
                       Arguments& parsed) {
  if (rest.empty()) return Error::Usage(std::string(name) + " needs a CODE");
  for (const std::string& given : rest) {
    if (Result<void> checked = check(given); !checked) return checked;
    parsed.codes.push_back(CodeArgument(given));
  }
  return {};
}

// Reads "[--count N] [PATTERN]" in any order.
Result<void> ReadSuggest(std::string_view, std::span<const std::string> rest, Arguments& parsed) {
  bool have_pattern = false;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == "--count") {
      if (i + 1 == rest.size()) return Error::Usage("--count needs a number");
      const std::string& text = rest[++i];
      std::size_t count = 0;
      const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
      if (error != std::errc() || end != text.data() + text.size() || count == 0) {
        return Error::Usage("--count takes a whole number from 1 up, not \"" + text + "\"");
      }
      parsed.count = count;
    } else if (std::string pattern = CodeArgument(rest[i]); !have_pattern && !pattern.empty()) {
      if (Result<void> checked = CheckPattern(rest[i]); !checked) return checked;
      parsed.pattern = std::move(pattern);
      have_pattern = true;
    } else {
      return Error::Usage("unexpected argument \"" + rest[i] + "\"");
    }
  }
  return {};
}

// The commands, in the order the usage text lists them. A report of repeats and a search for
// places go without the items' names.
constexpr Command kCommands[] = {
    {"list", "FOLDER",
     "every code, one line each:\n"
     "CODE TAB TAG TAB TABLE TAB FILE:LINE TAB NAME\n"
     "e.g. sallowmere-cli list examples/sample-mod",
     ItemNames::kKeep, ReadNothing, List},
    {"check", "FOLDER",
     "codes used by more than one row (exit 1 if any)\n"
     "e.g. sallowmere-cli check examples/duplicates-mod",
     ItemNames::kSkip, ReadNothing, Check},
    {"lookup", "FOLDER CODE...",
     "\"Used\" with its table and the item's name, or\n"
     "\"Free\", for each CODE\n"
     "e.g. sallowmere-cli lookup examples/sample-mod r0c zz9",
     ItemNames::kKeep, ReadCodes<CheckCode>, Lookup},
    {"refs", "FOLDER CODE...",
     "every place in FOLDER's tables (each .txt) that names\n"
     "a CODE, used or free, one line each:\n"
     "CODE TAB FILE:LINE TAB COLUMN TAB HEADER\n"
     "(exit 1 if no place names any)\n"
     "e.g. sallowmere-cli refs examples/later-layout-mod tk05",
     ItemNames::kSkip, ReadCodes<CheckKey>, Refs},
    {"suggest", "FOLDER [--count N] [PATTERN]",
     "the first N (10) free codes matching PATTERN (\"???\"),\n"
     "where ? is one of a-z 0-9 (exit 1 if none is free)\n"
     "e.g. sallowmere-cli suggest examples/sample-mod w??",
     ItemNames::kKeep, ReadSuggest, Suggest},
};

std::span<const Command> Commands() { return kCommands; }

}  // namespace

const std::string_view kStartedFromExplorer =
    "sallowmere-cli answers from a terminal whether a mod's item codes are used or free.\n"
    "Open a terminal in this folder (right-click it, \"Open in Terminal\") and type:  "
    ".\\sallowmere-cli.exe --help\n";

int RunCli(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return UsageError(err, Error::Usage("no command given"));
  const std::string& name = args[0];
  if (name == "--help" || name == "-h") {
    out << Usage();
    return kOk;
  }
  if (name == "--version") {
    out << "sallowmere-cli " << SALLOWMERE_VERSION << "\n";
    return kOk;
  }
  const auto command = std::find_if(kCommands, std::end(kCommands),
                                    [&](const Command& each) { return each.name == name; });
  if (command == std::end(kCommands)) {
    return UsageError(err, Error::Usage("unknown command \"" + name + "\""));
  }
  if (args.size() < 2 || args[1].empty()) {
    return UsageError(err, Error::Usage(name + " needs a FOLDER"));
  }
  Arguments parsed;
  if (const Result<void> read = command->read(name, args.subspan(2), parsed); !read) {
    return UsageError(err, *read.Error());
  }
  // A folder that cannot be listed has no tables, so its armor table is reported missing.
  const std::vector<std::string> table_names = FolderTableNames(args[1]);
  Module1 module;
  const std::optional<CodeIndex> index = Load(module, args[1], table_names, command->names, err);
  if (!index) return kFailure;
  return command->run({module, *index, table_names}, parsed, out, err);
}

}  // namespace sallowmere
