#include "qt/code_list_model.h"

#include <QSignalSpy>
#include <QtTest>

#include "table_text.h"

namespace sallowmere::qt {

class CodeListModelTest : public QObject {
  Q_OBJECT

 private slots:
  // Each row answers for its entry in display order, in every role a view asks for; the rows
  // outlive the index they were made from.
  void RowsAnswerForTheirEntries() {
    CodeListModel model;
    PerItemTable<TableCodes> tables;
    tables[kArmor] = {"armor.txt", {{"b\xE9", "", 2}}};
    tables[kWeapons] = {"weapons.txt", {{"Ax", "", 2}}};
    tables[kMisc] = {"misc.txt", {{"", "", 2}, {"c", "Cord", 3}}};
    model.SetCodes(SortedCodes(CodeIndex::Build(tables, ItemNames::kKeep)));
    QCOMPARE(model.rowCount(), 3);
    const auto at = [&](int row, int role) { return model.index(row, 0).data(role); };
    QCOMPARE(at(0, Qt::DisplayRole).toString(), QStringLiteral("Ax"));
    QCOMPARE(at(1, Qt::DisplayRole).toString(), QStringLiteral("b\u00E9"));
    QCOMPARE(at(0, Qt::UserRole).toInt(), 10000);
    QCOMPARE(at(2, Qt::UserRole).toInt(), 20001);
    QCOMPARE(at(2, Qt::ToolTipRole).toString(), QStringLiteral("Cord\nmisc.txt:3"));
    QCOMPARE(at(0, Qt::ToolTipRole).toString(), QStringLiteral("weapons.txt:2"));
    QVERIFY(!at(0, Qt::DecorationRole).isValid());
    QVERIFY(!model.index(3, 0).isValid());
    QCOMPARE(model.rowCount(model.index(0, 0)), 0);  // a list: no row has rows
  }

  // New codes replace the old as a reset, which views follow without being told row by row.
  void NewCodesResetTheModel() {
    CodeListModel model;
    model.SetCodes(SortedCodes(testing::IndexOfMod({"a", "b"}, {}, {})));
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    model.SetCodes(SortedCodes());
    QCOMPARE(resets.count(), 1);
    QCOMPARE(model.rowCount(), 0);
  }
};

}  // namespace sallowmere::qt

QTEST_GUILESS_MAIN(sallowmere::qt::CodeListModelTest)
#include "code_list_model_test.moc"
