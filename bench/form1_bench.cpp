// How long the window takes, on the largest tables, from "Open" to the search panel with both
// lists filled, and for the lookup of one keystroke. Run offscreen:
//   QT_QPA_PLATFORM=offscreen form1-bench
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "table_text.h"
#include "ui/form1_window.h"

namespace sallowmere::ui {

// Answers nothing and shows nothing: the largest tables give no messages.
class SilentSideEffects : public window::SideEffects {
 public:
  void ShowMessage(window::MessageIcon, const MessageText&) override {}
  void EndProgram() override {}
};

class Form1Bench : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    testing::WriteLargestMod(folder_);
    form_ = std::make_unique<Form1Window>(effects_);
    form_->Start(folder_.Path());
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }

  void OpenToSearchPanel() {
    QBENCHMARK {
      QTest::mouseClick(form_->Command2, Qt::LeftButton);
      QTest::mouseClick(form_->Command1, Qt::LeftButton);
    }
    QVERIFY(form_->Frame1->isVisible());
    QCOMPARE(form_->List1->count(), 1503);
    QCOMPARE(form_->Combo1->count(), 1503);
  }

  void Keystroke() {
    form_->Text1->setText(QStringLiteral("m125"));
    bool used = false;
    QBENCHMARK {
      // One key more or less: "m125" <-> "m1250", a used and a free code by turns.
      QTest::keyClick(form_->Text1, used ? Qt::Key_Backspace : Qt::Key_0);
      used = !used;
    }
    QVERIFY(form_->Label1->text() == "Used" || form_->Label1->text() == "Free");
  }

  void cleanupTestCase() { form_.reset(); }

 private:
  testing::TempFolder folder_;
  SilentSideEffects effects_;
  std::unique_ptr<Form1Window> form_;
};

}  // namespace sallowmere::ui

QTEST_MAIN(sallowmere::ui::Form1Bench)
#include "form1_bench.moc"
