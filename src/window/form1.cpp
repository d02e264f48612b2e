#include "window/form1.h"

#include "index/load_folder.h"
#include "tables/table_file.h"
#include "window/form_layout.h"

namespace sallowmere::window {

Form1::Form1(FormView& view, SideEffects& effects) : view_(view), effects_(effects) {
  search_.text = std::string(DesignOf(Control::kText1).text);
}

void Form1::Start(const std::filesystem::path& start_folder, std::vector<std::string> drives) {
  drives_ = std::move(drives);
  view_.SetDrives(drives_);
  drive_index_ = DriveOf(start_folder, drives_);
  view_.SetDriveIndex(drive_index_);
  OpenFolder(start_folder);
  ShowPanel(Panel::kFolder);
}

void Form1::Drive1_Change(int index) {
  if (index < 0 || index >= static_cast<int>(drives_.size()) || index == drive_index_) return;
  if (OpenFolder(PathFromBytes(drives_[index]))) {
    drive_index_ = index;
  } else {
    // Dir1 stays where it was, and so does the drive it shows.
    view_.SetDriveIndex(drive_index_);
  }
}

void Form1::Dir1_Activate(int index) {
  if (index < 0 || index >= static_cast<int>(dir1_.Entries().size())) return;
  // Activating the folder that is already open means "read this one".
  if (index == dir1_.OpenIndex()) {
    Command1_Click();
    return;
  }
  OpenFolder(dir1_.PathAt(index));
}

bool Form1::OpenFolder(const std::filesystem::path& folder) {
  if (std::optional<std::string> problem = dir1_.Open(folder)) {
    Warn(MessageText().Path(*problem));
    return false;
  }
  view_.SetFolders(dir1_.Entries(), dir1_.OpenIndex());
  return true;
}

void Form1::Command1_Click() {
  codes_ = SortedCodes();
  view_.SetCodeItems(codes_);
  search_.combo_index = search_.list_index = search_.list_place = -1;

  const LoadOutcome outcome = LoadFolder(module1_, BytesFromPath(dir1_.Path()));
  if (const auto* missing = std::get_if<MissingTable>(&outcome)) {
    Warn(MessageText().Path(missing->message));
    effects_.EndProgram();
    return;
  }
  if (const auto* error = std::get_if<LoadError>(&outcome)) {
    Warn(error->UserMessage());
    return;
  }
  const CodeIndex& index = std::get<CodeIndex>(outcome);
  for (const DuplicateReport& repeat : index.Duplicates()) {
    Warn(DuplicateMessage(index, repeat));
  }
  codes_ = SortedCodes(index);
  view_.SetCodeItems(codes_);
  // Selecting the first entry runs the chain; with no entries the labels answer for the text box.
  Show(codes_.Entries().empty() ? LookedUp(search_) : Chosen(search_, 0));
  ShowPanel(Panel::kSearch);
}

void Form1::Command2_Click() { ShowPanel(Panel::kFolder); }

void Form1::Combo1_Click(int index) {
  if (index < 0 || index >= static_cast<int>(codes_.Entries().size())) return;
  search_.combo_index = index;
  Show(Chosen(search_, index));
}

void Form1::List1_Click(int index) {
  if (index < 0 || index >= static_cast<int>(codes_.Entries().size())) return;
  search_.list_index = index;
  Show(Chosen(search_, index));
}

void Form1::Text1_Change(const std::optional<std::string>& code) {
  // A text no code can spell looks up as the empty text, which is never used.
  search_.text = code.value_or(std::string());
  Show(LookedUp(search_));
}

SearchState Form1::LookedUp(SearchState next) const {
  const LookupResult result = codes_.Lookup(next.text);
  if (result.position) return Chosen(next, *result.position);
  next.list_index = -1;  // a selection means "Used"
  next.list_place = result.place;
  next.label1 = result.status;
  next.label2 = result.origin;
  return next;
}

SearchState Form1::Chosen(SearchState next, int position) const {
  const LookupResult result = codes_.At(position);
  next.combo_index = next.list_index = position;
  next.list_place = -1;
  next.text = codes_.Entries()[static_cast<std::size_t>(position)].code;
  next.label1 = result.status;
  next.label2 = result.origin;
  return next;
}

void Form1::Show(const SearchState& next) {
  if (next.combo_index != search_.combo_index) view_.SetComboIndex(next.combo_index);
  if (next.list_index != search_.list_index) view_.SetListIndex(next.list_index);
  if (next.list_place >= 0 && next.list_place != search_.list_place) {
    view_.ScrollList1To(next.list_place);
  }
  if (next.label2 != search_.label2) view_.SetLabel2(next.label2);
  if (next.text != search_.text) view_.SetText1(next.text);
  if (next.label1 != search_.label1) view_.SetLabel1(next.label1);
  search_ = next;
}

void Form1::ShowPanel(Panel panel) {
  panel_ = panel;
  view_.ShowPanel(panel);
}

void Form1::Warn(MessageText text) { effects_.ShowMessage(MessageIcon::kWarning, text); }

}  // namespace sallowmere::window
