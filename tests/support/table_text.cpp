#include "table_text.h"

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
  const TempFolder folder;
  WriteMod(folder, armor_codes, weapon_codes, misc_codes);
  Module1 module;
  module.SetTableFolder(folder.PathText() + "/");
  module.LoadAllTables();
  return CodeIndex::Build(module);
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

}  // namespace sallowmere::testing
