// The window's flows as a user goes through them, the same for every view.
#include "form1_flows.h"

#include <gtest/gtest.h>

#include "table_text.h"

namespace sallowmere::window {
namespace {

using testing::MakeRow;
using testing::MakeTable;
using testing::TempFolder;
using testing::WriteMod;
using Texts = std::vector<std::string>;

constexpr std::string_view kFreeHint = "F3: next free code like this";

class Form1Flows : public ::testing::Test {
 protected:
  // The window started in a mod of these codes, then "Open" pressed.
  void Open(const Texts& armor, const Texts& weapons, const Texts& misc) {
    WriteMod(mod, armor, weapons, misc);
    form->Start(mod.Path());
    form->Click(Control::kCommand1);
  }
  // Text1 emptied, then `text` typed.
  void Retype(std::string_view text) {
    form->ClearText1();
    form->Type(text);
  }
  // Whether `box` ends with `end`: a box that names a table begins with its folder.
  static bool EndsWith(const std::string& box, std::string_view end) {
    return box.size() >= end.size() && box.compare(box.size() - end.size(), end.size(), end) == 0;
  }

  TempFolder mod;
  std::unique_ptr<FormDriver> form = MakeDriver();
};

TEST_F(Form1Flows, OpenShowsTheCodesAndTypingAnswersLetterByLetter) {
  form->Start(mod.Path());
  EXPECT_EQ(form->ShownPanel(), Panel::kFolder);
  EXPECT_EQ(form->Focus(), Control::kDir1);
  Open({"ab", "abcd", "Cap"}, {"zz"}, {"abc", "cap"});
  EXPECT_TRUE(form->TakeBoxes().empty());
  EXPECT_EQ(form->ShownPanel(), Panel::kSearch);
  EXPECT_EQ(form->Focus(), Control::kText1);
  EXPECT_EQ(form->List1Items(), (Texts{"ab", "abc", "abcd", "Cap", "cap", "zz"}));
  EXPECT_EQ(form->Shown(), "ab|ab|ab|Used|Armor.txt");
  EXPECT_EQ(form->Label4(), "word\narmor.txt:2\nNamed nowhere else");

  form->ClickList1(5);
  form->ClearText1();
  const Texts expected = {"zz|-|a|Free|", "ab|ab|ab|Used|Armor.txt", "abc|abc|abc|Used|Misc.txt",
                          "abcd|abcd|abcd|Used|Armor.txt", "abcd|-|abcde|Free|"};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    form->Type(std::string(1, "abcde"[i]));
    EXPECT_EQ(form->Shown(), expected[i]) << i;
  }
  EXPECT_EQ(form->Label4(), kFreeHint);
  Retype("CAP");  // letter case counts
  EXPECT_EQ(form->Shown(), "abcd|-|CAP|Free|");
  Retype("cap");
  EXPECT_EQ(form->Shown(), "cap|cap|cap|Used|Misc.txt");
  EXPECT_EQ(form->Label4(), "word\nmisc.txt:3\nNamed nowhere else");
  form->ClearText1();
  EXPECT_EQ(form->Shown(), "cap|-||Free|");
  EXPECT_EQ(form->Label4(), "");
}

// No table holds a code that begins or ends with a space: the text box answers for the code
// within, and F3 goes on from it.
TEST_F(Form1Flows, SpacesAroundATypedCodeAreNoPartOfIt) {
  Open({"r0c", "r0d"}, {}, {});
  Retype(" r0d ");
  EXPECT_EQ(form->Shown(), "r0d|r0d| r0d |Used|Armor.txt");
  form->PressKey(Command::kNextFree);
  EXPECT_EQ(form->Shown(), "r0d|-|r0e|Free|");
  EXPECT_TRUE(form->TakeBoxes().empty());
}

TEST_F(Form1Flows, ListClicksAndDropDownPicksBringTheOthersAlong) {
  Open({"c1", "c2"}, {"w1"}, {"m1"});
  form->ClickList1(2);
  EXPECT_EQ(form->Shown(), "m1|m1|m1|Used|Misc.txt");
  form->PickCombo1(3);
  EXPECT_EQ(form->Shown(), "w1|w1|w1|Used|Weapon.txt");
  form->PickCombo1(0);
  EXPECT_EQ(form->Shown(), "c1|c1|c1|Used|Armor.txt");
  form->ClickList1(1);
  EXPECT_EQ(form->Shown(), "c2|c2|c2|Used|Armor.txt");
  EXPECT_TRUE(form->TakeBoxes().empty());
}

// After a free code, picking or clicking the entry still selected brings everything back to it.
TEST_F(Form1Flows, RepickingTheSelectedEntryAfterAFreeCode) {
  Open({"a0b", "a1b"}, {"w1"}, {});
  form->Type("x");
  EXPECT_EQ(form->Shown(), "a0b|-|a0bx|Free|");
  form->PickCombo1(0);
  EXPECT_EQ(form->Shown(), "a0b|a0b|a0b|Used|Armor.txt");
  form->ClickList1(2);
  form->Type("z");
  EXPECT_EQ(form->Shown(), "w1|-|w1z|Free|");
  form->ClickList1(2);
  EXPECT_EQ(form->Shown(), "w1|w1|w1|Used|Weapon.txt");
}

// A free code scrolls List1 to where it would stand, with its neighbours, selecting nothing; a
// selected entry is shown where it stands.
TEST_F(Form1Flows, TheListShowsWhereAFreeCodeWouldStand) {
  Texts codes;
  for (int i = 0; i < 300; ++i) codes.push_back("c" + std::to_string(1000 + i));
  Open(codes, {}, {});
  Retype("c1250x");
  EXPECT_EQ(form->Shown(), "c1250|-|c1250x|Free|");
  for (int row : {249, 250, 251, 252}) EXPECT_TRUE(form->InView(row)) << row;
  Retype("c1100");
  EXPECT_EQ(form->Shown(), "c1100|c1100|c1100|Used|Armor.txt");
  EXPECT_TRUE(form->InView(100));
  form->PickCombo1(299);
  EXPECT_TRUE(form->InView(299));
}

TEST_F(Form1Flows, F3AndShiftF3TakeTheFreeCodesLikeTheText) {
  Open({"r0c", "r0d", "r0f"}, {}, {});
  form->PressKey(Command::kNextFree);
  EXPECT_EQ(form->Shown(), "r0c|-|r0e|Free|");
  EXPECT_EQ(form->Label4(), kFreeHint);
  EXPECT_TRUE(form->InView(2));
  form->PressKey(Command::kNextFree);  // the pattern r0? is kept
  EXPECT_EQ(form->Shown(), "r0c|-|r0g|Free|");
  form->PressKey(Command::kPreviousFree);
  form->PressKey(Command::kPreviousFree);
  EXPECT_EQ(form->Shown(), "r0c|-|r0b|Free|");
  form->ChooseOnMenu(Command::kNextFree);
  EXPECT_EQ(form->Shown(), "r0c|-|r0e|Free|");
  Retype("w??");  // a pattern starts from its first match
  form->ChooseOnMenu(Command::kPreviousFree);
  EXPECT_EQ(form->Shown(), "r0c|-|wzz|Free|");
  form->ClearText1();
  form->PressKey(Command::kNextFree);
  EXPECT_EQ(form->Shown(), "r0c|-|000|Free|");
  EXPECT_EQ(form->Focus(), Control::kText1);
  EXPECT_TRUE(form->TakeBoxes().empty());
}

TEST_F(Form1Flows, WhenNoCodeLikeTheTextIsFreeLabel4SaysSo) {
  Texts all;
  for (char c : std::string_view("0123456789abcdefghijklmnopqrstuvwxyz")) all.emplace_back(1, c);
  Open(all, {}, {});
  Retype("k");
  form->PressKey(Command::kNextFree);
  EXPECT_EQ(form->Shown(), "k|k|k|Used|Armor.txt");
  EXPECT_EQ(form->Label4(), "No free code like ?");
  EXPECT_TRUE(form->TakeBoxes().empty());
}

TEST_F(Form1Flows, ThePlacesThatNameACode) {
  WriteMod(mod, {"c1", "c2", "c3", "c4", "c5"}, {}, {});
  mod.Write("drops.txt",
            "item\tcount\nc1\t1\nc2\t1\nc3\t1\nc4\t1\nc5\t1\n\"c1,qty=2\"\t1\nc9\t1\n");
  form->Start(mod.Path());
  form->Click(Control::kCommand1);
  EXPECT_EQ(form->Label4(), "word\narmor.txt:2\nNamed in 2 places (Ctrl+R)");
  form->PressKey(Command::kShowPlaces);
  EXPECT_EQ(form->TakeBoxes(), Texts{"2 places name c1:\ndrops.txt:2, item\ndrops.txt:7, item"});
  Retype("c9");
  EXPECT_EQ(form->Label4(), "Named at drops.txt:8, item (Ctrl+R)\n" + std::string(kFreeHint));
  form->ChooseOnMenu(Command::kShowPlaces);
  EXPECT_EQ(form->TakeBoxes(), Texts{"1 place names c9:\ndrops.txt:8, item"});
  // F3 passes over the named c9, as it passes over a used code.
  Retype("c8");
  form->PressKey(Command::kNextFree);
  EXPECT_EQ(form->Shown(), "c1|-|ca|Free|");
  form->ClearText1();
  form->PressKey(Command::kShowPlaces);
  EXPECT_EQ(form->TakeBoxes(),
            Texts{"Type a code, or pick one, to see every place in the folder's tables that "
                  "names it."});
}

TEST_F(Form1Flows, EveryRepeatedCodeGetsItsBoxInOrder) {
  Open({"a1", "dup", "a1"}, {"dup", "w1"}, {"w1", "dup"});
  EXPECT_EQ(
      form->TakeBoxes(),
      (Texts{"Error Itemcode: a1 is used for 2 items.\narmor.txt:4, first used at armor.txt:2",
             "Error Itemcode: dup is used for 2 items.\nweapons.txt:2, first used at "
             "armor.txt:3",
             "Error Itemcode: w1 is used for 2 items.\nmisc.txt:2, first used at "
             "weapons.txt:3",
             "Error Itemcode: dup is used for 3 items.\nmisc.txt:3, first used at "
             "armor.txt:3"}));
  EXPECT_EQ(form->ShownPanel(), Panel::kSearch);
  EXPECT_EQ(form->List1Items(), (Texts{"a1", "dup", "w1"}));
  EXPECT_EQ(form->Shown(), "a1|a1|a1|Used|Armor.txt");
}

TEST_F(Form1Flows, F5ReadsTheTablesAgainAndAFailedReloadKeepsWhatIsShown) {
  Open({"k1"}, {}, {});
  Retype("k2");
  WriteMod(mod, {"k1", "k2"}, {"k1"}, {});
  form->PressKey(Command::kReload);
  EXPECT_EQ(form->TakeBoxes(),
            Texts{"Error Itemcode: k1 is used for 2 items.\nweapons.txt:2, first used at "
                  "armor.txt:2"});
  EXPECT_EQ(form->Shown(), "k2|k2|k2|Used|Armor.txt");
  mod.Write("weapons.txt", std::string("\xFF\xFEh\0", 4));
  form->PressKey(Command::kReload);
  EXPECT_EQ(form->TakeBoxes(), Texts{"The tables could not be read: weapons.txt, line 1: read "
                                     "error: the file is UTF-16 text; save it as 8-bit text."});
  std::filesystem::remove(mod.Path() / "weapons.txt");
  form->PressKey(Command::kReload);
  const Texts missing = form->TakeBoxes();
  ASSERT_EQ(missing.size(), 1u);
  EXPECT_NE(missing[0].find("weapons.txt was not found"), std::string::npos) << missing[0];
  EXPECT_FALSE(form->Ended());
  EXPECT_EQ(form->ShownPanel(), Panel::kSearch);
  EXPECT_EQ(form->List1Items(), (Texts{"k1", "k2"}));
  EXPECT_EQ(form->Shown(), "k2|k2|k2|Used|Armor.txt");
}

// Coming back reads the tables again when one changed: a box only for a repeat that is new, one
// box for a table that cannot be read, and nothing on the folder panel.
TEST_F(Form1Flows, ComingBackReadsTheTablesAgainWhenOneChanged) {
  Open({"k1"}, {}, {});
  form->ComeBack();
  EXPECT_TRUE(form->TakeBoxes().empty());
  WriteMod(mod, {"k1", "k2"}, {"k1"}, {});
  form->ComeBack();
  EXPECT_EQ(form->TakeBoxes().size(), 1u);
  EXPECT_EQ(form->List1Items(), (Texts{"k1", "k2"}));
  form->ComeBack();
  EXPECT_TRUE(form->TakeBoxes().empty());
  mod.Write("misc.txt", std::string("\xFF\xFEh\0", 4));
  form->ComeBack();
  form->ComeBack();
  EXPECT_EQ(form->TakeBoxes().size(), 1u);
  EXPECT_EQ(form->Shown(), "k1|k1|k1|Used|Armor.txt");
  WriteMod(mod, {"k1", "k2"}, {"k1"}, {"k2"});
  form->ComeBack();
  const Texts repeats = form->TakeBoxes();
  ASSERT_EQ(repeats.size(), 1u);
  EXPECT_NE(repeats[0].find("k2 is used"), std::string::npos) << repeats[0];
  form->PressKey(Command::kReload);  // F5 tells every repeat
  EXPECT_EQ(form->TakeBoxes().size(), 2u);
  EXPECT_EQ(form->Focus(), Control::kText1);
  form->Click(Control::kCommand2);
  WriteMod(mod, {"k1"}, {}, {});
  form->ComeBack();
  EXPECT_TRUE(form->TakeBoxes().empty());
  EXPECT_EQ(form->List1Items(), (Texts{"k1", "k2"}));
}

TEST_F(Form1Flows, ABrokenTableKeepsTheFolderPanel) {
  WriteMod(mod, {"a"}, {"b"}, {"c"});
  mod.Write("weapons.txt", MakeTable({MakeRow(WeaponLayout(), "b"),
                                      MakeRow(WeaponLayout(), "x", {{30, "38999"}})}));
  form->Start(mod.Path());
  form->Click(Control::kCommand1);
  const Texts boxes = form->TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].rfind("The tables could not be read: weapons.txt, line 3: ", 0), 0u)
      << boxes[0];
  EXPECT_EQ(form->ShownPanel(), Panel::kFolder);
  EXPECT_EQ(form->Focus(), Control::kCommand1);  // the keyboard stays where the click left it
  EXPECT_TRUE(form->List1Items().empty());
  EXPECT_FALSE(form->Ended());
  // Mended, it opens.
  WriteMod(mod, {"a"}, {"b"}, {"c"});
  form->Click(Control::kCommand1);
  EXPECT_EQ(form->List1Items(), (Texts{"a", "b", "c"}));
}

TEST_F(Form1Flows, AMissingTableEndsTheProgram) {
  mod.Write("armor.txt", "h\r\nx\r\n");
  mod.Write("misc.txt", "h\r\nx\r\n");
  form->Start(mod.Path());
  form->Click(Control::kCommand1);
  const Texts boxes = form->TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(EndsWith(boxes[0], "weapons.txt was not found")) << boxes[0];
  EXPECT_TRUE(form->Ended());
}

TEST_F(Form1Flows, AnEmptyModOpensWithNoCodes) {
  Open({""}, {}, {""});
  EXPECT_TRUE(form->TakeBoxes().empty());
  EXPECT_EQ(form->ShownPanel(), Panel::kSearch);
  EXPECT_TRUE(form->List1Items().empty());
  EXPECT_EQ(form->Shown(), "-|-|Item code|Free|");
  form->PressKey(Command::kNextFree);
  EXPECT_EQ(form->Shown(), "-|-|Item codf|Free|");
}

// "Open" on the search panel goes back to the folder panel, which keeps the folder and the codes
// until the next "Open"; then the labels answer for the text box against the new codes.
TEST_F(Form1Flows, OpenGoesBackToTheFolderPanel) {
  Open({"a1"}, {"w1"}, {});
  form->Click(Control::kCommand2);
  EXPECT_EQ(form->ShownPanel(), Panel::kFolder);
  EXPECT_EQ(form->Focus(), Control::kDir1);
  form->PressKey(Command::kNextFree);  // the search panel's keys do nothing here
  EXPECT_EQ(form->ShownPanel(), Panel::kFolder);
  WriteMod(mod, {"b1"}, {}, {});
  form->Click(Control::kCommand1);
  EXPECT_EQ(form->List1Items(), Texts{"b1"});
  EXPECT_EQ(form->Shown(), "b1|b1|b1|Used|Armor.txt");
  EXPECT_TRUE(form->TakeBoxes().empty());
  form->Click(Control::kCommand2);
  WriteMod(mod, {""}, {}, {});
  form->Click(Control::kCommand1);
  EXPECT_TRUE(form->List1Items().empty());
  EXPECT_EQ(form->Shown(), "-|-|b1|Free|");
}

}  // namespace
}  // namespace sallowmere::window
