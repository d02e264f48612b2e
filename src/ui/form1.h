#pragma once

// The window, Form1: its two panels, controls and handlers over the core. Made by main and the
// window's tests.

#include <QWidget>

#include "index/sorted_codes.h"
#include "tables/module1.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace sallowmere::ui {

class FolderList;
class SideEffects;

// The program's window: the folder panel (Frame2), where the user picks the folder of tables,
// and the search panel (Frame1), where the user browses the used codes and types a code to see
// whether it is "Used" or "Free". It owns the loaded tables; messages and the end of the program
// go through `effects`, which must outlive the window.
class Form1 : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(SideEffects& effects, QWidget* parent = nullptr);

  // The controls, named as the form lays them out. Qt's parent chain owns them.
  QFrame* Frame1;  // search panel
  QPushButton* Command2;
  QComboBox* Combo1;
  QListWidget* List1;
  QLineEdit* Text1;
  QLabel* Label1;  // "Used" or "Free"
  QLabel* Label2;  // the table a used code comes from
  QFrame* Frame2;  // folder panel
  QPushButton* Command1;
  QComboBox* Drive1;
  FolderList* Dir1;
  QLabel* Label3;

 public slots:
  void Drive1_Change();
  void Command1_Click();
  void Command2_Click();
  void Combo1_Click();
  void List1_Click();
  void Text1_Change();

 private slots:
  void Dir1_OpenFailed(const QString& problem);

 private:
  void CreateControls();
  void FillCodeLists(SortedCodes codes);

  SideEffects& effects_;
  Module1 module1_;
  SortedCodes codes_;
  int drive_index_ = -1;  // the drive Dir1 was last moved to
};

}  // namespace sallowmere::ui
