#pragma once

// The Qt window: Form1's controls made from the shared design, its events forwarded to the
// shared behaviour, and what the behaviour shows put on screen. Made by main and the Qt tests.

#include <QWidget>
#include <array>
#include <functional>

#include "window/form1.h"
#include "window/form_layout.h"

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace sallowmere::qt {

class CodeListModel;
class FolderList;

// The program's window on Qt. Messages and the end of the program go through `effects`, which
// must outlive the window.
class Form1Window : public QWidget, private window::FormView {
  Q_OBJECT

 public:
  explicit Form1Window(window::SideEffects& effects, QWidget* parent = nullptr);

  // Shows the folder panel on `start_folder` with `drives` to pick from.
  void Start(const std::filesystem::path& start_folder,
             std::vector<std::string> drives = window::DriveRoots());

  // Opens `folder` (or the folder of a file) as "Open" does, as for a folder given on the command
  // line or dropped onto the window.
  void OpenFolder(const std::filesystem::path& folder);

  // The controls, named as the design names them. Qt's parent chain owns them. The search
  // panel's controls are made once the folder panel is first drawn (or when first shown); until
  // then they are nullptr.
  QFrame* Frame1 = nullptr;  // search panel
  QPushButton* Command2 = nullptr;
  QComboBox* Combo1 = nullptr;
  QListView* List1 = nullptr;
  QLineEdit* Text1 = nullptr;
  QLabel* Label1 = nullptr;  // "Used" or "Free"
  QLabel* Label2 = nullptr;  // the table a used code comes from
  QLabel* Label4 = nullptr;  // the details: a used code's name and row, or how to find a free code
  QFrame* Frame2 = nullptr;  // folder panel
  QPushButton* Command1 = nullptr;
  QComboBox* Drive1 = nullptr;
  FolderList* Dir1 = nullptr;
  QLabel* Label3 = nullptr;

 protected:
  // Tells the behaviour when the window becomes the active one, once the activation is done.
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // A folder (or a table) dropped onto the window is opened.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // The folder panel's controls, each as the design says; the search panel's frame.
  void CreateFolderPanel();
  // The search panel's controls, their commands and events; nothing when they are made.
  void CreateSearchPanel();
  // The window's icon, from the program's resources.
  void SetIcon();
  // Gives the made control `id` its design's place, font, texts and names.
  void Design(window::Control id);
  // The keyboard's order through the controls made so far.
  void ChainFocus();
  // F3, Shift+F3 and F5 on the search panel, and the text box's menu with the first two.
  void CreateCommands();
  void ShowText1Menu(const QPoint& at);
  void ConnectSearchEvents();
  QWidget* ControlOf(window::Control id) const;
  // Runs `step`, a call into the behaviour from a Qt event; an exception it throws becomes a
  // message box, and the window goes on. None may cross Qt's event loop, which would end the
  // program.
  void Guarded(const std::function<void()>& step);

  // window::FormView. The signals a setter's change raises reach the behaviour, which ignores
  // them while it is pushing state.
  void ShowPanel(window::Panel panel) override;
  void FocusOn(window::Control control) override;
  void SetCodeItems(const SortedCodes& codes) override;
  void SetComboIndex(int index) override;
  void SetListIndex(int index) override;
  void SetList1TopIndex(int top) override;
  int List1Rows() const override;
  void SetText1(std::string_view code) override;
  void SetLabel1(std::string_view caption) override;
  void SetLabel2(std::string_view caption) override;
  void SetLabel4(std::string_view caption) override;
  // Sets the caption of one of the search panel's labels, made first if need be.
  void SetCaption(QLabel* Form1Window::*label, std::string_view caption);
  void SetDrives(const std::vector<std::string>& roots) override;
  void SetDriveIndex(int index) override;
  void SetFolders(const std::vector<window::FolderEntry>& entries, int open_index) override;
  void DrawNow() override;

  CodeListModel* codes_ = nullptr;       // the items of both Combo1 and List1
  bool rest_made_ = false;               // the icon and the search panel, once the window is drawn
  std::vector<QAction*> menu_commands_;  // the text box menu's commands, in the table's order
  window::SideEffects& effects_;
  window::Form1 form_;
};

// The code controls' font: Courier New 8.25 pt, or a fixed-width font of the same size where
// neither it nor a substitute for it is fixed-width. Found once per process.
QFont CodeFont();

}  // namespace sallowmere::qt
