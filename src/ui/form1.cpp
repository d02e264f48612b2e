#include "ui/form1.h"

#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "index/code_index.h"
#include "index/load_folder.h"
#include "index/sorted_codes.h"
#include "ui/drive_list.h"
#include "ui/folder_list.h"
#include "ui/side_effects.h"
#include "ui/text_codec.h"

// The icons are compiled into this static library, whose resources are registered only when
// asked for by name, from the global namespace.
static void RegisterIconResources() { Q_INIT_RESOURCE(sallowmere); }

namespace sallowmere::ui {
namespace {

// The form is laid out in twips; a pixel is 15 twips.
constexpr int kTwipsPerPixel = 15;

struct Placement {
  QWidget* widget;
  int left, top, width, height;  // twips, relative to the parent panel
};

void Place(const Placement& p) {
  p.widget->setGeometry(p.left / kTwipsPerPixel, p.top / kTwipsPerPixel, p.width / kTwipsPerPixel,
                        p.height / kTwipsPerPixel);
}

// The code controls' font: Courier New 8.25 pt, or the system's fixed-width font where that is
// not installed.
QFont CodeFont() {
  QFont font = QFontDatabase::hasFamily(QStringLiteral("Courier New"))
                   ? QFont(QStringLiteral("Courier New"))
                   : QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSizeF(8.25);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  return font;
}

constexpr int kOriginTagRole = Qt::UserRole;

}  // namespace

Form1::Form1(SideEffects& effects, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      effects_(effects) {
  setWindowTitle(QStringLiteral("Orvendal's Search Sallowmeres"));
  RegisterIconResources();
  QIcon icon;
  icon.addFile(QStringLiteral(":/icons/sallowmere-16.png"), QSize(16, 16));
  icon.addFile(QStringLiteral(":/icons/sallowmere-32.png"), QSize(32, 32));
  setWindowIcon(icon);
  setFixedSize(4200 / kTwipsPerPixel, 4695 / kTwipsPerPixel);
  CreateControls();

  connect(Drive1, &QComboBox::currentIndexChanged, this, &Form1::Drive1_Change);
  connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
  // A pick or a click runs the chain even when it picks the entry already selected, which after
  // a free code brings the text box and labels back to it.
  connect(Combo1, &QComboBox::currentIndexChanged, this, &Form1::Combo1_Click);
  connect(Combo1, &QComboBox::activated, this, &Form1::Combo1_Click);
  connect(List1, &QListWidget::currentRowChanged, this, &Form1::List1_Click);
  connect(List1, &QListWidget::itemClicked, this, &Form1::List1_Click);
  connect(Text1, &QLineEdit::textChanged, this, &Form1::Text1_Change);
  connect(Dir1, &FolderList::OpenFailed, this, &Form1::Dir1_OpenFailed);
  // Activating the folder that is already open means "read this one".
  connect(Dir1, &FolderList::OpenFolderActivated, Command1, &QPushButton::click);
}

void Form1::CreateControls() {
  Frame1 = new QFrame(this);
  Command2 = new QPushButton(QStringLiteral("Open"), Frame1);
  Combo1 = new QComboBox(Frame1);
  List1 = new QListWidget(Frame1);
  Text1 = new QLineEdit(QStringLiteral("Item code"), Frame1);
  Label1 = new QLabel(Frame1);
  Label2 = new QLabel(Frame1);
  Frame2 = new QFrame(this);
  Command1 = new QPushButton(QStringLiteral("Open"), Frame2);
  Drive1 = new QComboBox(Frame2);
  Dir1 = new FolderList(Frame2);
  Label3 = new QLabel(QStringLiteral("Select the excel folder of your mod."), Frame2);

  for (const Placement& p : {
           Placement{Frame1, 0, 0, 4215, 4695},
           Placement{Command2, 2520, 4200, 1575, 375},
           Placement{Combo1, 120, 240, 2295, 330},
           Placement{List1, 120, 720, 2295, 3840},
           Placement{Text1, 2520, 240, 1575, 375},
           Placement{Label1, 2520, 720, 1575, 255},
           Placement{Label2, 2520, 3720, 1575, 255},
           Placement{Frame2, -120, 0, 4335, 4695},
           Placement{Command1, 2640, 4200, 1575, 375},
           Placement{Drive1, 120, 600, 4095, 315},
           Placement{Dir1, 120, 1080, 4095, 3015},
           Placement{Label3, 240, 240, 3975, 255},
       }) {
    Place(p);
  }
  const QFont code_font = CodeFont();
  for (QWidget* widget : std::initializer_list<QWidget*>{Combo1, List1, Text1, Label1, Label2}) {
    widget->setFont(code_font);
  }
  Label3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

  // What assistive technology reads for each control.
  struct Description {
    QWidget* widget;
    const char* name;
    const char* description;
  };
  for (const Description& d : {
           Description{Frame1, "Search", "Browse the used codes and look a code up"},
           Description{Command2, "Open", "Go back to choose another folder of tables"},
           Description{Combo1, "Used codes", "Pick one of the codes the tables use"},
           Description{List1, "Code list", "Every code the tables use, sorted"},
           Description{Text1, "Item code", "Type a code to learn whether it is used"},
           Description{Label1, nullptr, "Status: Used when a table uses the item code, else Free"},
           Description{Label2, nullptr, "Table: the table file that uses the item code"},
           Description{Frame2, "Folder", "Choose the folder that holds the item tables"},
           Description{Command1, "Open", "Read the item tables in the chosen folder"},
           Description{Drive1, "Drive", "The drive whose folders the folder list shows"},
           Description{Dir1, "Folder list",
                       "Enter or double click opens a folder; on the open folder it reads it"},
           Description{Label3, nullptr, "Instruction: what to do on this panel"},
       }) {
    // A label has no name of its own: a screen reader reads its text, as it changes.
    if (d.name != nullptr) d.widget->setAccessibleName(QString::fromUtf8(d.name));
    d.widget->setAccessibleDescription(QString::fromUtf8(d.description));
  }
  // Enter on a focused button presses it, as Space does.
  Command1->setAutoDefault(true);
  Command2->setAutoDefault(true);

  // One focus chain through both panels; the hidden panel's controls drop out of it.
  setTabOrder(Text1, List1);
  setTabOrder(List1, Combo1);
  setTabOrder(Combo1, Dir1);
  setTabOrder(Dir1, Drive1);
  setTabOrder(Drive1, Command1);
  setTabOrder(Command1, Command2);

  const QStringList drives = DriveRoots();
  for (const QString& root : drives) Drive1->addItem(QDir::toNativeSeparators(root), root);
  drive_index_ = static_cast<int>(drives.indexOf(DriveOf(QDir::currentPath(), drives)));
  Drive1->setCurrentIndex(drive_index_);
  Dir1->SetPath(QDir::currentPath(), nullptr);

  Frame1->hide();
  Dir1->setFocus();
}

void Form1::Drive1_Change() {
  QString problem;
  if (Dir1->SetPath(Drive1->currentData().toString(), &problem)) {
    drive_index_ = Drive1->currentIndex();
    return;
  }
  effects_.ShowWarning(problem);
  const QSignalBlocker quiet(Drive1);
  Drive1->setCurrentIndex(drive_index_);
}

void Form1::Dir1_OpenFailed(const QString& problem) { effects_.ShowWarning(problem); }

void Form1::Command1_Click() {
  List1->clear();
  Combo1->clear();
  const LoadOutcome outcome =
      LoadFolder(module1_, PathBytes(QDir::toNativeSeparators(Dir1->Path())));
  if (const auto* missing = std::get_if<MissingTable>(&outcome)) {
    effects_.ShowWarning(PathText(missing->message));
    effects_.EndProgram();
    return;
  }
  if (const auto* error = std::get_if<LoadError>(&outcome)) {
    effects_.ShowWarning(PathText(error->UserMessage()));
    return;
  }
  const CodeIndex& index = std::get<CodeIndex>(outcome);
  for (const DuplicateReport& repeat : index.Duplicates()) {
    effects_.ShowMessage(DisplayText(DuplicateMessage(repeat.code)));
  }
  FillCodeLists(SortedCodes(index));
  Frame1->show();
  Frame2->hide();
  Text1->setFocus();
}

void Form1::FillCodeLists(SortedCodes codes) {
  codes_ = std::move(codes);
  {
    // Filling must not run the selection handlers: a combo box selects its first item by itself.
    const QSignalBlocker quiet_combo(Combo1);
    const QSignalBlocker quiet_list(List1);
    for (const IndexEntry& entry : codes_.Entries()) {
      const QString text = DisplayText(entry.code);
      const QString place = QStringLiteral("%1, line %2").arg(PathText(entry.file)).arg(entry.line);
      Combo1->addItem(text, int{entry.origin_tag});
      Combo1->setItemData(Combo1->count() - 1, place, Qt::ToolTipRole);
      auto* item = new QListWidgetItem(text, List1);
      item->setData(kOriginTagRole, int{entry.origin_tag});
      item->setToolTip(place);
    }
    Combo1->setCurrentIndex(-1);
  }
  if (Combo1->count() > 0) Combo1->setCurrentIndex(0);
}

void Form1::Command2_Click() {
  Frame1->hide();
  Frame2->show();
  Dir1->setFocus();
}

void Form1::Combo1_Click() {
  const int position = Combo1->currentIndex();
  if (position < 0) return;
  if (List1->currentRow() != position) {
    List1->setCurrentRow(position);  // runs List1_Click
  } else {
    List1_Click();
  }
}

void Form1::List1_Click() {
  const int position = List1->currentRow();
  if (position < 0) return;
  const LookupResult result = codes_.At(position);
  const QString code = List1->item(position)->text();
  // Already in place: a click that followed the change of entry it made.
  if (Text1->text() == code && Label1->text() == DisplayText(result.status) &&
      Label2->text() == DisplayText(result.origin)) {
    return;
  }
  Label2->setText(DisplayText(result.origin));
  if (Text1->text() != code) Text1->setText(code);
  Label1->setText(DisplayText(result.status));
}

void Form1::Text1_Change() {
  const std::optional<std::string> code = CodeBytes(Text1->text());
  // A text no code can spell looks up as the empty text, which is never used.
  const LookupResult result = codes_.Lookup(code.value_or(std::string()));
  if (result.position && Combo1->currentIndex() != *result.position) {
    Combo1->setCurrentIndex(*result.position);  // runs the chain
  }
  Label1->setText(DisplayText(result.status));
  Label2->setText(DisplayText(result.origin));
}

}  // namespace sallowmere::ui
