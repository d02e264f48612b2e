#include "qt/form1_window.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QProxyStyle>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <functional>
#include <optional>

#include "qt/code_list_model.h"
#include "qt/folder_list.h"
#include "qt/text_codec.h"

// The icons are compiled into this static library, whose resources are registered only when
// asked for by name, from the global namespace.
static void RegisterIconResources() { Q_INIT_RESOURCE(sallowmere); }

namespace sallowmere::qt {
namespace {

using window::Control;

// Qt lays the window out in pixels at 96 dots per inch, scaling the whole for other screens.
constexpr int kDotsPerInch = 96;

// A drop-down that tells before it drops down, so that the list it shows is read afresh.
class DropDownBox : public QComboBox {
 public:
  DropDownBox(QWidget* parent, std::function<void()> before) : QComboBox(parent), before_(before) {}
  void showPopup() override {
    before_();
    QComboBox::showPopup();
  }

 private:
  std::function<void()> before_;
};

// The local file or folder a drag carries, if it carries exactly one.
std::optional<std::filesystem::path> DroppedPath(const QMimeData* data) {
  if (data == nullptr || data->urls().size() != 1 || !data->urls().front().isLocalFile()) {
    return std::nullopt;
  }
  return PathOfText(data->urls().front().toLocalFile());
}

QRect Pixels(const window::TwipsRect& place) {
  return QRect(window::TwipsToPixels(place.left, kDotsPerInch),
               window::TwipsToPixels(place.top, kDotsPerInch),
               window::TwipsToPixels(place.width, kDotsPerInch),
               window::TwipsToPixels(place.height, kDotsPerInch));
}

}  // namespace

namespace {

// The application's style, but that a drop-down opens as a list with a scroll bar and a folder
// line draws no expand arrow: every folder shown is always open, so an arrow would promise what
// it cannot do. A style sheet would say as much, at the cost of a style of its own for each
// widget it is set on, made at start.
class WindowStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returned) const override {
    if (hint == SH_ComboBox_Popup) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returned);
  }
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element == PE_IndicatorBranch) return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
  }
};

// Makes WindowStyle the application's, once, before the window makes a control. Set on a control
// instead, a style makes a drop-down build its popup list at once, which costs start-up a few
// milliseconds; the application's style reaches every control as it is made, popups included.
void UseWindowStyle() {
  if (dynamic_cast<WindowStyle*>(QApplication::style()) == nullptr) {
    QApplication::setStyle(new WindowStyle);  // the application owns it
  }
}

QFont FindCodeFont() {
  // Courier New, or what fontconfig substitutes for it (its metric twin, Liberation Mono, where
  // installed); where that is not fixed-width, the first of a few fixed-width families that is.
  const auto sized = [](QFont font) {
    font.setPointSizeF(window::kCodeFontPoints);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
  };
  const QStringList families = {TableText(window::kCodeFontFamily),
                                QStringLiteral("Liberation Mono"),
                                QStringLiteral("DejaVu Sans Mono"),
                                QStringLiteral("Noto Sans Mono"), QStringLiteral("Monospace")};
  for (const QString& family : families) {
    QFont font = sized(QFont(family));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (QFontInfo(font).fixedPitch()) return font;
  }
  return sized(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

}  // namespace

QFont CodeFont() {
  // Made once and never destroyed: the search asks the font system about each candidate.
  static const QFont* const font = new QFont(FindCodeFont());
  return *font;
}

Form1Window::Form1Window(window::SideEffects& effects, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      effects_(effects),
      form_(*this, effects) {
  UseWindowStyle();
  setWindowTitle(TableText(window::kCaption));
  setFixedSize(window::TwipsToPixels(window::kClientWidthTwips, kDotsPerInch),
               window::TwipsToPixels(window::kClientHeightTwips, kDotsPerInch));
  CreateFolderPanel();
  setAcceptDrops(true);
}

void Form1Window::Start(const std::filesystem::path& start_folder,
                        std::vector<std::string> drives) {
  Guarded([&] { form_.Start(start_folder, std::move(drives)); });
}

void Form1Window::Guarded(const std::function<void()>& step) { window::RunGuarded(effects_, step); }

void Form1Window::Design(Control id) {
  const window::ControlDesign& design = window::DesignOf(id);
  QWidget* widget = ControlOf(id);
  // A drop-down opens as a list of kDropDownRows rows with a scroll bar, on every style (some
  // would open it as a column as tall as the screen, over the selected entry): WindowStyle.
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    combo->setMaxVisibleItems(window::kDropDownRows);
  }
  widget->setGeometry(Pixels(design.place));
  if (design.code_font) widget->setFont(CodeFont());
  // A label has no name of its own: a screen reader reads its text, as it changes.
  if (!design.accessible_name.empty()) {
    widget->setAccessibleName(TableText(design.accessible_name));
  }
  widget->setAccessibleDescription(TableText(design.description));
  if (!design.text.empty()) {
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
      button->setText(TableText(design.text));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
      label->setText(TableText(design.text));
    } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
      box->setText(TableText(design.text));
    }
  }
  // Enter on a focused button presses it, as Space does.
  if (auto* button = qobject_cast<QPushButton*>(widget)) button->setAutoDefault(true);
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    if (design.kind == window::ControlKind::kCentredLabel) {
      label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    } else if (design.kind == window::ControlKind::kWrappingLabel) {
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setWordWrap(true);
      label->setTextFormat(Qt::PlainText);  // an item name is never markup
    }
  }
}

void Form1Window::CreateFolderPanel() {
  // The search panel's frame only: its controls wait until the folder panel is drawn.
  Frame1 = new QFrame(this);
  Frame1->hide();
  Frame2 = new QFrame(this);
  Command1 = new QPushButton(Frame2);
  Drive1 = new DropDownBox(Frame2, [this] { Guarded([&] { form_.Drive1_DropDown(); }); });
  Dir1 = new FolderList(Frame2);
  Label3 = new QLabel(Frame2);
  for (const window::ControlDesign& design : window::FormDesign()) {
    if (design.parent != Control::kFrame1) Design(design.id);
  }
  ChainFocus();
  connect(Drive1, &QComboBox::currentIndexChanged, this,
          [this](int i) { Guarded([&] { form_.Drive1_Change(i); }); });
  connect(Dir1, &FolderList::Activated, this,
          [this](int i) { Guarded([&] { form_.Dir1_Activate(i); }); });
  connect(Command1, &QPushButton::clicked, this,
          [this] { Guarded([&] { form_.Command1_Click(); }); });
}

void Form1Window::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  // Once the folder panel is on screen, what it does not show is made, before the user can ask
  // for it.
  if (!rest_made_) {
    rest_made_ = true;
    QTimer::singleShot(0, this, [this] {
      SetIcon();
      CreateSearchPanel();
    });
  }
}

void Form1Window::SetIcon() {
  RegisterIconResources();
  // Reading an image asks every image format plugin about it, loading each one: a millisecond the
  // first frame does not wait for.
  QIcon icon;
  icon.addFile(QStringLiteral(":/icons/sallowmere-16.png"), QSize(16, 16));
  icon.addFile(QStringLiteral(":/icons/sallowmere-32.png"), QSize(32, 32));
  setWindowIcon(icon);
}

void Form1Window::CreateSearchPanel() {
  if (Text1 != nullptr) return;
  Command2 = new QPushButton(Frame1);
  Combo1 = new QComboBox(Frame1);
  List1 = new QListView(Frame1);
  Text1 = new QLineEdit(Frame1);
  Label1 = new QLabel(Frame1);
  Label2 = new QLabel(Frame1);
  Label4 = new QLabel(Frame1);
  for (const window::ControlDesign& design : window::FormDesign()) {
    if (design.parent == Control::kFrame1) Design(design.id);
  }
  // Both code lists show one model, and every row of it is one line of the same font: the views
  // measure one row, not ten thousand, and the drop-down is not sized to its longest code.
  codes_ = new CodeListModel(this);
  Combo1->setModel(codes_);
  List1->setModel(codes_);
  List1->setUniformItemSizes(true);
  List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  if (auto* popup = qobject_cast<QListView*>(Combo1->view())) popup->setUniformItemSizes(true);
  Combo1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  ChainFocus();
  CreateCommands();
  ConnectSearchEvents();
}

void Form1Window::ChainFocus() {
  // One focus chain through both panels; the hidden panel's controls drop out of it, and so do
  // controls not made yet.
  QWidget* last = nullptr;
  for (Control id : window::TabOrder()) {
    QWidget* widget = ControlOf(id);
    if (widget == nullptr) continue;
    if (last != nullptr) setTabOrder(last, widget);
    last = widget;
  }
}

QWidget* Form1Window::ControlOf(Control id) const {
  const std::array<QWidget*, window::kControlCount> controls = {
      Frame1, Command2, Combo1,   List1,  Text1, Label1, Label2,
      Label4, Frame2,   Command1, Drive1, Dir1,  Label3};
  return controls[static_cast<std::size_t>(id)];
}

namespace {

// The toolkit's key for a command's key.
Qt::Key QtKey(window::Key key) {
  return static_cast<Qt::Key>(key.kind == window::Key::Kind::kFunction ? Qt::Key_F1 + key.number - 1
                                                                       : Qt::Key_A + key.number);
}

// The command key the toolkit's `key` is; std::nullopt for a key no command can take.
std::optional<window::Key> KeyOf(int key) {
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return window::FunctionKey(key - Qt::Key_F1 + 1);
  if (key >= Qt::Key_A && key <= Qt::Key_Z) {
    return window::LetterKey(static_cast<char>('A' + (key - Qt::Key_A)));
  }
  return std::nullopt;
}

QKeyCombination QtKeyOf(const window::CommandDesign& command) {
  Qt::KeyboardModifiers modifiers;
  if (command.modifiers.shift) modifiers |= Qt::ShiftModifier;
  if (command.modifiers.control) modifiers |= Qt::ControlModifier;
  if (command.modifiers.alt) modifiers |= Qt::AltModifier;
  return QKeyCombination(modifiers, QtKey(command.key));
}

}  // namespace

void Form1Window::CreateCommands() {
  // The menu shows each command's key; the keys themselves reach the behaviour through
  // eventFilter, which needs no active window to see them.
  for (const window::CommandDesign& command : window::Commands()) {
    if (command.menu_text.empty()) continue;
    auto* action = new QAction(TableText(command.menu_text), this);
    action->setShortcut(QKeySequence(QtKeyOf(command)));
    action->setShortcutVisibleInContextMenu(true);
    connect(action, &QAction::triggered, this,
            [this, id = command.id] { Guarded([&] { form_.Form1_Command(id); }); });
    menu_commands_.push_back(action);
  }
  for (const window::ControlDesign& design : window::FormDesign()) {
    if (design.parent == Control::kFrame1 && window::TakesFocus(design.kind)) {
      ControlOf(design.id)->installEventFilter(this);
    }
  }
  Text1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Text1, &QLineEdit::customContextMenuRequested, this, &Form1Window::ShowText1Menu);
}

bool Form1Window::eventFilter(QObject* watched, QEvent* event) {
  // The commands' keys wherever the keyboard is on the search panel.
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers held = key->modifiers();
    const window::Modifiers modifiers{.shift = held.testFlag(Qt::ShiftModifier),
                                      .control = held.testFlag(Qt::ControlModifier),
                                      .alt = held.testFlag(Qt::AltModifier)};
    const std::optional<window::Key> pressed = KeyOf(key->key());
    if (const auto command = pressed ? window::CommandOfKey(*pressed, modifiers) : std::nullopt) {
      Guarded([&] { form_.Form1_Command(*command); });
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void Form1Window::ShowText1Menu(const QPoint& at) {
  QMenu* menu = Text1->createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->addSeparator();
  for (QAction* action : menu_commands_) menu->addAction(action);
  menu->popup(Text1->mapToGlobal(at));
}

void Form1Window::OpenFolder(const std::filesystem::path& folder) {
  Guarded([&] { form_.Form1_OpenFolder(folder); });
}

void Form1Window::dragEnterEvent(QDragEnterEvent* event) {
  if (DroppedPath(event->mimeData())) event->acceptProposedAction();
}

void Form1Window::dropEvent(QDropEvent* event) {
  const std::optional<std::filesystem::path> path = DroppedPath(event->mimeData());
  if (!path) return;
  event->acceptProposedAction();
  // Queued: opening may show a box, which must not open inside the drop itself.
  QMetaObject::invokeMethod(
      this, [this, folder = *path] { Guarded([&] { form_.Form1_OpenFolder(folder); }); },
      Qt::QueuedConnection);
}

void Form1Window::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // Queued: a reload may show a box, which must not open inside the activation itself.
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    QMetaObject::invokeMethod(
        this, [this] { Guarded([&] { form_.Form1_Activate(); }); }, Qt::QueuedConnection);
  }
}

void Form1Window::ConnectSearchEvents() {
  connect(Command2, &QPushButton::clicked, this,
          [this] { Guarded([&] { form_.Command2_Click(); }); });
  // Every pick and click, a repeat of the selected entry's included (activated, clicked).
  const auto combo = [this](int i) { Guarded([&] { form_.Combo1_Click(i); }); };
  connect(Combo1, &QComboBox::currentIndexChanged, this, combo);
  connect(Combo1, &QComboBox::activated, this, combo);
  connect(
      List1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
      [this](const QModelIndex& current) { Guarded([&] { form_.List1_Click(current.row()); }); });
  connect(List1, &QListView::clicked, this,
          [this](const QModelIndex& item) { Guarded([&] { form_.List1_Click(item.row()); }); });
  connect(Text1, &QLineEdit::textChanged, this,
          [this](const QString& text) { Guarded([&] { form_.Text1_Change(CodeBytes(text)); }); });
}

void Form1Window::ShowPanel(window::Panel panel) {
  const bool search = panel == window::Panel::kSearch;
  if (search) CreateSearchPanel();
  Frame1->setVisible(search);
  Frame2->setVisible(!search);
}

void Form1Window::FocusOn(Control control) { ControlOf(control)->setFocus(); }

void Form1Window::SetCodeItems(const SortedCodes& codes) {
  CreateSearchPanel();
  codes_->SetCodes(codes);
  // A combo box selects its first item by itself.
  Combo1->setCurrentIndex(-1);
  List1->selectionModel()->clear();
}

void Form1Window::SetComboIndex(int index) {
  CreateSearchPanel();
  Combo1->setCurrentIndex(index);
}

void Form1Window::SetListIndex(int index) {
  CreateSearchPanel();
  QItemSelectionModel* selection = List1->selectionModel();
  if (index < 0) {
    selection->clear();
  } else {
    selection->setCurrentIndex(codes_->index(index), QItemSelectionModel::ClearAndSelect);
    // A list shows what it selects, moving as little as it must.
    List1->scrollTo(codes_->index(index), QAbstractItemView::EnsureVisible);
  }
  List1->viewport()->update();
}

void Form1Window::SetList1TopIndex(int top) {
  CreateSearchPanel();
  const int count = codes_->rowCount();
  if (count == 0) return;
  List1->scrollTo(codes_->index(std::min(top, count - 1)), QAbstractItemView::PositionAtTop);
}

int Form1Window::List1Rows() const {
  if (List1 == nullptr || codes_->rowCount() == 0) return 0;
  return List1->viewport()->height() / std::max(1, List1->sizeHintForRow(0));
}

void Form1Window::SetText1(std::string_view code) {
  CreateSearchPanel();
  Text1->setText(TableText(code));
}

void Form1Window::DrawNow() { repaint(); }

void Form1Window::SetCaption(QLabel* Form1Window::*label, std::string_view caption) {
  CreateSearchPanel();
  (this->*label)->setText(TableText(caption));
}

void Form1Window::SetLabel1(std::string_view caption) { SetCaption(&Form1Window::Label1, caption); }

void Form1Window::SetLabel2(std::string_view caption) { SetCaption(&Form1Window::Label2, caption); }

void Form1Window::SetLabel4(std::string_view caption) { SetCaption(&Form1Window::Label4, caption); }

void Form1Window::SetDrives(const std::vector<std::string>& roots) {
  Drive1->clear();
  for (const std::string& root : roots) Drive1->addItem(QDir::toNativeSeparators(PathText(root)));
}

void Form1Window::SetDriveIndex(int index) { Drive1->setCurrentIndex(index); }

void Form1Window::SetFolders(const std::vector<window::FolderEntry>& entries, int open_index) {
  Dir1->SetEntries(entries, open_index);
}

}  // namespace sallowmere::qt
