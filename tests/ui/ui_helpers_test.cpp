#include <QtTest>

#include "ui/drive_list.h"
#include "ui/text_codec.h"

namespace sallowmere::ui {

class UiHelpersTest : public QObject {
  Q_OBJECT

 private slots:
  void DriveOfPicksTheLongestRootAbove() {
    const QStringList roots = {"/", "/home", "/media/usb", "/work"};
    QCOMPARE(DriveOf("/home/me/mods", roots), QStringLiteral("/home"));
    QCOMPARE(DriveOf("/home", roots), QStringLiteral("/home"));
    QCOMPARE(DriveOf("/homework/x", roots), QStringLiteral("/"));
    QCOMPARE(DriveOf("/media/usb/", roots), QStringLiteral("/media/usb"));
    QCOMPARE(DriveOf("/tmp", roots), QStringLiteral("/"));
    QCOMPARE(DriveOf("/tmp", QStringList{"/home"}), QString());
  }

  void DriveRootsHoldFilesOnly() {
    const QStringList roots = DriveRoots();
    QVERIFY(roots.contains("/"));
    for (const QString& root : roots) {
      QVERIFY2(!root.startsWith("/proc") && !root.startsWith("/sys") && !root.startsWith("/dev"),
               qPrintable(root));
    }
  }

  void CodesRoundTripByteForByte() {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
    const QString shown = DisplayText(all);
    QCOMPARE(shown.size(), 255);
    QCOMPARE(CodeBytes(shown), std::optional<std::string>(all));
    QCOMPARE(CodeBytes(QStringLiteral("a\u20ACb")), std::optional<std::string>());
    QCOMPARE(CodeBytes(QString()), std::optional<std::string>(""));
  }

  void PathsRoundTrip() {
    const QString path = QStringLiteral("/mods/Caf\u00E9 table/\u5171");
    QCOMPARE(PathText(PathBytes(path)), path);
  }
};

}  // namespace sallowmere::ui

QTEST_MAIN(sallowmere::ui::UiHelpersTest)
#include "ui_helpers_test.moc"
