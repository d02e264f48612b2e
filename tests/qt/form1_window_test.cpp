#include "qt/form1_window.h"

#include <QAccessible>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "qt/folder_list.h"
#include "qt/side_effects.h"
#include "qt/text_codec.h"
#include "table_text.h"

using sallowmere::testing::TempFolder;
using sallowmere::testing::WriteMod;

namespace sallowmere::qt {

// Records the boxes the window would show and the ends it would make, showing nothing.
class RecordingSideEffects : public window::SideEffects {
 public:
  void ShowMessage(window::MessageIcon, const MessageText& text) override {
    messages << ToQString(text);
  }
  void EndProgram() override { ++ends; }
  QStringList messages;
  int ends = 0;
};

// What is Qt's own in the window: its widgets, their signals, keys, focus, accessibility and
// boxes. What the window does is tested without a toolkit.
class Form1WindowTest : public QObject {
  Q_OBJECT

 private:
  struct Window {
    TempFolder folder;
    RecordingSideEffects effects;
    std::unique_ptr<Form1Window> form;
  };
  // A shown window started in a mod folder of these codes (or an empty folder).
  static std::unique_ptr<Window> Started(const std::vector<std::string>& armor = {},
                                         const std::vector<std::string>& weapons = {},
                                         const std::vector<std::string>& misc = {}) {
    auto window = std::make_unique<Window>();
    if (!armor.empty() || !weapons.empty() || !misc.empty()) {
      WriteMod(window->folder, armor, weapons, misc);
    }
    window->form = std::make_unique<Form1Window>(window->effects);
    window->form->Start(window->folder.Path(), {window->folder.PathText(), "/"});
    window->form->show();
    if (!QTest::qWaitForWindowExposed(window->form.get())) return nullptr;
    // The search panel is made once the folder panel is drawn.
    if (!QTest::qWaitFor([&] { return window->form->Text1 != nullptr; })) return nullptr;
    return window;
  }
  // A shown window that has read a mod of 300 codes, c1000 to c1299, with "Open".
  static std::unique_ptr<Window> OpenedOnManyCodes() {
    std::vector<std::string> codes;
    for (int i = 0; i < 300; ++i) codes.push_back("c" + std::to_string(1000 + i));
    auto window = Started(codes);
    if (window != nullptr) QTest::mouseClick(window->form->Command1, Qt::LeftButton);
    return window;
  }
  static QStringList Items(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    return items;
  }
  static QModelIndex Row(const QListView* list, int row) { return list->model()->index(row, 0); }

 private slots:
  void StartsOnTheFolderPanel() {
    auto window = Started();
    QVERIFY(window);
    Form1Window& form = *window->form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Orvendal's Search Sallowmeres"));
    QCOMPARE(form.size(), QSize(280, 313));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(form.windowFlags() & Qt::WindowMinimizeButtonHint));
    // The icon's images are in the program, not only named by it.
    const QList<QSize> icon_sizes = form.windowIcon().availableSizes();
    QVERIFY(icon_sizes.contains(QSize(16, 16)));
    QVERIFY(icon_sizes.contains(QSize(32, 32)));
    QVERIFY(form.Frame2->isVisible());
    QVERIFY(!form.Frame1->isVisible());
    QCOMPARE(form.Text1->text(), QStringLiteral("Item code"));
    QCOMPARE(form.Label3->text(), QStringLiteral("Select the excel folder of your mod."));
    QCOMPARE(form.Command1->text(), QStringLiteral("Open"));
    QCOMPARE(form.Command2->text(), QStringLiteral("Open"));
    QCOMPARE(form.Drive1->currentIndex(), 0);
    QCOMPARE(form.Dir1->currentItem()->text(0),
             QString::fromStdString(window->folder.Path().filename().string()));
    // Both "Open" buttons stand at the same spot of the window.
    QCOMPARE(form.Command1->mapTo(&form, QPoint(0, 0)), QPoint(168, 280));
    QCOMPARE(form.Command2->mapTo(&form, QPoint(0, 0)), QPoint(168, 280));
    QCOMPARE(form.Text1->font().pointSizeF(), 8.25);
    QVERIFY(QFontInfo(form.List1->font()).fixedPitch());
    QCOMPARE(form.Combo1->maxVisibleItems(), 20);
  }

  void KeyboardNeverReachesTheHiddenPanel() {
    auto window = Started();
    QVERIFY(window);
    Form1Window& form = *window->form;
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), form.Dir1);
    QList<QWidget*> visited;
    for (int press = 0; press < 6; ++press) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << QApplication::focusWidget();
    }
    const QList<QWidget*> cycle = {form.Drive1, form.Command1, form.Dir1};
    QCOMPARE(visited, cycle + cycle);
  }

  // Both code lists show the codes with their ItemData and tooltips; a character Windows-1252 has
  // no byte for matches no code; another drive moves the folder list.
  void TheControlsShowWhatTheBehaviourGives() {
    auto window = Started({"a0b", "Cap"}, {"w1"}, {"m1"});
    QVERIFY(window);
    Form1Window& form = *window->form;
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    QCOMPARE(Items(form.Combo1), (QStringList{"a0b", "Cap", "m1", "w1"}));
    QCOMPARE(Row(form.List1, 1).data(Qt::UserRole).toInt(), 1);
    QCOMPARE(form.Combo1->itemData(2).toInt(), 20000);
    QCOMPARE(Row(form.List1, 1).data(Qt::ToolTipRole).toString(),
             QStringLiteral("word\narmor.txt:3"));
    form.Text1->setText(QStringLiteral("Cap\u0100"));
    QCOMPARE(form.Label1->text(), QStringLiteral("Free"));
    QVERIFY(window->effects.messages.isEmpty());

    QTest::mouseClick(form.Command2, Qt::LeftButton);
    form.Drive1->setCurrentIndex(1);
    QCOMPARE(form.Dir1->currentItem()->text(0), QStringLiteral("/"));
    QCOMPARE(form.Combo1->count(), 4);  // nothing loads until "Open"
  }

  // Whatever selects an entry of the list shows it there: the drop-down's End key, a typed code.
  void TheListShowsTheEntryItSelects() {
    auto window = OpenedOnManyCodes();
    QVERIFY(window);
    Form1Window& form = *window->form;
    const auto shown = [&](int row) {
      return form.List1->viewport()->rect().contains(form.List1->visualRect(Row(form.List1, row)));
    };
    QTest::keyClick(form.List1, Qt::Key_Home);
    form.Combo1->setFocus();
    QTest::keyClick(form.Combo1, Qt::Key_End);
    QCOMPARE(form.List1->currentIndex().row(), 299);
    QVERIFY(shown(299));
    const int top = form.List1->indexAt(QPoint(1, 1)).row();
    form.Text1->setText(QStringLiteral("c1297"));  // already in view: the list stays
    QVERIFY(shown(297));
    QCOMPARE(form.List1->indexAt(QPoint(1, 1)).row(), top);
    form.Text1->setText(QStringLiteral("c1100"));
    QVERIFY(shown(100));
  }

  // The drop-down opens as about twenty rows with a scroll bar, not as a column of every code.
  void TheDropDownOpensAsAScrolledList() {
    auto window = OpenedOnManyCodes();
    QVERIFY(window);
    Form1Window& form = *window->form;
    form.Combo1->showPopup();
    QAbstractItemView* popup = form.Combo1->view();
    QVERIFY(QTest::qWaitForWindowExposed(popup->window()));
    const int rows = popup->viewport()->height() / popup->sizeHintForRow(0);
    QVERIFY2(rows >= 15 && rows <= 21, qPrintable(QString::number(rows)));
    QVERIFY(popup->verticalScrollBar()->isVisible());
    form.Combo1->hidePopup();
  }

  void EveryControlHasAnAccessibleName() {
    auto window = Started();
    QVERIFY(window);
    Form1Window& form = *window->form;
    // Found in the window's accessibility tree as a screen reader finds them: by name, and a drop-
    // down list (whose name on Linux is its current text, so the choice is announced) by its
    // description.
    QMap<QString, int> names;
    QMap<QString, int> descriptions;
    QList<QAccessibleInterface*> pending = {QAccessible::queryAccessibleInterface(&form)};
    while (!pending.isEmpty()) {
      QAccessibleInterface* node = pending.takeFirst();
      QVERIFY(node != nullptr);
      ++names[node->text(QAccessible::Name)];
      ++descriptions[node->text(QAccessible::Description)];
      for (int i = 0; i < node->childCount(); ++i) pending << node->child(i);
    }
    for (const char* name : {"Item code", "Code list", "Folder list",
                             "Select the excel folder of your mod.", "Search", "Folder"}) {
      QVERIFY2(names.value(QString::fromUtf8(name)) == 1,
               qPrintable(QStringLiteral("%1: %2").arg(name).arg(names.value(name))));
    }
    QCOMPARE(names.value("Open"), 2);
    for (const QComboBox* combo : {form.Drive1, form.Combo1}) {
      QCOMPARE(descriptions.value(combo->accessibleDescription()), 1);
    }
    QCOMPARE(form.Drive1->accessibleName(), QStringLiteral("Drive"));
    QCOMPARE(form.Combo1->accessibleName(), QStringLiteral("Used codes"));
  }

  // A screen reader reads a label's text, after every change; its role is in the description.
  void LabelsAreReadAsTheyShow() {
    auto window = Started({"k1"});
    QVERIFY(window);
    Form1Window& form = *window->form;
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    const auto read = [](QLabel* label) {
      return QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
    };
    QCOMPARE(read(form.Label1), QStringLiteral("Used"));
    QCOMPARE(read(form.Label2), QStringLiteral("Armor.txt"));
    QCOMPARE(read(form.Label4), QStringLiteral("word\narmor.txt:2\nNamed nowhere else"));
    QCOMPARE(read(form.Label3), QStringLiteral("Select the excel folder of your mod."));
    form.Text1->setText(QStringLiteral("zz"));
    QCOMPARE(read(form.Label1), QStringLiteral("Free"));
    QCOMPARE(read(form.Label2), QString());
    QVERIFY(form.Label1->accessibleDescription().startsWith(QStringLiteral("Status")));
  }

  void EnterPressesOpen() {
    auto window = Started({"k1"});
    QVERIFY(window);
    window->folder.Write("sub/keep.txt", "x");
    Form1Window& form = *window->form;
    form.Start(window->folder.Path(), {"/"});
    // Enter on a folder inside opens it; nothing loads.
    form.Dir1->setFocus();
    form.Dir1->setCurrentItem(form.Dir1->currentItem()->child(0));
    QTest::keyClick(form.Dir1, Qt::Key_Return);
    QCOMPARE(form.Dir1->currentItem()->text(0), QStringLiteral("sub"));
    QVERIFY(form.Frame2->isVisible());
    // Up again, then Enter on the open folder reads it.
    form.Dir1->setCurrentItem(form.Dir1->currentItem()->parent());
    QTest::keyClick(form.Dir1, Qt::Key_Return);
    QTest::keyClick(form.Dir1, Qt::Key_Return);
    QVERIFY(form.Frame1->isVisible());
    QCOMPARE(form.Text1->text(), QStringLiteral("k1"));
    // Enter on the focused buttons.
    form.Command2->setFocus();
    QTest::keyClick(form.Command2, Qt::Key_Return);
    QVERIFY(form.Frame2->isVisible());
    form.Command1->setFocus();
    QTest::keyClick(form.Command1, Qt::Key_Enter);
    QVERIFY(form.Frame1->isVisible());
  }

  // The text box's menu ends with the commands that have menu texts; Label4 wraps its lines.
  void TheTextBoxMenuAndLabel4() {
    auto window = Started({"r0c", "r0d"});
    QVERIFY(window);
    Form1Window& form = *window->form;
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    QVERIFY(form.Label4->wordWrap());
    QTest::keyClick(form.Text1, Qt::Key_F3, Qt::ControlModifier);  // no command's key
    QCOMPARE(form.Text1->text(), QStringLiteral("r0c"));

    QTimer::singleShot(0, [&] {
      QStringList commands;
      if (QWidget* menu = QApplication::activePopupWidget()) {
        for (const QAction* action : menu->actions()) commands << action->text();
        menu->close();
      }
      QVERIFY(commands.size() > 3);
      QCOMPARE(commands.mid(commands.size() - 3),
               (QStringList{"Next free code", "Previous free code", "Every place that names it"}));
    });
    emit form.Text1->customContextMenuRequested(QPoint(2, 2));
    QTest::qWait(50);
  }

  void DesktopBoxesAreModalWithOkOnlyAndTheirIcon() {
    DesktopSideEffects effects;
    QWidget owner;
    effects.SetWindow(&owner);
    for (const auto icon : {window::MessageIcon::kInformation, window::MessageIcon::kWarning}) {
      QString title, text;
      QMessageBox::StandardButtons buttons;
      QMessageBox::Icon shown_icon = QMessageBox::NoIcon;
      bool modal = false;
      QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        title = box->windowTitle();
        text = box->text();
        buttons = box->standardButtons();
        shown_icon = box->icon();
        modal = box->isModal();
        box->accept();
      });
      // Table bytes show one byte per character; paths as the file system names them.
      effects.ShowMessage(icon, {{{TextKind::kPath, "/m\xC3\xA9/"}, {TextKind::kTable, "\xE9"}}});
      QCOMPARE(title, QStringLiteral("Sallowmere"));
      QCOMPARE(text, QStringLiteral("/m\u00E9/\u00E9"));
      QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
      QCOMPARE(shown_icon, icon == window::MessageIcon::kWarning ? QMessageBox::Warning
                                                                 : QMessageBox::Information);
      QVERIFY(modal);
    }
  }

  void EndingTheProgramClosesTheWindowWithStatusZero() {
    DesktopSideEffects effects;
    TempFolder folder;
    Form1Window form(effects);
    effects.SetWindow(&form);
    form.Start(folder.Path(), {"/"});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTimer::singleShot(0, [&] {
      // Answer the missing-table message as a user would, with OK.
      QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
          box->accept();
      });
      form.Command1->click();
    });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!form.isVisible());
  }

  // The core's texts reach the widgets whole: a code's bytes and back, a path as UTF-8.
  void CodesAndPathsRoundTrip() {
    QCOMPARE(CodeBytes(TableText("\xE9t\xE9")), std::optional<std::string>("\xE9t\xE9"));
    QCOMPARE(PathText("/mods/Caf\xC3\xA9"), QStringLiteral("/mods/Caf\u00E9"));
  }
};

}  // namespace sallowmere::qt

QTEST_MAIN(sallowmere::qt::Form1WindowTest)
#include "form1_window_test.moc"
