// The window's flows over the recording view: the behaviour alone, with no toolkit.
#include "form1_flows.h"
#include "recording_view.h"

namespace sallowmere::window {
namespace {

class RecordingDriver : public FormDriver {
 public:
  void Start(const std::filesystem::path& folder) override { form_.Start(folder, {"/"}); }
  // A click gives the button the keyboard, as a toolkit's does.
  void Click(Control button) override {
    view_.focus = button;
    if (button == Control::kCommand1) form_.Command1_Click();
    if (button == Control::kCommand2) form_.Command2_Click();
  }
  void Type(std::string_view text) override {
    for (const char c : text) {
      view_.text1 += c;
      form_.Text1_Change(view_.text1);
    }
  }
  void ClearText1() override {
    view_.text1.clear();
    form_.Text1_Change(view_.text1);
  }
  void ClickList1(int index) override {
    view_.SetListIndex(index);
    form_.List1_Click(index);
  }
  void PickCombo1(int index) override {
    view_.combo_index = index;
    form_.Combo1_Click(index);
  }
  void PressKey(Command command) override {
    const CommandDesign& design = DesignOf(command);
    if (const auto run = CommandOfKey(design.key, design.modifiers)) form_.Form1_Command(*run);
  }
  void ChooseOnMenu(Command command) override { form_.Form1_Command(command); }
  void ComeBack() override { form_.Form1_Activate(); }

  Panel ShownPanel() override { return view_.panel; }
  std::string Shown() override { return view_.Shown(); }
  std::string Label4() override { return view_.label4; }
  std::vector<std::string> List1Items() override { return view_.codes; }
  bool InView(int index) override { return view_.InView(index); }
  std::optional<Control> Focus() override { return view_.focus; }
  std::vector<std::string> TakeBoxes() override { return std::exchange(view_.messages, {}); }
  bool Ended() override { return view_.ends > 0; }

 private:
  RecordingView view_;
  Form1 form_{view_, view_};
};

}  // namespace

std::unique_ptr<FormDriver> MakeDriver() { return std::make_unique<RecordingDriver>(); }

}  // namespace sallowmere::window
