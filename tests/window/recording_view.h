#pragma once

#include <optional>
#include <string>
#include <vector>

#include "window/form1.h"

namespace sallowmere::window {

// A view that keeps what it is shown, as a toolkit's controls would, and the boxes and ends
// asked for. The user's actions change it first, then reach Form1, as a toolkit's events do.
class RecordingView : public FormView, public SideEffects {
 public:
  void ShowPanel(Panel shown) override { panel = shown; }
  void FocusOn(Control control) override { focus = control; }
  void SetCodeItems(const SortedCodes& sorted) override {
    codes.clear();
    tags.clear();
    for (const IndexEntry& entry : sorted.Entries()) {
      codes.emplace_back(entry.code);
      tags.push_back(entry.origin_tag);
    }
    combo_index = list_index = -1;
    list_top = 0;
  }
  void SetComboIndex(int index) override { combo_index = index; }
  // A list shows the item it selects, scrolling as little as it must.
  void SetListIndex(int index) override {
    list_index = index;
    if (index < 0) return;
    if (index < list_top) list_top = index;
    if (index >= list_top + kList1Rows) list_top = index - kList1Rows + 1;
  }
  void SetList1TopIndex(int top) override { list_top = top; }
  int List1Rows() const override { return codes.empty() ? 0 : kList1Rows; }
  void SetText1(std::string_view code) override {
    text1 = code;
    ++text1_sets;
  }
  void SetLabel1(std::string_view caption) override { label1 = caption; }
  void SetLabel2(std::string_view caption) override { label2 = caption; }
  void SetLabel4(std::string_view caption) override { label4 = caption; }
  void SetDrives(const std::vector<std::string>& roots) override { drives = roots; }
  void SetDriveIndex(int index) override { drive_index = index; }
  void SetFolders(const std::vector<FolderEntry>& entries, int open_index) override {
    folders = entries;
    folder_index = open_index;
  }
  void DrawNow() override { drawn.push_back(Shown() + "|" + label4); }
  void ShowMessage(MessageIcon icon, const MessageText& text) override {
    messages.push_back(text.Bytes());
    if (icon == MessageIcon::kWarning) warnings.push_back(text.Bytes());
  }
  void EndProgram() override { ++ends; }

  // Whether List1's item `index` is in view.
  bool InView(int index) const { return index >= list_top && index < list_top + kList1Rows; }

  // Combo1, List1, Text1, Label1 and Label2 as one line: "combo|list|text|label1|label2", where a
  // list without a selection shows "-".
  std::string Shown() const {
    const auto item = [&](int index) {
      return index >= 0 && index < static_cast<int>(codes.size()) ? codes[index] : "-";
    };
    return item(combo_index) + "|" + item(list_index) + "|" + text1 + "|" + label1 + "|" + label2;
  }

  Panel panel = Panel::kFolder;
  std::vector<std::string> codes;  // Combo1's and List1's items
  std::vector<int> tags;           // their ItemData
  int combo_index = -1;
  int list_index = -1;
  static constexpr int kList1Rows = 16;
  int list_top = 0;  // the item List1 was last scrolled to show first
  std::optional<Control> focus;
  std::string text1 = "Item code";
  int text1_sets = 0;
  std::string label1, label2, label4;
  std::vector<std::string> drives;
  int drive_index = -1;
  std::vector<FolderEntry> folders;
  int folder_index = -1;
  std::vector<std::string> drawn;     // Shown() and Label4 at each DrawNow
  std::vector<std::string> messages;  // every box, warnings included, in order
  std::vector<std::string> warnings;
  int ends = 0;
};

}  // namespace sallowmere::window
