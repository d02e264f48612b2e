#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "index/code_index.h"
#include "tables/record_layout.h"
#include "temp_folder.h"

namespace sallowmere::testing {

// The text a column holds in a row made by MakeRow, unless overridden: a typical value of its
// width that every rule reads without error.
std::string TypicalValue(const ColumnSlot& column);

// A data row (no line end) for `layout`: every column a typical value, the code column `code`,
// and each column in `overrides` its given text.
std::string MakeRow(const RecordLayout& layout, std::string_view code,
                    const std::map<int, std::string>& overrides = {});

// A header line and `rows`, each line followed by `line_end`.
std::string MakeTable(const std::vector<std::string>& rows, std::string_view line_end = "\r\n");

// Rows for `layout` with the given codes, one each.
std::vector<std::string> RowsWithCodes(const RecordLayout& layout,
                                       const std::vector<std::string>& codes);

// Writes armor.txt, weapons.txt and misc.txt into `folder` with one row per given code.
void WriteMod(const TempFolder& folder, const std::vector<std::string>& armor_codes,
              const std::vector<std::string>& weapon_codes,
              const std::vector<std::string>& misc_codes);

// The index of a mod with one row per given code, built from the codes alone: each table under
// its own file name, its rows on the lines from 2 on (after a header row), no item named.
CodeIndex IndexOfMod(const std::vector<std::string>& armor_codes,
                     const std::vector<std::string>& weapon_codes,
                     const std::vector<std::string>& misc_codes);

// Writes the largest tables the format allows into `folder`: 501 data rows per table, every
// column filled with a typical value, CRLF line ends, all 1,503 codes distinct.
void WriteLargestMod(const TempFolder& folder);

// Writes the largest later-layout tables into `folder`: 9,999 data rows per table of 166, 170 and
// 172 columns, the code at columns 18, 3 and 14, values wider than the fixed widths, LF line ends,
// all 29,997 codes distinct.
void WriteLargestLaterMod(const TempFolder& folder);

// Writes tables shaped like the largest real mods into `folder`: 202, 318 and 9,137 data rows of
// 163, 165 and 166 columns, the code at columns 18, 3 and 13 and the item's name at column 0
// (counted from 0), LF line ends, most fields empty or a few characters long, about 3.5 MB in all,
// every code distinct.
void WriteRealShapedMod(const TempFolder& folder);

// Writes a whole folder shaped like the largest real mod's into `folder`: the tables of
// WriteRealShapedMod and 51 more that name their items (a recipe table of about 4 MB, drop lists,
// sets and others), about 9 MB and 3.5 million fields in all, a third of them not empty, some
// forty reference columns. Item codes stand in them bare, quoted and before a comma; a few free
// codes and the placeholder "xxx" too.
void WriteRealShapedFolder(const TempFolder& folder);

}  // namespace sallowmere::testing
