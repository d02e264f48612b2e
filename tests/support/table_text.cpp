#include "table_text.h"

#include <algorithm>

namespace sallowmere::testing {

std::string TypicalValue(const ColumnSlot& column) {
  if (column.rule == Rule::kStrict) return "3";
  switch (column.width) {
    case Width::kByte: return "12";
    case Width::kInteger: return "-300";
    case Width::kLong: return "70000";
    case Width::kString: break;
  }
  return "word";
}

std::string MakeRow(const RecordLayout& layout, std::string_view code,
                    const std::map<int, std::string>& overrides) {
  std::string row;
  for (int column = 0; column < layout.ColumnCount(); ++column) {
    if (column > 0) row += '\t';
    if (const auto it = overrides.find(column); it != overrides.end()) {
      row += it->second;
    } else if (column == layout.CodeColumn()) {
      row += code;
    } else {
      row += TypicalValue(layout.Column(column));
    }
  }
  return row;
}

std::string MakeTable(const std::vector<std::string>& rows, std::string_view line_end) {
  std::string text = "header";
  text += line_end;
  for (const std::string& row : rows) {
    text += row;
    text += line_end;
  }
  return text;
}

std::vector<std::string> RowsWithCodes(const RecordLayout& layout,
                                       const std::vector<std::string>& codes) {
  std::vector<std::string> rows;
  for (const std::string& code : codes) rows.push_back(MakeRow(layout, code));
  return rows;
}

void WriteMod(const TempFolder& folder, const std::vector<std::string>& armor_codes,
              const std::vector<std::string>& weapon_codes,
              const std::vector<std::string>& misc_codes) {
  folder.Write("armor.txt", MakeTable(RowsWithCodes(ArmorLayout(), armor_codes)));
  folder.Write("weapons.txt", MakeTable(RowsWithCodes(WeaponLayout(), weapon_codes)));
  folder.Write("misc.txt", MakeTable(RowsWithCodes(MiscLayout(), misc_codes)));
}

CodeIndex IndexOfMod(const std::vector<std::string>& armor_codes,
                     const std::vector<std::string>& weapon_codes,
                     const std::vector<std::string>& misc_codes) {
  const std::vector<std::string>* codes[] = {&armor_codes, &weapon_codes, &misc_codes};
  PerItemTable<TableCodes> tables;
  for (std::size_t table = 0; table < tables.size(); ++table) {
    tables[table].file_name = kItemTables[table].file_name;
    for (std::size_t row = 0; row < codes[table]->size(); ++row) {
      tables[table].rows.push_back({(*codes[table])[row], "", static_cast<int>(row) + 2});
    }
  }
  return CodeIndex::Build(tables, ItemNames::kKeep);
}

void WriteLargestMod(const TempFolder& folder) {
  const auto codes = [](char table) {
    std::vector<std::string> codes;
    for (int row = 0; row < 501; ++row) codes.push_back(table + std::to_string(1000 + row));
    return codes;
  };
  WriteMod(folder, codes('a'), codes('w'), codes('m'));
}

void WriteLargestLaterMod(const TempFolder& folder) {
  const auto write = [&](const char* name, int columns, int code_column, char prefix) {
    const char* const values[] = {"12", "-300", "2644750", "word", ""};
    std::string text;
    for (int column = 0; column < columns; ++column) {
      text += column == code_column ? "code" : "name" + std::to_string(column);
      text += column + 1 < columns ? '\t' : '\n';
    }
    for (int row = 0; row < 9999; ++row) {
      for (int column = 0; column < columns; ++column) {
        text += column == code_column ? prefix + std::to_string(10000 + row)
                                      : values[(row + column) % 5];
        text += column + 1 < columns ? '\t' : '\n';
      }
    }
    folder.Write(name, text);
  };
  write("armor.txt", 166, 18, 'a');
  write("weapons.txt", 170, 3, 'w');
  write("misc.txt", 172, 14, 'm');
}

void WriteRealShapedMod(const TempFolder& folder) {
  const auto write = [&](const char* name, int columns, int rows, int code_column, char prefix) {
    const char* const values[] = {"", "1", "", "25",   "", "3", "word",
                                  "", "0", "", "1200", "", "-5"};
    std::string text;
    for (int column = 0; column < columns; ++column) {
      text += column == code_column ? "code"
              : column == 0         ? "name"
                                    : "field " + std::to_string(column);
      text += column + 1 < columns ? '\t' : '\n';
    }
    for (int row = 0; row < rows; ++row) {
      for (int column = 0; column < columns; ++column) {
        if (column == 0) {
          text += "Item of kind " + std::to_string(row);
        } else if (column == code_column) {
          text += prefix + std::to_string(row);
        } else {
          text += values[(row + column) % std::size(values)];
        }
        text += column + 1 < columns ? '\t' : '\n';
      }
    }
    folder.Write(name, text);
  };
  write("armor.txt", 163, 202, 18, 'a');
  write("weapons.txt", 165, 318, 3, 'w');
  write("misc.txt", 166, 9137, 13, 'm');
}

namespace {

// The item codes WriteRealShapedMod writes: a0 to a201, w0 to w317, m0 to m9136.
std::string RealShapedCode(unsigned pick) {
  pick %= 202 + 318 + 9137;
  if (pick < 202) return "a" + std::to_string(pick);
  if (pick < 202 + 318) return "w" + std::to_string(pick - 202);
  return "m" + std::to_string(pick - 202 - 318);
}

// A table of `rows` rows and `columns` columns in which the columns in `references` name items
// (bare, quoted with a quantity, before a comma, now and then a free code or "xxx") and the others
// hold what real tables hold: mostly nothing, small numbers, a word or two.
std::string NamingTable(int rows, int columns, const std::vector<int>& references, unsigned seed) {
  const char* const values[] = {"", "", "1",    "", "25",  "", "", "3",         "", "word", "", "0",
                                "", "", "1200", "", "mag", "", "", "two words", "", "-5"};
  std::string text;
  for (int column = 0; column < columns; ++column) {
    text += column == 0 ? "name" : "field " + std::to_string(column);
    text += column + 1 < columns ? '\t' : '\n';
  }
  unsigned state = seed * 2654435761u + 1;
  const auto next = [&] { return state = state * 1664525u + 1013904223u; };
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      if (column == 0) {
        text += "Row " + std::to_string(row);
      } else if (std::find(references.begin(), references.end(), column) != references.end()) {
        const unsigned pick = next() >> 8;
        switch (pick % 16) {
          case 0:
          case 1:
          case 2:
          case 3:
          case 4:
          case 5: break;  // empty
          case 6: text += "\"" + RealShapedCode(pick >> 4) + ",qty=3\""; break;
          case 7: text += RealShapedCode(pick >> 4) + ",mag"; break;
          case 8: text += pick % 64 == 8 ? "xxx" : RealShapedCode(pick >> 4); break;
          case 9: text += pick % 128 == 9 ? "m99999" : RealShapedCode(pick >> 4); break;
          default: text += RealShapedCode(pick >> 4);
        }
      } else {
        text +=
            values[(static_cast<unsigned>(row * 7 + column) + (next() >> 28)) % std::size(values)];
      }
      text += column + 1 < columns ? '\t' : '\n';
    }
  }
  return text;
}

}  // namespace

void WriteRealShapedFolder(const TempFolder& folder) {
  WriteRealShapedMod(folder);
  // The recipe table: seven inputs and three outputs among 40 columns.
  folder.Write("recipes.txt", NamingTable(30000, 40, {5, 6, 7, 8, 9, 10, 11, 20, 21, 22}, 1));
  // Drop lists, sets, unique items and 48 tables more: 30 of them name items in one or two columns.
  folder.Write("drops.txt", NamingTable(1000, 60, {3, 5, 7, 9, 11, 13}, 2));
  folder.Write("sets.txt", NamingTable(400, 90, {4}, 3));
  folder.Write("uniques.txt", NamingTable(800, 100, {8, 9}, 4));
  for (int table = 0; table < 48; ++table) {
    std::vector<int> references;
    if (table % 8 < 5) references.push_back(2 + table % 5);
    if (table % 16 == 0) references.push_back(9);
    folder.Write("table" + std::to_string(table) + ".txt",
                 NamingTable(150 + 37 * (table % 7), 40 + table % 30, references,
                             10 + static_cast<unsigned>(table)));
  }
}

}  // namespace sallowmere::testing
