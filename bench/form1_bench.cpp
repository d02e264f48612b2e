// How long the window takes from "Open" to the search panel with both lists filled, on the
// largest fixed-layout tables and on tables shaped like the largest real mods (about ten thousand
// codes), beside the command line's "list" on the same folder, in the same process; Open on a whole
// real-shaped folder of 55 tables, places included, and the time its places take once the search
// panel is drawn; and the lookup of one keystroke. Run
// offscreen:
//   QT_QPA_PLATFORM=offscreen form1-bench
#include <QComboBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QtTest>
#include <algorithm>
#include <sstream>
#include <vector>

#include "cli/cli.h"

#include "qt/form1_window.h"
#include "table_text.h"

namespace sallowmere::qt {

// Answers nothing and shows nothing: the largest tables give no messages.
class SilentSideEffects : public window::SideEffects {
 public:
  void ShowMessage(window::MessageIcon, const MessageText&) override {}
  void EndProgram() override {}
};

// When the last paint of any widget began, on `clock`: the search panel is drawn at once, before
// the rest of the folder is read, and nothing is painted again until the event loop runs.
class PaintClock : public QObject {
 public:
  explicit PaintClock(const QElapsedTimer& clock) : clock_(clock) {}
  void Reset() { at_ = -1; }
  qint64 At() const { return at_; }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) at_ = clock_.nsecsElapsed();
    return false;
  }

 private:
  const QElapsedTimer& clock_;
  qint64 at_ = -1;
};

class Form1Bench : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    testing::WriteLargestMod(folder_);
    testing::WriteRealShapedMod(real_folder_);
    testing::WriteRealShapedFolder(whole_folder_);
    form_ = std::make_unique<Form1Window>(effects_);
    form_->Start(folder_.Path());
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    // The search panel is made once the folder panel is drawn.
    QTRY_VERIFY(form_->Command2 != nullptr);
  }

  void OpenToSearchPanel() {
    QBENCHMARK { OpenAgain(); }
    QVERIFY(form_->Frame1->isVisible());
    QCOMPARE(form_->List1->model()->rowCount(), 1503);
    QCOMPARE(form_->Combo1->count(), 1503);
  }

  void OpenRealShaped() {
    form_->Start(real_folder_.Path());
    QBENCHMARK { OpenAgain(); }
    QVERIFY(form_->Frame1->isVisible());
    QCOMPARE(form_->List1->model()->rowCount(), kRealShapedCodes);
    QCOMPARE(form_->Combo1->count(), kRealShapedCodes);
    form_->Start(folder_.Path());
    QTest::mouseClick(form_->Command1, Qt::LeftButton);
  }

  // Open on a whole real-shaped folder of 55 tables: the search panel drawn, then every table read
  // for the places that name codes and Label4 answered with them.
  void OpenWholeFolder() {
    form_->Start(whole_folder_.Path());
    QBENCHMARK { OpenAgain(); }
    QVERIFY(form_->Label4->text().contains(QStringLiteral("Named")));
    form_->Start(folder_.Path());
    QTest::mouseClick(form_->Command1, Qt::LeftButton);
  }

  // The same Open, from the search panel's paint to Label4's answer with its places: the
  // time the places take after the panel is drawn, the median of 20.
  void PlacesAfterTheDrawnPanel() {
    form_->Start(whole_folder_.Path());
    QTest::mouseClick(form_->Command1, Qt::LeftButton);
    QElapsedTimer clock;
    PaintClock painted(clock);
    std::vector<double> after_drawing;
    for (int run = 0; run < 20; ++run) {
      QTest::mouseClick(form_->Command2, Qt::LeftButton);
      qApp->installEventFilter(&painted);
      painted.Reset();
      clock.start();
      QTest::mouseClick(form_->Command1, Qt::LeftButton);
      const qint64 answered = clock.nsecsElapsed();
      qApp->removeEventFilter(&painted);
      QVERIFY(painted.At() >= 0);
      after_drawing.push_back(static_cast<double>(answered - painted.At()) / 1e6);
    }
    QVERIFY(form_->Label4->text().contains(QStringLiteral("Named")));
    std::sort(after_drawing.begin(), after_drawing.end());
    qInfo("The places, after the drawn panel: %.1f ms (median of 20)", after_drawing[10]);
    form_->Start(folder_.Path());
    QTest::mouseClick(form_->Command1, Qt::LeftButton);
  }

  // What the window's Open is measured against: the command line's "list" of the same folder.
  void ListRealShaped() {
    const std::vector<std::string> args = {"list", real_folder_.PathText()};
    std::ostringstream out, err;
    QBENCHMARK {
      out.str({});
      RunCli(args, out, err);
    }
    QCOMPARE(std::count(out.view().begin(), out.view().end(), '\n'), kRealShapedCodes);
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
  // Back to the folder panel, "Open" on the folder it shows, and the filled panel drawn, not only
  // its items set.
  void OpenAgain() {
    QTest::mouseClick(form_->Command2, Qt::LeftButton);
    QTest::mouseClick(form_->Command1, Qt::LeftButton);
    form_->repaint();
  }

  static constexpr int kRealShapedCodes = 9657;
  testing::TempFolder folder_;
  testing::TempFolder real_folder_;
  testing::TempFolder whole_folder_;
  SilentSideEffects effects_;
  std::unique_ptr<Form1Window> form_;
};

}  // namespace sallowmere::qt

QTEST_MAIN(sallowmere::qt::Form1Bench)
#include "form1_bench.moc"
