#include "window/form1.h"

#include <algorithm>

#include "index/load_folder.h"
#include "tables/ascii.h"
#include "tables/table_file.h"
#include "window/form_layout.h"
#include "window/scoped_flag.h"

namespace sallowmere::window {
namespace {

// The top index that shows `place` in the middle of `rows` rows, with the items around it.
int TopIndexAround(int place, int rows) { return std::max(0, place - rows / 2); }

// The stamp of `folder`'s tables as one listing found them; none when it could not be listed, so
// that a folder still unlistable looks unchanged.
FolderStamp StampOf(const std::string& folder, const Result<std::vector<std::string>>& tables) {
  return tables ? StampTableFolder(folder, *tables) : FolderStamp();
}

}  // namespace

Form1::Form1(FormView& view, SideEffects& effects) : view_(view), effects_(effects) {
  search_.text = std::string(DesignOf(Control::kText1).text);
}

void Form1::Start(const std::filesystem::path& start_folder, std::vector<std::string> drives) {
  if (busy_) return;
  const ScopedFlag busy(busy_);
  drives_ = std::move(drives);
  view_.SetDrives(drives_);
  drive_index_ = DriveOf(start_folder, drives_);
  view_.SetDriveIndex(drive_index_);
  OpenFolder(start_folder);
  ShowPanel(Panel::kFolder);
}

void Form1::Drive1_Change(int index) {
  if (busy_) return;
  const ScopedFlag busy(busy_);
  if (index < 0 || index >= static_cast<int>(drives_.size()) || index == drive_index_) return;
  if (OpenFolder(PathFromBytes(drives_[index]))) {
    drive_index_ = index;
  } else {
    // Dir1 stays where it was, and so does the drive it shows.
    view_.SetDriveIndex(drive_index_);
  }
}

void Form1::Drive1_DropDown(std::vector<std::string> drives) {
  if (busy_) return;
  const ScopedFlag busy(busy_);
  const std::string shown = drive_index_ >= 0 && drive_index_ < static_cast<int>(drives_.size())
                                ? drives_[drive_index_]
                                : std::string();
  if (drives == drives_) return;
  drives_ = std::move(drives);
  const auto at = std::find(drives_.begin(), drives_.end(), shown);
  drive_index_ = at == drives_.end() ? -1 : static_cast<int>(at - drives_.begin());
  view_.SetDrives(drives_);
  view_.SetDriveIndex(drive_index_);
}

void Form1::Form1_OpenFolder(const std::filesystem::path& folder) {
  if (busy_) return;
  const ScopedFlag busy(busy_);
  std::error_code error;
  const bool file = std::filesystem::is_regular_file(folder, error);
  if (!OpenFolder(file ? folder.parent_path() : folder)) return;
  drive_index_ = DriveOf(dir1_.Path(), drives_);
  view_.SetDriveIndex(drive_index_);
  ShowPanel(Panel::kFolder);
  Open();
}

void Form1::Dir1_Activate(int index) {
  if (busy_) return;
  const ScopedFlag busy(busy_);
  if (index < 0 || index >= static_cast<int>(dir1_.Entries().size())) return;
  // Activating the folder that is already open means "read this one".
  if (index == dir1_.OpenIndex()) {
    Open();
    return;
  }
  OpenFolder(dir1_.PathAt(index));
}

bool Form1::OpenFolder(const std::filesystem::path& folder) {
  if (const Result<void> opened = dir1_.Open(folder); !opened) {
    Refused(*opened.Error());
    return false;
  }
  view_.SetFolders(dir1_.Entries(), dir1_.OpenIndex());
  return true;
}

void Form1::Command1_Click() {
  if (busy_) return;
  const ScopedFlag busy(busy_);
  Open();
}

void Form1::Open() {
  // A folder list that could not be read has no folder to open: reading "" would read the root.
  if (dir1_.Entries().empty()) {
    effects_.ShowMessage(MessageIcon::kInformation, MessageText().Table(kChooseAFolder));
    return;
  }
  ShowCodes(SortedCodes());
  like_pattern_.reset();

  const std::string folder = BytesFromPath(dir1_.Path());
  const TableListing tables = ListTableNames(folder);
  switch (ReadTables(folder, tables, Repeats::kAll)) {
    case TablesRead::kMissing: effects_.EndProgram(); return;
    case TablesRead::kUnreadable: return;
    case TablesRead::kRead: break;
  }
  // Selecting the first entry runs the chain; with no entries the labels answer for the text box.
  Show(codes_.Entries().empty() ? StateOfText(search_) : StateOfEntry(search_, 0));
  ShowPanel(Panel::kSearch);
  ScanReferences(*tables);
}

void Form1::ScanReferences(const std::vector<std::string>& table_names) {
  // The codes are there to be seen and picked before the rest of the folder is read.
  view_.DrawNow();
  references_ = CodeReferences(
      ScanFolder(module1_.TableFolder(), table_names, ItemCodes(codes_.Entries()),
                 ItemTableColumns(module1_), std::nullopt, CodeReferences::kShownPlaces),
      module1_.TableFolder());
  Show(StateOfText(search_));
}

void Form1::Command2_Click() {
  if (busy_) return;
  const ScopedFlag busy(busy_);
  ShowPanel(Panel::kFolder);
}

void Form1::Form1_Command(Command command) {
  if (busy_ || panel_ != Panel::kSearch) return;
  const ScopedFlag busy(busy_);
  switch (command) {
    case Command::kNextFree: FindFree(Toward::kNext); return;
    case Command::kPreviousFree: FindFree(Toward::kPrevious); return;
    case Command::kShowPlaces: ShowPlaces(); return;
    case Command::kReload: Reload(Repeats::kAll, ListTableNames(module1_.TableFolder())); return;
  }
}

void Form1::Reload(Repeats repeats, const TableListing& tables) {
  // Unlike Open, a failed reload ends nothing and clears nothing: what was shown stays.
  if (ReadTables(module1_.TableFolder(), tables, repeats) != TablesRead::kRead) return;
  Show(StateOfText(search_));
  ScanReferences(*tables);
}

void Form1::ShowPlaces() {
  if (search_.text.empty()) {
    effects_.ShowMessage(MessageIcon::kInformation, MessageText().Table(kTypeACode));
    return;
  }
  effects_.ShowMessage(MessageIcon::kInformation, references_.PlacesMessage(search_.text));
}

Form1::TablesRead Form1::ReadTables(const std::string& folder, const TableListing& tables,
                                    Repeats repeats) {
  // Stamped before reading: a table written while it is read differs at the next activation. A
  // folder whose drive has gone, or that can no longer be listed, is one that cannot be read:
  // nothing else changes, with why, and coming back says so again only once it changed.
  read_stamp_ = StampOf(folder, tables);
  if (!tables) return Refused(*tables.Error());
  const LoadOutcome outcome = LoadFolder(module1_, folder, *tables);
  if (!outcome) return Refused(*outcome.Error());
  const CodeIndex& index = *outcome;
  std::set<std::pair<std::string, std::string>> repeated;
  for (const DuplicateReport& repeat : index.Duplicates()) {
    std::pair<std::string, std::string> key(repeat.code, repeat.file);
    if (repeats == Repeats::kAll || !repeats_.contains(key)) Warn(DuplicateMessage(index, repeat));
    repeated.insert(std::move(key));
  }
  repeats_ = std::move(repeated);
  ShowCodes(SortedCodes(index));
  // The places of the tables just read are not known until they are scanned.
  references_ = CodeReferences();
  return TablesRead::kRead;
}

void Form1::ShowCodes(SortedCodes codes) {
  codes_ = std::move(codes);
  view_.SetCodeItems(codes_);
  // The lists hold new items and select none.
  search_.combo_index = search_.list_index = search_.list_place = -1;
}

void Form1::Form1_Activate() {
  if (busy_ || panel_ != Panel::kSearch) return;
  const ScopedFlag busy(busy_);
  // The one listing of the folder tells whether a table changed and which tables to read.
  const TableListing tables = ListTableNames(module1_.TableFolder());
  if (StampOf(module1_.TableFolder(), tables) != read_stamp_) Reload(Repeats::kNew, tables);
}

void Form1::Combo1_Click(int index) {
  if (busy_) return;
  const ScopedFlag busy(busy_);
  if (index < 0 || index >= static_cast<int>(codes_.Entries().size())) return;
  like_pattern_.reset();
  search_.combo_index = index;
  Show(StateOfEntry(search_, index));
}

void Form1::List1_Click(int index) {
  if (busy_) return;
  const ScopedFlag busy(busy_);
  if (index < 0 || index >= static_cast<int>(codes_.Entries().size())) return;
  like_pattern_.reset();
  search_.list_index = index;
  Show(StateOfEntry(search_, index));
}

void Form1::Text1_Change(const std::optional<std::string>& code) {
  if (busy_) return;
  const ScopedFlag busy(busy_);
  // A text no code can spell looks up as the empty text, which is never used. No table holds a
  // code that begins or ends with a space, so the text box answers for its code without them.
  search_.text = TrimSpaces(code.value_or(std::string()));
  like_pattern_.reset();
  Show(StateOfText(search_));
}

void Form1::FindFree(Toward toward) {
  if (!like_pattern_) like_pattern_ = LikePattern(search_.text);
  // A text that is itself a pattern (or empty, read as one) starts from the first match.
  std::optional<std::string> from;
  if (!search_.text.empty() && search_.text.find('?') == std::string::npos) from = search_.text;
  // A code that some place names is no free code for a new item: the item would fill that place.
  const LikeAnswer answer =
      FreeCodeLike(codes_, *like_pattern_, from, toward,
                   [this](std::string_view code) { return references_.Names(code); });
  SearchState next = search_;
  if (!answer.code) {
    next.label4 = NoFreeCodeText(answer.pattern);
    Show(next);
    return;
  }
  next.text = *answer.code;
  Show(StateOfText(next));
}

SearchState Form1::StateOfText(SearchState next) const {
  const LookupResult result = codes_.Lookup(next.text);
  if (result.position) return StateOfEntry(next, *result.position);
  next.list_index = -1;  // a selection means "Used"
  next.list_place = result.place;
  next.label1 = result.status;
  next.label2 = result.origin;
  next.label4 = FreeDetails(next.text);
  return next;
}

std::string Form1::FreeDetails(std::string_view code) const {
  if (code.empty()) return {};
  const std::string named = references_.FreeText(code, DesignOf(Command::kShowPlaces).key_text);
  return named.empty() ? std::string(kNextFreeHint) : named + "\n" + std::string(kNextFreeHint);
}

std::string Form1::DetailsAt(int position) const {
  const IndexEntry& entry = codes_.Entries()[static_cast<std::size_t>(position)];
  const std::string details = codes_.ItemText(entry);
  const std::string named =
      references_.UsedText(entry.code, DesignOf(Command::kShowPlaces).key_text);
  return named.empty() ? details : details + "\n" + named;
}

SearchState Form1::StateOfEntry(SearchState next, int position) const {
  const LookupResult result = codes_.At(position);
  next.combo_index = next.list_index = position;
  next.list_place = -1;
  next.text = codes_.Entries()[static_cast<std::size_t>(position)].code;
  next.label1 = result.status;
  next.label2 = result.origin;
  next.label4 = DetailsAt(position);
  return next;
}

void Form1::Show(const SearchState& next) {
  if (next.combo_index != search_.combo_index) view_.SetComboIndex(next.combo_index);
  if (next.list_index != search_.list_index) view_.SetListIndex(next.list_index);
  if (next.list_place >= 0 && next.list_place != search_.list_place) {
    view_.SetList1TopIndex(TopIndexAround(next.list_place, view_.List1Rows()));
  }
  if (next.label2 != search_.label2) view_.SetLabel2(next.label2);
  if (next.text != search_.text) view_.SetText1(next.text);
  if (next.label1 != search_.label1) view_.SetLabel1(next.label1);
  if (next.label4 != search_.label4) view_.SetLabel4(next.label4);
  search_ = next;
}

void Form1::ShowPanel(Panel panel) {
  panel_ = panel;
  view_.ShowPanel(panel);
  view_.FocusOn(FirstControlShown());
}

Control Form1::FirstControlShown() const {
  return FirstInTabOrder(panel_ == Panel::kSearch ? Control::kFrame1 : Control::kFrame2);
}

Form1::TablesRead Form1::Refused(const Error& error) {
  Warn(error.UserMessage());
  return error.Cause() == ErrorCause::kMissingTable ? TablesRead::kMissing
                                                    : TablesRead::kUnreadable;
}

void Form1::Warn(MessageText text) { effects_.ShowMessage(MessageIcon::kWarning, text); }

}  // namespace sallowmere::window
