#pragma once

// The window's behaviour, without a toolkit: the handlers of Form1, the selection chain and the
// load request, over a FormView and the SideEffects seam. Each front end forwards its controls'
// events here.

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "index/code_references.h"
#include "index/free_codes.h"
#include "index/sorted_codes.h"
#include "tables/module1.h"
#include "tables/table_folder.h"
#include "window/commands.h"
#include "window/folder_browser.h"
#include "window/form_view.h"
#include "window/side_effects.h"

namespace sallowmere::window {

// What "Open" says when the folder list holds no folder to open.
inline constexpr std::string_view kChooseAFolder =
    "The folder list shows no folder. Choose a drive, then the folder that holds the tables.";

// What the command that lists the places of a code says when the text box is empty.
inline constexpr std::string_view kTypeACode =
    "Type a code, or pick one, to see every place in the folder's tables that names it.";

// What the search panel shows.
struct SearchState {
  int combo_index = -1;  // Combo1's ListIndex
  int list_index = -1;   // List1's ListIndex
  int list_place = -1;   // where List1 shows a free code would stand; -1 when it selects one
  std::string text;      // the code Text1 spells (empty when it spells none)
  std::string label1;    // "Used", "Free" or empty
  std::string label2;    // the origin text of a used code, else empty
  std::string label4;    // the details: a used code's name and row, the key for a free one
  bool operator==(const SearchState&) const = default;
};

// The window's state and handlers. It owns the loaded tables, the codes in display order and the
// folder browser; it shows them through `view` and `effects`, which must outlive it. An event
// that arrives while a handler runs (a notification a setter raised) is ignored.
class Form1 {
 public:
  Form1(FormView& view, SideEffects& effects);

  // Shows the window as designed: the folder panel, `drives` in Drive1 with the one holding
  // `start_folder` picked, and Dir1 on `start_folder` (the working folder, for a program). A
  // folder that cannot be read leaves Dir1 empty, with a message.
  void Start(const std::filesystem::path& start_folder,
             std::vector<std::string> drives = DriveRoots());

  // The handlers, each named after its control and event. An index is the position the user
  // picked, clicked or activated; the view already shows the user's change.
  void Drive1_Change(int index);
  // Drive1 is about to drop down, or a drive arrived or left: the drives are read again
  // (`drives`), and the one shown stays picked while it is there.
  void Drive1_DropDown(std::vector<std::string> drives = DriveRoots());
  void Dir1_Activate(int index);  // double click or Enter on a line of Dir1
  void Command1_Click();
  void Command2_Click();
  // A pick or click of the entry already selected runs the chain as well, which after a free code
  // brings the text box and labels back to it: a front end forwards every one.
  void Combo1_Click(int index);
  void List1_Click(int index);
  // `code` is what Text1 now holds as table bytes; std::nullopt when it holds a character no
  // table byte shows as. The labels answer for the code without its leading and trailing spaces.
  void Text1_Change(const std::optional<std::string>& code);
  // A command of the search panel, from its key or the text box's menu (see Commands()):
  // - kNextFree, kPreviousFree: Text1 takes the next (previous) free code like its text
  //   (LikePattern) that no place of the folder's tables names, the pattern kept from the first
  //   press until the user types or picks;
  // - kShowPlaces: a box lists the places that name Text1's code;
  // - kReload: reads the open folder's tables again and answers for Text1's text against them;
  //   a reload that fails shows why and keeps everything shown.
  // Ignored on the folder panel.
  void Form1_Command(Command command);
  // The window became the active one: reloads as F5 does when a table of the open folder was
  // written, replaced or removed since it was last read. Only a repeated code that was not
  // repeated before gets its box.
  void Form1_Activate();

  // A folder given on the command line or dropped onto the window (a file stands for the folder
  // that holds it): the folder list moves to it and it is opened as "Open" opens it.
  void Form1_OpenFolder(const std::filesystem::path& folder);

  Panel ShownPanel() const { return panel_; }
  // The control that has the keyboard when the shown panel is shown: its first in tab order.
  Control FirstControlShown() const;
  const FolderBrowser& Dir1() const { return dir1_; }

 private:
  // The state after the chain ran for the entry at `position`: both lists on it, its code in
  // Text1, "Used" and its origin.
  SearchState StateOfEntry(SearchState next, int position) const;
  // The state after Text1's code was looked up: the chain for a used code; for a free one
  // "Free", no origin, and List1 on the place the code would take, selecting nothing.
  SearchState StateOfText(SearchState next) const;
  // Command1_Click and Form1_Reload, without the guard against events that arrive meanwhile.
  void Open();
  // Which repeated codes a reading shows a box for.
  enum class Repeats { kAll, kNew };
  // The tables of a folder, from one listing of it, or why it cannot be listed.
  using TableListing = Result<std::vector<std::string>>;
  // Reads the open folder's `tables` again, then the places that name codes.
  void Reload(Repeats repeats, const TableListing& tables);
  enum class TablesRead { kRead, kMissing, kUnreadable };
  // Reads `tables`, the tables of `folder` (stamping them first), and shows a box for each
  // repeated code (or each not repeated at the last reading), filling both lists with the new
  // codes; on a folder that cannot be listed, a missing table or one that cannot be read, shows
  // why and changes nothing else.
  TablesRead ReadTables(const std::string& folder, const TableListing& tables, Repeats repeats);
  // The one place the window answers an Error: a box saying what it is, and whether the tables
  // were missing (which ends an Open) or could not be read.
  TablesRead Refused(const Error& error);
  // Puts `codes` in both lists, which then select nothing.
  void ShowCodes(SortedCodes codes);
  // Label4 for the entry at `position`: its name, if any, over its row, over how many places name
  // it once the folder's tables were scanned.
  std::string DetailsAt(int position) const;
  // Label4 for the free code `code`: the first place that names it, if any; the key of F3.
  std::string FreeDetails(std::string_view code) const;
  // Draws the search panel as it stands, finds the places that name codes in `table_names`, the
  // open folder's tables, and answers for Text1 again with them.
  void ScanReferences(const std::vector<std::string>& table_names);
  void FindFree(Toward toward);
  void ShowPlaces();
  // Pushes what differs from the shown search state to the view.
  void Show(const SearchState& next);
  void ShowPanel(Panel panel);
  // Opens `folder` in Dir1 and shows it; false, with a message, when it cannot be read.
  bool OpenFolder(const std::filesystem::path& folder);
  void Warn(MessageText text);

  FormView& view_;
  SideEffects& effects_;
  Module1 module1_;
  SortedCodes codes_;
  CodeReferences references_;  // the places of the latest tables, once scanned
  FolderStamp read_stamp_;     // the open folder's tables as they were when last read
  // The repeated codes of the last reading, each with the table of its repeat.
  std::set<std::pair<std::string, std::string>> repeats_;
  // Set while a handler runs. The view's setters may raise the toolkit's notifications for the
  // changes they make, and a box may let an activation through: what arrives then is ignored,
  // so that no setter ever calls back into the behaviour.
  bool busy_ = false;
  // The pattern of F3 and Shift+F3, from the first press until the user types or picks.
  std::optional<std::string> like_pattern_;
  SearchState search_;
  Panel panel_ = Panel::kFolder;
  FolderBrowser dir1_;
  std::vector<std::string> drives_;
  int drive_index_ = -1;  // the drive Dir1 was last moved to
};

}  // namespace sallowmere::window
