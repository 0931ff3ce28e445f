#pragma once
// A scrolling list of rows in sections, filled by a data source: it asks for the number of
// sections and rows and, on every reload, for the height of each row in order (row 0 first), and
// builds cells only for the rows in view, reusing cells that scrolled away. The content size is
// the table's width by the sum of the heights. Heights are asked once per reload and kept, so
// scrolling a long list costs only the rows that come into view.
#include "ui/ScrollView.h"
#include "ui/TableViewCell.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QString>

#include <compare>
#include <cstddef>
#include <vector>

namespace ui {

struct IndexPath {
  int section = 0;
  int row = 0;
  auto operator<=>(const IndexPath&) const = default;
};

class TableView;

class TableViewDataSource {
 public:
  virtual ~TableViewDataSource() = default;
  virtual int numberOfSectionsInTableView(TableView*) { return 1; }
  virtual int tableViewNumberOfRowsInSection(TableView* tableView, int section) = 0;
  // A cell for the row: a new one or one from dequeueReusableCellWithIdentifier. The table
  // takes ownership.
  virtual TableViewCell* tableViewCellForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) = 0;
};

class TableViewDelegate : public ScrollViewDelegate {
 public:
  // Points; by default the table's rowHeight().
  virtual int tableViewHeightForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath);
  virtual void tableViewDidSelectRowAtIndexPath(TableView*, const IndexPath&) {}
};

class TableView : public ScrollView {
  Q_OBJECT
 public:
  enum class SeparatorStyle { None, SingleLine };

  explicit TableView(QWidget* parent = nullptr);
  TableView(const QRect& frame, QWidget* parent);
  ~TableView() override;

  // Not owned. The delegate is also the scroll delegate.
  void setDataSource(TableViewDataSource* dataSource);
  TableViewDataSource* dataSource() const { return m_dataSource; }
  void setDelegate(TableViewDelegate* delegate);
  TableViewDelegate* delegate() const { return m_tableDelegate; }

  void reloadData();

  void setRowHeight(int height) { m_rowHeight = height; }
  int rowHeight() const { return m_rowHeight; }
  void setSeparatorStyle(SeparatorStyle style);
  SeparatorStyle separatorStyle() const { return m_separatorStyle; }
  void setSeparatorColor(const QColor& color);
  void setAllowsSelection(bool allows) { m_allowsSelection = allows; }
  bool allowsSelection() const { return m_allowsSelection; }

  int numberOfSections() const { return int(m_sections.size()); }
  int numberOfRowsInSection(int section) const;
  QRect rectForRowAtIndexPath(const IndexPath& indexPath) const;
  // The row at a point of the content, if any.
  bool indexPathForRowAtPoint(const QPointF& contentPos, IndexPath* indexPath) const;

  // The cell shown for a row in view; nullptr for rows out of view.
  TableViewCell* cellForRowAtIndexPath(const IndexPath& indexPath) const;
  QList<TableViewCell*> visibleCells() const;
  bool indexPathForCell(const TableViewCell* cell, IndexPath* indexPath) const;
  TableViewCell* dequeueReusableCellWithIdentifier(const QString& identifier);

  // What a tap on the row does (when rows may be chosen): selects it and tells the delegate.
  bool selectRowByUser(const IndexPath& indexPath);
  // Scrolls the row into view and gives its cell the keyboard; false for a row that is not there.
  bool focusRow(const IndexPath& indexPath);

  QAccessible::Role accessibleRole() const override { return QAccessible::List; }

  void selectRowAtIndexPath(const IndexPath& indexPath, bool animated);
  void deselectRowAtIndexPath(const IndexPath& indexPath, bool animated);
  bool indexPathForSelectedRow(IndexPath* indexPath) const;

 protected:
  void visibleRectDidChange() override;
  void contentTapped(const QPointF& contentPos) override;

 private:
  struct Section {
    std::vector<int> tops;     // of each row, content coordinates
    std::vector<int> heights;
  };
  // The first row of `s` whose bottom is below `y` (content coordinates); the row count if none.
  static size_t firstRowEndingBelow(const Section& s, double y);
  void layoutVisibleCells();
  void recycle(TableViewCell* cell);
  TableViewCell* makeCell(const IndexPath& indexPath);
  void styleCell(TableViewCell* cell, const IndexPath& indexPath);

  TableViewDataSource* m_dataSource = nullptr;
  TableViewDelegate* m_tableDelegate = nullptr;
  std::vector<Section> m_sections;
  int m_totalHeight = 0;
  int m_rowHeight = 44;
  SeparatorStyle m_separatorStyle = SeparatorStyle::SingleLine;
  QColor m_separatorColor = QColor(0xd8, 0xdb, 0xe0);
  bool m_allowsSelection = true;
  bool m_hasSelection = false;
  IndexPath m_selected;
  std::vector<std::pair<IndexPath, TableViewCell*>> m_visible;
  QHash<QString, QList<TableViewCell*>> m_reusable;
  bool m_inLayout = false;
};

}  // namespace ui
