// The window's flows over the Qt window, offscreen: each action as Qt's test events, each
// reading from the widgets.
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <utility>

#include <gtest/gtest.h>

#include "../window/form1_flows.h"
#include "qt/folder_list.h"
#include "qt/form1_window.h"
#include "qt/text_codec.h"

namespace sallowmere::window {
namespace {

std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }

class QtDriver : public FormDriver, private SideEffects {
 public:
  QtDriver() : form_(*this) {}

  void Start(const std::filesystem::path& folder) override {
    form_.Start(folder, {"/"});
    form_.show();
    QApplication::setActiveWindow(&form_);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form_));
    // The search panel is made once the folder panel is drawn.
    EXPECT_TRUE(QTest::qWaitFor([&] { return form_.Text1 != nullptr; }));
  }
  void Click(Control button) override {
    QTest::mouseClick(button == Control::kCommand1 ? form_.Command1 : form_.Command2,
                      Qt::LeftButton);
  }
  void Type(std::string_view text) override {
    QTest::keyClicks(form_.Text1, QString::fromUtf8(text.data(), static_cast<int>(text.size())));
  }
  void ClearText1() override {
    form_.Text1->selectAll();
    QTest::keyClick(form_.Text1, Qt::Key_Delete);
  }
  void ClickList1(int index) override {
    const QModelIndex item = form_.List1->model()->index(index, 0);
    form_.List1->scrollTo(item);
    QTest::mouseClick(form_.List1->viewport(), Qt::LeftButton, {},
                      form_.List1->visualRect(item).center());
  }
  void PickCombo1(int index) override {
    form_.Combo1->showPopup();
    QAbstractItemView* popup = form_.Combo1->view();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(popup->window()));
    const QModelIndex item = popup->model()->index(index, 0);
    popup->scrollTo(item);
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(item).center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !popup->window()->isVisible(); }));
  }
  void PressKey(Command command) override {
    const CommandDesign& design = DesignOf(command);
    Qt::KeyboardModifiers modifiers;
    if (design.modifiers.shift) modifiers |= Qt::ShiftModifier;
    if (design.modifiers.control) modifiers |= Qt::ControlModifier;
    if (design.modifiers.alt) modifiers |= Qt::AltModifier;
    const int first = design.key.kind == Key::Kind::kFunction ? Qt::Key_F1 - 1 : Qt::Key_A;
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus != nullptr ? focus : &form_,
                    static_cast<Qt::Key>(first + design.key.number), modifiers);
  }
  void ChooseOnMenu(Command command) override {
    emit form_.Text1->customContextMenuRequested(QPoint(2, 2));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    const QString text = qt::TableText(DesignOf(command).menu_text);
    for (QAction* action : menu->actions()) {
      if (action->text() == text) menu->setActiveAction(action);
    }
    ASSERT_NE(menu->activeAction(), nullptr) << DesignOf(command).menu_text;
    QTest::keyClick(menu, Qt::Key_Return);
  }
  void ComeBack() override {
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
    QApplication::setActiveWindow(&form_);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form_));
    QCoreApplication::processEvents();  // the reload is queued after the activation
  }

  Panel ShownPanel() override {
    EXPECT_NE(form_.Frame1->isVisible(), form_.Frame2->isVisible());
    return form_.Frame1->isVisible() ? Panel::kSearch : Panel::kFolder;
  }
  std::string Shown() override {
    const QModelIndex list = form_.List1->currentIndex();
    const QString selected = form_.List1->selectionModel()->isSelected(list)
                                 ? list.data().toString()
                                 : QStringLiteral("-");
    const QString combo =
        form_.Combo1->currentIndex() < 0 ? QStringLiteral("-") : form_.Combo1->currentText();
    return Utf8(QStringList{combo, selected, form_.Text1->text(), form_.Label1->text(),
                            form_.Label2->text()}
                    .join('|'));
  }
  std::string Label4() override { return Utf8(form_.Label4->text()); }
  std::vector<std::string> List1Items() override {
    std::vector<std::string> items;
    const QAbstractItemModel* model = form_.List1->model();
    for (int i = 0; i < model->rowCount(); ++i)
      items.push_back(Utf8(model->index(i, 0).data().toString()));
    return items;
  }
  bool InView(int index) override {
    return form_.List1->viewport()->rect().contains(
        form_.List1->visualRect(form_.List1->model()->index(index, 0)));
  }
  std::optional<Control> Focus() override {
    const QWidget* focus = QApplication::focusWidget();
    const std::pair<const QWidget*, Control> controls[] = {
        {form_.Command2, Control::kCommand2}, {form_.Combo1, Control::kCombo1},
        {form_.List1, Control::kList1},       {form_.Text1, Control::kText1},
        {form_.Command1, Control::kCommand1}, {form_.Drive1, Control::kDrive1},
        {form_.Dir1, Control::kDir1}};
    for (const auto& [widget, control] : controls) {
      if (widget == focus) return control;
    }
    return std::nullopt;
  }
  std::vector<std::string> TakeBoxes() override { return std::exchange(boxes_, {}); }
  bool Ended() override { return ended_; }

 private:
  void ShowMessage(MessageIcon, const MessageText& text) override {
    boxes_.push_back(Utf8(qt::ToQString(text)));
  }
  void EndProgram() override { ended_ = true; }

  std::vector<std::string> boxes_;
  bool ended_ = false;
  qt::Form1Window form_;
};

}  // namespace

std::unique_ptr<FormDriver> MakeDriver() { return std::make_unique<QtDriver>(); }

}  // namespace sallowmere::window

// The one application of the program outlives every test's window, and is gone before the
// program ends, so that nothing the font system holds for it is left behind.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
