#include "index/code_references.h"

#include <utility>

namespace sallowmere {
namespace {

// "1 place" or "N places".
std::string Places(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " place" : " places");
}

// "1 more place" or "N more places".
std::string MorePlaces(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " more place" : " more places");
}

}  // namespace

CodeReferences::CodeReferences(FolderScan scan, std::string table_folder)
    : scanned_(true), table_folder_(std::move(table_folder)), tables_(std::move(scan.tables)) {
  // Table by table, in order, so that each key's first places are the folder's first.
  for (std::vector<KeyPlaces>& of_table : scan.places) {
    for (KeyPlaces& of_key : of_table) {
      NamedKey& named = named_[std::move(of_key.key)];
      named.count += of_key.count;
      for (const Place& place : of_key.first) {
        if (named.first.size() == kShownPlaces) break;
        named.first.push_back(place);
      }
    }
  }
}

const NamedKey* CodeReferences::Of(std::string_view key) const {
  const auto found = named_.find(key);
  return found == named_.end() ? nullptr : &found->second;
}

std::string CodeReferences::LineAndHeader(const Place& place) const {
  const std::string_view header = tables_[place.table].HeaderOf(place.column);
  return ':' + std::to_string(place.line) + ", " +
         (header.empty() ? "column " + std::to_string(place.column) : std::string(header));
}

std::string CodeReferences::PlaceText(const Place& place) const {
  return tables_[place.table].file_name + LineAndHeader(place);
}

std::string CodeReferences::UsedText(std::string_view code, std::string_view key) const {
  if (!scanned_) return {};
  const NamedKey* named = Of(code);
  if (named == nullptr) return "Named nowhere else";
  return "Named in " + Places(named->count) + " (" + std::string(key) + ")";
}

std::string CodeReferences::FreeText(std::string_view code, std::string_view key) const {
  const NamedKey* named = Of(code);
  if (named == nullptr) return {};
  std::string text = "Named at " + PlaceText(named->first.front());
  if (named->count > 1) text += ", and in " + MorePlaces(named->count - 1);
  return text + " (" + std::string(key) + ")";
}

MessageText CodeReferences::PlacesMessage(std::string_view code) const {
  MessageText text;
  // The folder as a command line takes it: a quoted path that ends in "\" would end in a quote.
  const std::string folder =
      table_folder_.size() > 1 ? table_folder_.substr(0, table_folder_.size() - 1) : table_folder_;
  const NamedKey* named = Of(code);
  if (named == nullptr) {
    text.Table("No place in the folder's tables names " + std::string(code) + ".");
  } else {
    text.Table(Places(named->count) + (named->count == 1 ? " names " : " name ") +
               std::string(code) + ":");
    for (const Place& place : named->first) {
      text.Table("\n").Path(tables_[place.table].file_name).Table(LineAndHeader(place));
    }
    if (named->count > named->first.size()) {
      text.Table("\nand " + MorePlaces(named->count - named->first.size()) +
                 ". This command lists them all:\n")
          .Path("sallowmere-cli refs \"" + folder + "\" ")
          .Table(code);
    }
  }
  for (const ScannedTable& table : tables_) {
    if (table.left_out.empty()) continue;
    text.Table("\nNot read, so not searched: ")
        .Path(table.file_name)
        .Table(" (" + table.left_out + ")");
  }
  return text;
}

}  // namespace sallowmere
