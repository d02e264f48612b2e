#include "ui/form1.h"

#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "index/code_index.h"
#include "index/load_folder.h"
#include "recording_side_effects.h"
#include "table_text.h"
#include "ui/folder_list.h"

using sallowmere::testing::TempFolder;
using sallowmere::testing::WriteMod;

namespace sallowmere::ui {

class Form1Test : public QObject {
  Q_OBJECT

 private:
  // A shown window with a recording seam, its folder browser on `folder` when given.
  struct Window {
    std::unique_ptr<TempFolder> folder;  // the mod it read, if any
    RecordingSideEffects effects;
    std::unique_ptr<Form1> form;
  };
  static std::unique_ptr<Window> Open(const TempFolder* folder = nullptr) {
    auto window = std::make_unique<Window>();
    window->form = std::make_unique<Form1>(window->effects);
    window->form->show();
    if (!QTest::qWaitForWindowExposed(window->form.get())) return nullptr;
    if (folder != nullptr)
      window->form->Dir1->SetPath(QString::fromStdString(folder->PathText()), nullptr);
    return window;
  }
  // A shown window that has read a mod of these codes with "Open".
  static std::unique_ptr<Window> Loaded(const std::vector<std::string>& armor,
                                        const std::vector<std::string>& weapons,
                                        const std::vector<std::string>& misc) {
    auto folder = std::make_unique<TempFolder>();
    WriteMod(*folder, armor, weapons, misc);
    auto window = Open(folder.get());
    if (window == nullptr) return nullptr;
    window->folder = std::move(folder);
    window->form->Command1_Click();
    return window;
  }
  static QStringList Items(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    return items;
  }
  static QStringList Items(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
  }
  // What the core says of loading `folder`, when it does not load: the message the window must
  // pass on.
  static QString CoreMessage(const TempFolder& folder) {
    Module1 module;
    const LoadOutcome outcome = LoadFolder(module, folder.PathText());
    if (const auto* missing = std::get_if<MissingTable>(&outcome)) {
      return QString::fromStdString(missing->message);
    }
    const auto* error = std::get_if<LoadError>(&outcome);
    return error != nullptr ? QString::fromStdString(error->UserMessage()) : QString();
  }
  // The three controls and two labels, as one line to compare.
  static QString Shown(const Form1& form) {
    return QStringLiteral("%1|%2|%3|%4|%5")
        .arg(form.Combo1->currentText(),
             form.List1->currentItem() ? form.List1->currentItem()->text() : QStringLiteral("-"),
             form.Text1->text(), form.Label1->text(), form.Label2->text());
  }

 private slots:
  void StartsOnTheFolderPanel() {
    auto window = Open();
    QVERIFY(window);
    Form1& form = *window->form;
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
    QCOMPARE(form.Label1->text(), QString());
    QCOMPARE(form.Label2->text(), QString());
    QCOMPARE(form.Label3->text(), QStringLiteral("Select the excel folder of your mod."));
    QCOMPARE(form.Command1->text(), QStringLiteral("Open"));
    QCOMPARE(form.Command2->text(), QStringLiteral("Open"));
    QCOMPARE(form.Combo1->count(), 0);
    QCOMPARE(form.Dir1->Path(), QDir::currentPath());
    QVERIFY(form.Drive1->currentIndex() >= 0);
    // Both "Open" buttons stand at the same spot of the window.
    QCOMPARE(form.Command1->mapTo(&form, QPoint(0, 0)), QPoint(168, 280));
    QCOMPARE(form.Command2->mapTo(&form, QPoint(0, 0)), QPoint(168, 280));
    QCOMPARE(form.Text1->font().pointSizeF(), 8.25);
    QVERIFY(QFontInfo(form.List1->font()).fixedPitch());
  }

  void KeyboardNeverReachesTheHiddenPanel() {
    auto window = Open();
    QVERIFY(window);
    Form1& form = *window->form;
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

  void OpenShowsTheFirstCodeUsed() {
    TempFolder folder;
    WriteMod(folder, {"hlm", "Cap"}, {"axe", "bow"}, {"key", "cap"});
    auto window = Open(&folder);
    QVERIFY(window);
    Form1& form = *window->form;
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    QVERIFY(window->effects.messages.isEmpty());
    QVERIFY(form.Frame1->isVisible());
    QVERIFY(!form.Frame2->isVisible());
    const QStringList sorted = {"axe", "bow", "Cap", "cap", "hlm", "key"};
    QCOMPARE(Items(form.Combo1), sorted);
    QCOMPARE(Items(form.List1), sorted);
    QCOMPARE(Shown(form), QStringLiteral("axe|axe|axe|Used|Weapon.txt"));
    const QList<int> tags = {10000, 10001, 1, 20001, 0, 20000};
    for (int i = 0; i < sorted.size(); ++i) {
      QCOMPARE(form.Combo1->itemData(i).toInt(), tags[i]);
      QCOMPARE(form.List1->item(i)->data(Qt::UserRole).toInt(), tags[i]);
    }
    QCOMPARE(form.List1->item(4)->toolTip(), QStringLiteral("armor.txt, line 2"));
    QCOMPARE(form.Combo1->itemData(4, Qt::ToolTipRole).toString(),
             QStringLiteral("armor.txt, line 2"));
  }

  void EveryRepeatedCodeGetsItsMessageInOrder() {
    auto window = Loaded({"a1", "dup", "a1"}, {"dup", "w1"}, {"w1", "dup", "Dup"});
    QVERIFY(window);
    QStringList expected;
    for (const char* code : {"a1", "dup", "w1", "dup"}) {
      expected << QString::fromStdString(DuplicateMessage(code));
    }
    QCOMPARE(window->effects.messages, expected);
    QCOMPARE(Items(window->form->List1), (QStringList{"a1", "Dup", "dup", "w1"}));
    QCOMPARE(window->form->List1->item(2)->data(Qt::UserRole).toInt(), 1);
    QVERIFY(window->form->Frame1->isVisible());
  }

  void AMissingTableEndsTheProgram_data() {
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("missing");
    QTest::newRow("armor") << QStringList{"weapons.txt", "misc.txt"} << "armor.txt";
    QTest::newRow("weapons") << QStringList{"armor.txt", "misc.txt"} << "weapons.txt";
    QTest::newRow("misc") << QStringList{"armor.txt", "weapons.txt"} << "misc.txt";
    QTest::newRow("all") << QStringList{} << "armor.txt";
  }
  void AMissingTableEndsTheProgram() {
    QFETCH(QStringList, present);
    QFETCH(QString, missing);
    TempFolder folder;
    for (const QString& name : present) folder.Write(name.toStdString(), "h\r\nx\r\n");
    auto window = Open(&folder);
    QVERIFY(window);
    window->form->Command1_Click();
    QCOMPARE(window->effects.warnings, QStringList{CoreMessage(folder)});
    QVERIFY(window->effects.messages.first().contains(missing));
    QCOMPARE(window->effects.ends, 1);
    QCOMPARE(window->form->Combo1->count(), 0);
    QVERIFY(!window->form->Frame1->isVisible());
  }

  void ALoadErrorReturnsToTheFolderPanel() {
    TempFolder good;
    WriteMod(good, {"hlm"}, {"axe"}, {"key"});
    TempFolder bad;
    WriteMod(bad, {"a"}, {"b"}, {"c"});
    bad.Write("weapons.txt",
              testing::MakeTable({testing::MakeRow(WeaponLayout(), "b"),
                                  testing::MakeRow(WeaponLayout(), "x", {{30, "38999"}})}));
    auto window = Open(&good);
    QVERIFY(window);
    Form1& form = *window->form;
    form.Command1_Click();
    form.Command2_Click();
    form.Dir1->SetPath(QString::fromStdString(bad.PathText()), nullptr);
    form.Command1_Click();
    QCOMPARE(window->effects.warnings, QStringList{CoreMessage(bad)});
    QCOMPARE(window->effects.warnings, window->effects.messages);
    QCOMPARE(window->effects.ends, 0);
    QVERIFY(form.Frame2->isVisible());
    QVERIFY(!form.Frame1->isVisible());
    QCOMPARE(form.Combo1->count(), 0);
    QCOMPARE(form.List1->count(), 0);
    // The next good load reads the tables again.
    form.Dir1->SetPath(QString::fromStdString(good.PathText()), nullptr);
    form.Command1_Click();
    QCOMPARE(Items(form.List1), (QStringList{"axe", "hlm", "key"}));
  }

  void TypingSwitchesBetweenFreeAndUsed() {
    auto window = Loaded({"ab", "abcd"}, {"zz"}, {"abc"});
    QVERIFY(window);
    Form1& form = *window->form;
    form.List1->setCurrentRow(3);  // zz
    form.Text1->clear();
    QCOMPARE(form.Label1->text(), QStringLiteral("Free"));
    const QStringList expected = {
        "zz|zz|a|Free|",
        "ab|ab|ab|Used|Armor.txt",
        "abc|abc|abc|Used|Misc.txt",
        "abcd|abcd|abcd|Used|Armor.txt",
        "abcd|abcd|abcde|Free|",
    };
    const QString typed = QStringLiteral("abcde");
    for (int i = 0; i < typed.size(); ++i) {
      QTest::keyClick(form.Text1, typed[i].toLatin1());
      QCOMPARE(Shown(form), expected[i]);
    }
    QTest::keyClick(form.Text1, Qt::Key_Backspace);
    QCOMPARE(Shown(form), QStringLiteral("abcd|abcd|abcd|Used|Armor.txt"));
    QTest::keyClick(form.Text1, Qt::Key_Backspace);
    QCOMPARE(Shown(form), QStringLiteral("abc|abc|abc|Used|Misc.txt"));
    form.Text1->setText(QStringLiteral("ABC"));  // letter case counts
    QCOMPARE(Shown(form), QStringLiteral("abc|abc|ABC|Free|"));
    form.Text1->setText(QStringLiteral("ab\u0100"));  // beyond Latin-1: no code can match
    QCOMPARE(form.Label1->text(), QStringLiteral("Free"));
    form.Text1->clear();
    QCOMPARE(form.Label1->text(), QStringLiteral("Free"));
  }

  void ListAndComboBringTheOthersAlong() {
    auto window = Loaded({"c1", "c2"}, {"w1"}, {"m1"});
    QVERIFY(window);
    Form1& form = *window->form;
    QCOMPARE(Shown(form), QStringLiteral("c1|c1|c1|Used|Armor.txt"));
    QListWidgetItem* m1 = form.List1->item(2);
    QTest::mouseClick(form.List1->viewport(), Qt::LeftButton, {},
                      form.List1->visualItemRect(m1).center());
    QCOMPARE(Shown(form), QStringLiteral("m1|m1|m1|Used|Misc.txt"));
    form.Combo1->setFocus();
    QTest::keyClick(form.Combo1, Qt::Key_Down);
    QCOMPARE(Shown(form), QStringLiteral("w1|w1|w1|Used|Weapon.txt"));
    QTest::keyClick(form.Combo1, Qt::Key_Home);
    QCOMPARE(Shown(form), QStringLiteral("c1|c1|c1|Used|Armor.txt"));
    QVERIFY(window->effects.messages.isEmpty());
  }

  // After a free code, picking the entry that is still selected brings everything back to it.
  void RepickingTheSelectedEntryAfterAFreeCode() {
    auto window = Loaded({"a0b", "a1b"}, {"w1"}, {});
    QVERIFY(window);
    Form1& form = *window->form;
    form.Text1->setText(QStringLiteral("a0bx"));
    QCOMPARE(Shown(form), QStringLiteral("a0b|a0b|a0bx|Free|"));
    QTest::mouseClick(form.List1->viewport(), Qt::LeftButton, {},
                      form.List1->visualItemRect(form.List1->item(0)).center());
    QCOMPARE(Shown(form), QStringLiteral("a0b|a0b|a0b|Used|Armor.txt"));
    form.Text1->setText(QStringLiteral("a0bx"));
    emit form.Combo1->activated(0);  // what the drop-down raises when the user picks an entry
    QCOMPARE(Shown(form), QStringLiteral("a0b|a0b|a0b|Used|Armor.txt"));
    // A click that changes the entry runs the chain once: Text1 changes once.
    QSignalSpy text_changes(form.Text1, &QLineEdit::textChanged);
    QTest::mouseClick(form.List1->viewport(), Qt::LeftButton, {},
                      form.List1->visualItemRect(form.List1->item(2)).center());
    QCOMPARE(Shown(form), QStringLiteral("w1|w1|w1|Used|Weapon.txt"));
    QCOMPARE(text_changes.count(), 1);
  }

  void ASecondOpenReplacesBothLists() {
    TempFolder first;
    WriteMod(first, {"a1", "a2"}, {"w1"}, {});
    TempFolder second;
    WriteMod(second, {}, {"x9"}, {"b1"});
    auto window = Open(&first);
    QVERIFY(window);
    Form1& form = *window->form;
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    QTest::mouseClick(form.Command2, Qt::LeftButton);
    QVERIFY(form.Frame2->isVisible());
    QVERIFY(!form.Frame1->isVisible());
    QCOMPARE(Items(form.List1), (QStringList{"a1", "a2", "w1"}));  // kept until the next load
    form.Dir1->SetPath(QString::fromStdString(second.PathText()), nullptr);
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    QCOMPARE(Items(form.Combo1), (QStringList{"b1", "x9"}));
    QCOMPARE(Items(form.List1), (QStringList{"b1", "x9"}));
    QCOMPARE(Shown(form), QStringLiteral("b1|b1|b1|Used|Misc.txt"));
  }

  void AnEmptyIndexLeavesTextAndLabelsAsTheyWere() {
    TempFolder empty;
    WriteMod(empty, {""}, {}, {""});
    TempFolder full;
    WriteMod(full, {"k1"}, {}, {});
    auto window = Open(&empty);
    QVERIFY(window);
    Form1& form = *window->form;
    form.Command1_Click();
    QVERIFY(form.Frame1->isVisible());
    QCOMPARE(Shown(form), QStringLiteral("|-|Item code||"));
    form.Command2_Click();
    form.Dir1->SetPath(QString::fromStdString(full.PathText()), nullptr);
    form.Command1_Click();
    form.Command2_Click();
    form.Dir1->SetPath(QString::fromStdString(empty.PathText()), nullptr);
    form.Command1_Click();
    QCOMPARE(form.List1->count(), 0);
    QCOMPARE(Shown(form), QStringLiteral("|-|k1|Used|Armor.txt"));
  }

  void CodesShowEveryByte() {
    auto window = Loaded({"\xE9t\xE9"}, {}, {});
    QVERIFY(window);
    Form1& form = *window->form;
    QCOMPARE(form.List1->item(0)->text(), QStringLiteral("\u00E9t\u00E9"));
    form.Text1->setText(QStringLiteral("x"));
    form.Text1->setText(QStringLiteral("\u00E9t\u00E9"));
    QCOMPARE(form.Label1->text(), QStringLiteral("Used"));
  }

  void ChoosingADriveMovesTheFolderBrowser() {
    TempFolder folder;
    auto window = Open();
    QVERIFY(window);
    Form1& form = *window->form;
    const QString here = form.Dir1->Path();
    const int start = form.Drive1->currentIndex();
    const QString root = QString::fromStdString(folder.PathText());
    form.Drive1->addItem(root, root);
    form.Drive1->addItem(QStringLiteral("/no/such/drive"), QStringLiteral("/no/such/drive"));

    form.Drive1->setCurrentIndex(form.Drive1->count() - 1);
    QCOMPARE(window->effects.messages, QStringList{"The folder /no/such/drive cannot be read."});
    QCOMPARE(form.Drive1->currentIndex(), start);
    QCOMPARE(form.Dir1->Path(), here);

    form.Drive1->setCurrentIndex(form.Drive1->count() - 2);
    QCOMPARE(form.Dir1->Path(), root);
    QCOMPARE(form.Combo1->count(), 0);  // nothing loads until "Open"
    QVERIFY(form.Frame2->isVisible());
  }

  void AFolderThatCannotBeOpenedGivesAMessage() {
    TempFolder folder;
    folder.Write("sub/keep.txt", "x");
    auto window = Open(&folder);
    QVERIFY(window);
    Form1& form = *window->form;
    QTreeWidgetItem* current = form.Dir1->currentItem();
    QVERIFY(current != nullptr);
    QCOMPARE(current->childCount(), 1);
    std::filesystem::remove_all(folder.Path() / "sub");
    emit form.Dir1->itemActivated(current->child(0), 0);
    QCOMPARE(window->effects.messages,
             QStringList{"The folder " + QString::fromStdString(folder.PathText()) +
                         "/sub cannot be read."});
    QCOMPARE(form.Dir1->Path(), QString::fromStdString(folder.PathText()));
  }

  void EveryControlHasAnAccessibleName() {
    auto window = Open();
    QVERIFY(window);
    Form1& form = *window->form;
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
    const QList<QWidget*> controls = {form.Command1, form.Command2, form.Combo1, form.List1,
                                      form.Text1,    form.Label1,   form.Label2, form.Drive1,
                                      form.Dir1,     form.Label3};
    for (QWidget* control : controls) {
      QVERIFY2(!control->accessibleDescription().isEmpty(), qPrintable(control->accessibleName()));
    }
  }

  // A screen reader reads a label's text, after every change; its role is in the description.
  void LabelsAreReadAsTheyShow() {
    auto window = Loaded({"k1"}, {}, {});
    QVERIFY(window);
    Form1& form = *window->form;
    const auto read = [](QLabel* label) {
      return QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
    };
    QCOMPARE(read(form.Label1), QStringLiteral("Used"));
    QCOMPARE(read(form.Label2), QStringLiteral("Armor.txt"));
    QCOMPARE(read(form.Label3), QStringLiteral("Select the excel folder of your mod."));
    form.Text1->setText(QStringLiteral("zz"));
    QCOMPARE(read(form.Label1), QStringLiteral("Free"));
    QCOMPARE(read(form.Label2), QString());
    QVERIFY(form.Label1->accessibleDescription().startsWith(QStringLiteral("Status")));
    QVERIFY(form.Label2->accessibleDescription().startsWith(QStringLiteral("Table")));
  }

  void EnterPressesOpen() {
    TempFolder folder;
    WriteMod(folder, {"k1"}, {}, {});
    folder.Write("sub/keep.txt", "x");
    auto window = Open(&folder);
    QVERIFY(window);
    Form1& form = *window->form;
    // Enter on a folder inside opens it; nothing loads.
    form.Dir1->setFocus();
    QTreeWidgetItem* sub = form.Dir1->currentItem()->child(0);
    form.Dir1->setCurrentItem(sub);
    QTest::keyClick(form.Dir1, Qt::Key_Return);
    QCOMPARE(form.Dir1->Path(), QString::fromStdString(folder.PathText()) + "/sub");
    QVERIFY(form.Frame2->isVisible());
    // Back up, then Enter on the open folder reads it.
    form.Dir1->SetPath(QString::fromStdString(folder.PathText()), nullptr);
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

  void DesktopMessagesAreModalWithOkOnly() {
    DesktopSideEffects effects;
    QWidget owner;
    effects.SetWindow(&owner);
    QString title, text;
    QMessageBox::StandardButtons buttons;
    bool modal = false;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      title = box->windowTitle();
      text = box->text();
      buttons = box->standardButtons();
      modal = box->isModal();
      box->accept();
    });
    effects.ShowMessage(QStringLiteral("Error Itemcode: abcis used for 2 items."));
    QCOMPARE(title, QStringLiteral("Sallowmere"));
    QCOMPARE(text, QStringLiteral("Error Itemcode: abcis used for 2 items."));
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(modal);
  }

  void DesktopWarningsCarryTheWarningIcon() {
    DesktopSideEffects effects;
    QWidget owner;
    effects.SetWindow(&owner);
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      icon = box->icon();
      title = box->windowTitle();
      box->accept();
    });
    effects.ShowWarning(QStringLiteral("The tables could not be read: armor.txt: read error."));
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(title, QStringLiteral("Sallowmere"));
  }

  void EndingTheProgramClosesTheWindowWithStatusZero() {
    DesktopSideEffects effects;
    TempFolder folder;
    Form1 form(effects);
    effects.SetWindow(&form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.Dir1->SetPath(QString::fromStdString(folder.PathText()), nullptr);
    QTimer::singleShot(0, [&] {
      // Answer the missing-table message as a user would, with OK.
      QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
          box->accept();
      });
      form.Command1_Click();
    });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!form.isVisible());
  }
};

}  // namespace sallowmere::ui

QTEST_MAIN(sallowmere::ui::Form1Test)
#include "form1_test.moc"
