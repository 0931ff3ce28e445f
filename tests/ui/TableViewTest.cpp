#include "ui/Label.h"
#include "ui/TableView.h"
#include "ui/Views.h"

#include "UiTestSupport.h"

#include <QCoreApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

using ui::IndexPath;

namespace {

// Rows of given heights; counts what the table asks for.
class Rows : public ui::TableViewDataSource, public ui::TableViewDelegate {
 public:
  std::vector<int> heights;
  std::vector<int> heightQueries;  // rows, in the order asked
  int cellsMade = 0;
  int cellsReused = 0;
  std::vector<IndexPath> selected;

  int tableViewNumberOfRowsInSection(ui::TableView*, int) override { return int(heights.size()); }
  int tableViewHeightForRowAtIndexPath(ui::TableView*, const IndexPath& p) override {
    heightQueries.push_back(p.row);
    return heights[size_t(p.row)];
  }
  ui::TableViewCell* tableViewCellForRowAtIndexPath(ui::TableView* table, const IndexPath& p) override {
    auto* cell = table->dequeueReusableCellWithIdentifier(QStringLiteral("ROW"));
    if (cell) {
      ++cellsReused;
    } else {
      ++cellsMade;
      cell = new ui::TableViewCell(QStringLiteral("ROW"));
      auto* label = new ui::Label(QRect(10, 0, 200, 40), cell->contentView());
      ui::setTag(label, 3000);
    }
    ui::viewWithTag<ui::Label>(cell, 3000)->setText(QStringLiteral("row %1").arg(p.row));
    return cell;
  }
  void tableViewDidSelectRowAtIndexPath(ui::TableView*, const IndexPath& p) override { selected.push_back(p); }
};

class TableViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.resize(320, 400);
    table = new ui::TableView(QRect(0, 0, 320, 400), &host);
    table->setDataSource(&rows);
    table->setDelegate(&rows);
    host.show();
  }
  QString textOf(const IndexPath& p) const {
    auto* cell = table->cellForRowAtIndexPath(p);
    return cell ? ui::viewWithTag<ui::Label>(cell, 3000)->text() : QStringLiteral("<none>");
  }

  QWidget host;
  ui::TableView* table = nullptr;
  Rows rows;
};

}  // namespace

TEST_F(TableViewTest, EveryReloadAsksTheHeightsInOrderAndSumsThemIntoTheContent) {
  rows.heights = {131, 131, 133};
  table->reloadData();
  EXPECT_EQ(rows.heightQueries, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(table->contentSize(), QSize(320, 395));
  EXPECT_EQ(table->rectForRowAtIndexPath({0, 2}), QRect(0, 262, 320, 133));

  rows.heights = {55, 55, 55, 55, 55, 55, 68};
  rows.heightQueries.clear();
  table->reloadData();
  EXPECT_EQ(rows.heightQueries, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(table->contentSize().height(), 398);
  EXPECT_EQ(table->numberOfRowsInSection(0), 7);
  EXPECT_EQ(table->rectForRowAtIndexPath({0, 6}), QRect(0, 330, 320, 68));
  EXPECT_EQ(table->rectForRowAtIndexPath({0, 7}), QRect());
}

TEST_F(TableViewTest, CellsAreMadeForTheRowsInViewAndReusedAsTheyScroll) {
  rows.heights.assign(30, 50);  // 1500 points in a 400-point table
  table->reloadData();
  EXPECT_EQ(table->visibleCells().size(), 8);
  EXPECT_EQ(textOf({0, 7}), QStringLiteral("row 7"));
  EXPECT_EQ(table->cellForRowAtIndexPath({0, 8}), nullptr);

  table->setContentOffset(QPointF(0, 1100));  // rows 22..29
  EXPECT_EQ(table->visibleCells().size(), 8);
  EXPECT_EQ(textOf({0, 29}), QStringLiteral("row 29"));
  EXPECT_EQ(table->cellForRowAtIndexPath({0, 0}), nullptr);
  EXPECT_EQ(rows.cellsMade, 8);
  EXPECT_EQ(rows.cellsReused, 8);
  EXPECT_EQ(table->cellForRowAtIndexPath({0, 22})->geometry(), QRect(0, 1100, 320, 50));

  table->setContentOffset(QPointF(0, 1075));  // half rows at both ends: nine in view
  EXPECT_EQ(table->visibleCells().size(), 9);
}

TEST_F(TableViewTest, AReloadShowsTheNewDataInTheSameCells) {
  rows.heights = {50, 50};
  table->reloadData();
  rows.heights = {50, 50, 80};
  table->reloadData();
  EXPECT_EQ(textOf({0, 2}), QStringLiteral("row 2"));
  EXPECT_EQ(rows.cellsMade, 3);
  rows.heights = {};
  table->reloadData();
  EXPECT_TRUE(table->visibleCells().isEmpty());
  EXPECT_EQ(table->contentSize().height(), 0);
}

TEST_F(TableViewTest, ATapSelectsTheRowUnderTheFingerAndADragDoesNot) {
  rows.heights = {50, 80, 50, 50, 50, 50, 50, 50, 50, 50};
  table->reloadData();
  uitest::tap(&host, {100, 100});
  ASSERT_EQ(rows.selected.size(), 1u);
  EXPECT_EQ(rows.selected[0], (IndexPath{0, 1}));
  IndexPath selected;
  EXPECT_TRUE(table->indexPathForSelectedRow(&selected));
  EXPECT_TRUE(table->cellForRowAtIndexPath({0, 1})->isSelected());

  uitest::drag(&host, {100, 300}, {100, 200}, 5, 200);
  EXPECT_EQ(rows.selected.size(), 1u);
  EXPECT_EQ(table->contentOffset(), QPointF(0, 100));

  table->deselectRowAtIndexPath({0, 1}, false);
  EXPECT_FALSE(table->indexPathForSelectedRow(&selected));

  table->setScrollEnabled(false);  // like the menu columns
  uitest::drag(&host, {100, 20}, {100, 200}, 5, 200);
  EXPECT_EQ(rows.selected.size(), 1u);  // a finger that wandered off is no tap
  uitest::tap(&host, {100, 20});
  EXPECT_EQ(rows.selected.size(), 2u);

  table->setAllowsSelection(false);
  uitest::tap(&host, {100, 20});
  EXPECT_EQ(rows.selected.size(), 2u);
}

TEST_F(TableViewTest, WithoutADataSourceOrWithoutCellsTheTableStaysUsable) {
  ui::TableView bare;
  bare.resize(320, 200);
  bare.reloadData();
  EXPECT_EQ(bare.numberOfSections(), 0);

  // A data source that gives no cell still gets its rows laid out.
  struct NoCells : ui::TableViewDataSource {
    int tableViewNumberOfRowsInSection(ui::TableView*, int) override { return 2; }
    ui::TableViewCell* tableViewCellForRowAtIndexPath(ui::TableView*, const IndexPath&) override { return nullptr; }
  } noCells;
  bare.setDataSource(&noCells);
  bare.reloadData();
  EXPECT_EQ(bare.visibleCells().size(), 2);
  EXPECT_EQ(bare.contentSize().height(), 88);
}

TEST_F(TableViewTest, ALongListKeepsCellsForTheRowsInViewOnlyAndNeverAsksHeightsWhileScrolling) {
  rows.heights.resize(10000);
  for (size_t i = 0; i < rows.heights.size(); ++i) rows.heights[i] = i % 7 == 0 ? 157 : 80;
  table->reloadData();
  const size_t asked = rows.heightQueries.size();
  EXPECT_EQ(asked, 10000u);
  const int bottom = table->contentSize().height() - table->height();
  for (int y = 0; y <= bottom; y += 397) {
    table->setContentOffset(QPointF(0, y));
    ASSERT_LE(table->visibleCells().size(), 7) << "at " << y;
  }
  table->setContentOffset(QPointF(0, bottom));
  EXPECT_EQ(rows.heightQueries.size(), asked);
  EXPECT_LE(rows.cellsMade, 8);
  EXPECT_EQ(textOf({0, 9999}), QStringLiteral("row 9999"));
  IndexPath hit;
  ASSERT_TRUE(table->indexPathForRowAtPoint(QPointF(10, table->rectForRowAtIndexPath({0, 5000}).top() + 3), &hit));
  EXPECT_EQ(hit, (IndexPath{0, 5000}));
  EXPECT_EQ(table->contentView()->findChildren<ui::TableViewCell*>().size(), rows.cellsMade);
}
