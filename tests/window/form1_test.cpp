#include "window/form1.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "recording_view.h"
#include "table_text.h"
#include "tables/table_file.h"

namespace sallowmere::window {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::WriteMod;

class Form1Test : public ::testing::Test {
 protected:
  // The window started on `folder`, as a program started in it.
  void StartIn(const TempFolder& folder) { form.Start(folder.Path()); }
  // Starts on a fresh mod of these codes and presses "Open".
  void Load(const std::vector<std::string>& armor, const std::vector<std::string>& weapons,
            const std::vector<std::string>& misc) {
    mod = std::make_unique<TempFolder>();
    WriteMod(*mod, armor, weapons, misc);
    StartIn(*mod);
    form.Command1_Click();
  }
  // What the user does: the control changes, then its event reaches the behaviour.
  void Type(const std::string& text) {
    view.text1 = text;
    form.Text1_Change(text);
  }
  void Click(int index) {
    view.list_index = index;
    form.List1_Click(index);
  }
  void Pick(int index) {
    view.combo_index = index;
    form.Combo1_Click(index);
  }

  RecordingView view;
  Form1 form{view, view};
  std::unique_ptr<TempFolder> mod;
};

using Codes = std::vector<std::string>;

TEST_F(Form1Test, StartsOnTheFolderPanelInTheWorkingFolder) {
  TempFolder folder;
  folder.Write("Beta/x", "");
  folder.Write("alpha/x", "");
  folder.Write(".hidden/x", "");
  StartIn(folder);
  EXPECT_EQ(view.panel, Panel::kFolder);
  EXPECT_EQ(view.text1, "Item code");
  EXPECT_TRUE(view.codes.empty());
  ASSERT_GE(view.drive_index, 0);
  EXPECT_EQ(view.folder_index, form.Dir1().OpenIndex());
  ASSERT_EQ(view.folders.size(), static_cast<std::size_t>(view.folder_index) + 3);
  EXPECT_EQ(view.folders[view.folder_index + 1],
            (FolderEntry{"alpha", view.folder_index + 1, false}));
  EXPECT_EQ(view.folders[view.folder_index + 2].name, "Beta");
  EXPECT_TRUE(fs::equivalent(form.Dir1().Path(), folder.Path()));
}

// A change of entry sets the text box once; what the user typed is not set again.
TEST_F(Form1Test, AChangeOfEntrySetsTheTextBoxOnce) {
  Load({"a0b", "a1b"}, {"w1"}, {});
  const int sets = view.text1_sets;
  Click(2);
  EXPECT_EQ(view.Shown(), "w1|w1|w1|Used|Weapon.txt");
  EXPECT_EQ(view.text1_sets, sets + 1);
  Type("a1b");
  EXPECT_EQ(view.text1_sets, sets + 1);
}

TEST_F(Form1Test, CodesKeepEveryByte) {
  Load({"\xE9t\xE9"}, {}, {});
  EXPECT_EQ(view.codes, Codes{"\xE9t\xE9"});
  Type("x");
  Type("\xE9t\xE9");
  EXPECT_EQ(view.label1, "Used");
}

TEST_F(Form1Test, ChoosingADriveMovesTheFolderBrowser) {
  TempFolder first;
  TempFolder second;
  first.Write("sub/keep.txt", "x");
  const std::vector<std::string> drives = {first.PathText(), second.PathText(), "/no/such/drive"};
  form.Start(first.Path() / "sub", drives);
  EXPECT_EQ(view.drives, drives);
  EXPECT_EQ(view.drive_index, 0);

  view.drive_index = 2;
  form.Drive1_Change(2);
  ASSERT_EQ(view.warnings.size(), 1u);
  EXPECT_NE(view.warnings[0].find("cannot be read."), std::string::npos);
  EXPECT_EQ(view.drive_index, 0);
  EXPECT_TRUE(fs::equivalent(form.Dir1().Path(), first.Path() / "sub"));

  view.drive_index = 1;
  form.Drive1_Change(1);
  EXPECT_TRUE(fs::equivalent(form.Dir1().Path(), second.Path()));
  EXPECT_EQ(view.folder_index, form.Dir1().OpenIndex());
  EXPECT_TRUE(view.codes.empty());  // nothing loads until "Open"
  EXPECT_EQ(view.panel, Panel::kFolder);
}

TEST_F(Form1Test, AFolderThatCannotBeOpenedGivesAMessage) {
  TempFolder folder;
  folder.Write("sub/keep.txt", "x");
  StartIn(folder);
  const int sub = form.Dir1().OpenIndex() + 1;
  ASSERT_EQ(view.folders.size(), static_cast<std::size_t>(sub) + 1);
  fs::remove_all(folder.Path() / "sub");
  form.Dir1_Activate(sub);
  EXPECT_EQ(view.warnings,
            Codes{"The folder " + BytesFromPath((folder.Path() / "sub").make_preferred()) +
                  " cannot be read."});
  EXPECT_TRUE(fs::equivalent(form.Dir1().Path(), folder.Path()));
}

TEST_F(Form1Test, ActivatingTheOpenFolderReadsIt) {
  TempFolder folder;
  WriteMod(folder, {"k1"}, {}, {});
  folder.Write("sub/keep.txt", "x");
  StartIn(folder);
  form.Dir1_Activate(form.Dir1().OpenIndex() + 1);  // a folder inside opens it; nothing loads
  EXPECT_TRUE(fs::equivalent(form.Dir1().Path(), folder.Path() / "sub"));
  EXPECT_EQ(view.panel, Panel::kFolder);
  form.Dir1_Activate(form.Dir1().OpenIndex() - 1);  // the folder above
  form.Dir1_Activate(form.Dir1().OpenIndex());
  EXPECT_EQ(view.panel, Panel::kSearch);
  EXPECT_EQ(view.text1, "k1");
}

TEST_F(Form1Test, DetailsNameTheItemAndItsRowOrTheKeyForAFreeCode) {
  Load({"c1"}, {"w1"}, {});
  mod->Write("misc.txt",
             testing::MakeTable({testing::MakeRow(MiscLayout(), "m1", {{0, "Mire Salt"}}),
                                 testing::MakeRow(MiscLayout(), "m2", {{0, ""}})}));
  form.Form1_Command(Command::kReload);
  Type("m1");
  EXPECT_EQ(view.label4, "Mire Salt\nmisc.txt:2\nNamed nowhere else");
  Type("m2");  // an item without a name: its row alone
  EXPECT_EQ(view.label4, "misc.txt:3\nNamed nowhere else");
  Type("m3");
  EXPECT_EQ(view.label4, kNextFreeHint);
  Type("");
  EXPECT_EQ(view.label4, "");
  Click(0);
  EXPECT_EQ(view.label4, "word\narmor.txt:2\nNamed nowhere else");
}

TEST_F(Form1Test, ThePlacesThatNameACode) {
  Load({"c1", "c2", "c3"}, {"c4", "c5"}, {});
  // The panel is drawn with the codes before the other tables are read.
  ASSERT_EQ(view.drawn.size(), 1u);
  EXPECT_EQ(view.drawn[0], "c1|c1|c1|Used|Armor.txt|word\narmor.txt:2");
  mod->Write("drops.txt",
             "item\tcount\nc1\t1\nc2\t1\n\"c3,qty=2\"\t1\nc4\t2\nc5\t1\nc1\t3\nc9\t1\n");
  mod->Write("broken.txt", "\xFF\xFEx");
  form.Form1_Activate();  // a table was added: read again
  EXPECT_EQ(view.label4, "word\narmor.txt:2\nNamed in 2 places (Ctrl+R)");
  form.Form1_Command(Command::kShowPlaces);
  ASSERT_FALSE(view.messages.empty());
  EXPECT_EQ(view.messages.back(),
            "2 places name c1:\ndrops.txt:2, item\ndrops.txt:7, item\n"
            "Not read, so not searched: broken.txt (read error: the file is UTF-16 text; save it "
            "as 8-bit text)");
  // A change to a table of no items is followed too; nothing changed, nothing is read.
  const std::size_t draws = view.drawn.size();
  form.Form1_Activate();
  EXPECT_EQ(view.drawn.size(), draws);
  mod->Write("drops.txt", "item\nc1\nc2\nc3\nc4\nc5\n");
  form.Form1_Activate();
  Type("c9");
  EXPECT_EQ(view.label4, kNextFreeHint);
}

TEST_F(Form1Test, MoreThanABoxShows) {
  Load({"c1", "c2", "c3", "c4", "c5"}, {}, {});
  std::string drops = "item\n";
  for (int row = 0; row < 120; ++row) drops += "c" + std::to_string(row % 5 + 1) + "\n";
  mod->Write("drops.txt", drops);
  form.Form1_Command(Command::kReload);
  form.Form1_Command(Command::kShowPlaces);
  const std::string& box = view.messages.back();
  EXPECT_EQ(box.rfind("24 places name c1:\ndrops.txt:2, item\ndrops.txt:7, item\n", 0), 0u);
  const std::string end =
      "\ndrops.txt:97, item\nand 4 more places. This command lists them all:\n"
      "sallowmere-cli refs \"" +
      mod->PathText() + "\" c1";
  ASSERT_GE(box.size(), end.size());
  EXPECT_EQ(box.substr(box.size() - end.size()), end);
}

TEST_F(Form1Test, OpenWithNoFolderInTheListReadsNothing) {
  TempFolder folder;
  form.Start(folder.Path() / "gone");  // cannot be read: the folder list stays empty
  ASSERT_TRUE(view.folders.empty());
  view.warnings.clear();
  form.Command1_Click();
  EXPECT_EQ(view.messages.back(), kChooseAFolder);
  EXPECT_TRUE(view.warnings.empty());
  EXPECT_EQ(view.ends, 0);
  EXPECT_EQ(view.panel, Panel::kFolder);
}

// A view whose setters raise the toolkit's notifications for what they change, as a real
// control does: each reaches the behaviour, which must ignore it.
class EchoingView : public RecordingView {
 public:
  void SetComboIndex(int index) override {
    RecordingView::SetComboIndex(index);
    form->Combo1_Click(index);
  }
  void SetListIndex(int index) override {
    RecordingView::SetListIndex(index);
    form->List1_Click(index);
  }
  void SetText1(std::string_view code) override {
    RecordingView::SetText1(code);
    form->Text1_Change(std::string(code));
  }
  void SetDriveIndex(int index) override {
    RecordingView::SetDriveIndex(index);
    form->Drive1_Change(index);
  }
  Form1* form = nullptr;
};

TEST(Form1EchoTest, NotificationsASetterRaisesChangeNothing) {
  EchoingView view;
  Form1 form(view, view);
  view.form = &form;
  TempFolder mod;
  WriteMod(mod, {"a1", "w00"}, {"b1"}, {});
  form.Start(mod.Path(), {mod.PathText(), "/"});
  form.Command1_Click();
  EXPECT_EQ(view.Shown(), "a1|a1|a1|Used|Armor.txt");
  view.combo_index = 1;
  form.Combo1_Click(1);
  EXPECT_EQ(view.Shown(), "b1|b1|b1|Used|Weapon.txt");
  // F3 keeps its pattern though the text box raises a change for each code it is given.
  view.text1 = "w??";
  form.Text1_Change("w??");
  form.Form1_Command(Command::kPreviousFree);
  EXPECT_EQ(view.text1, "wzz");
  form.Form1_Command(Command::kNextFree);
  EXPECT_EQ(view.text1, "w01");
  EXPECT_EQ(view.drive_index, 0);
}

TEST_F(Form1Test, AFolderGivenOrDroppedIsOpenedAtOnce) {
  TempFolder elsewhere;
  StartIn(elsewhere);
  mod = std::make_unique<TempFolder>();
  WriteMod(*mod, {"k1"}, {}, {});
  for (const fs::path& given : {mod->Path(), mod->Path() / "armor.txt"}) {
    form.Command2_Click();
    form.Form1_OpenFolder(given);  // a table stands for its folder
    EXPECT_EQ(view.panel, Panel::kSearch) << given;
    EXPECT_TRUE(fs::equivalent(form.Dir1().Path(), mod->Path()));
    EXPECT_EQ(view.codes, (Codes{"k1"}));
  }
  form.Command2_Click();
  form.Form1_OpenFolder(elsewhere.Path() / "gone");
  EXPECT_EQ(view.panel, Panel::kFolder);
  EXPECT_EQ(view.warnings.back(), "The folder " +
                                      BytesFromPath((elsewhere.Path() / "gone").make_preferred()) +
                                      " cannot be read.");
}

TEST_F(Form1Test, OpenOnAFolderThatWentAwayStaysOnTheFolderPanel) {
  auto gone = std::make_unique<TempFolder>();
  WriteMod(*gone, {"k1"}, {}, {});
  StartIn(*gone);
  const std::string name = gone->PathText();
  gone.reset();  // a drive pulled out, a folder removed
  form.Command1_Click();
  EXPECT_EQ(view.panel, Panel::kFolder);
  EXPECT_EQ(view.ends, 0);  // not a missing table
  EXPECT_EQ(view.warnings.back(), "The folder " + name + " cannot be read.");
  form.Start({});  // a start folder with no name left
  EXPECT_EQ(view.warnings.back(), kStartFolderGone);
}

// Closing the box brings the window back, which must not bring the box back: a folder that went
// away while it was open says so once, and is read again once it is back.
TEST_F(Form1Test, ComingBackToAFolderThatWentAwaySaysSoOnce) {
  Load({"k1"}, {}, {});
  const fs::path away = mod->PathText() + "-away";
  fs::rename(mod->Path(), away);
  form.Form1_Activate();
  form.Form1_Activate();
  EXPECT_EQ(view.warnings.size(), 1u);
  EXPECT_EQ(view.codes, Codes{"k1"});
  fs::rename(away, mod->Path());
  WriteMod(*mod, {"k1", "k2"}, {}, {});
  form.Form1_Activate();
  EXPECT_EQ(view.codes, (Codes{"k1", "k2"}));
  EXPECT_EQ(view.warnings.size(), 1u);
}

TEST_F(Form1Test, TheDrivesAreReadAgainAsTheyDropDown) {
  TempFolder folder;
  std::vector<std::string> drives = DriveRoots();
  form.Start(folder.Path(), drives);
  ASSERT_GE(view.drive_index, 0);
  const std::string shown = view.drives[static_cast<std::size_t>(view.drive_index)];
  drives.insert(drives.begin(), BytesFromPath(folder.Path() / "stick"));  // one plugged in
  form.Drive1_DropDown(drives);
  EXPECT_EQ(view.drives, drives);
  EXPECT_EQ(view.drives[static_cast<std::size_t>(view.drive_index)], shown);
  drives.erase(drives.begin());  // and pulled out: the drive shown stays picked
  form.Drive1_DropDown(drives);
  EXPECT_EQ(view.drives, drives);
  EXPECT_EQ(view.drives[static_cast<std::size_t>(view.drive_index)], shown);
  std::erase(drives, shown);  // the drive shown gone: none is picked
  form.Drive1_DropDown(drives);
  EXPECT_EQ(view.drive_index, -1);
}

}  // namespace
}  // namespace sallowmere::window
