#include "ui/TableView.h"

#include <QPointer>

#include <algorithm>

namespace ui {

int TableViewDelegate::tableViewHeightForRowAtIndexPath(TableView* tableView, const IndexPath&) {
  return tableView->rowHeight();
}

TableView::TableView(QWidget* parent) : ScrollView(parent) {
  setAlwaysBounceVertical(true);
  setShowsHorizontalScrollIndicator(false);
}

TableView::TableView(const QRect& frame, QWidget* parent) : TableView(parent) { setGeometry(frame); }

TableView::~TableView() {
  m_dataSource = nullptr;
  m_tableDelegate = nullptr;
  ScrollView::setDelegate(nullptr);
}

void TableView::setDataSource(TableViewDataSource* dataSource) { m_dataSource = dataSource; }

void TableView::setDelegate(TableViewDelegate* delegate) {
  m_tableDelegate = delegate;
  ScrollView::setDelegate(delegate);
}

void TableView::setSeparatorStyle(SeparatorStyle style) {
  m_separatorStyle = style;
  for (auto& [path, cell] : m_visible) styleCell(cell, path);
}

void TableView::setSeparatorColor(const QColor& color) {
  m_separatorColor = color;
  for (auto& [path, cell] : m_visible) styleCell(cell, path);
}

int TableView::numberOfRowsInSection(int section) const {
  if (section < 0 || section >= numberOfSections()) return 0;
  return int(m_sections[size_t(section)].heights.size());
}

QRect TableView::rectForRowAtIndexPath(const IndexPath& p) const {
  if (p.row < 0 || p.row >= numberOfRowsInSection(p.section)) return {};
  const Section& s = m_sections[size_t(p.section)];
  return QRect(0, s.tops[size_t(p.row)], width(), s.heights[size_t(p.row)]);
}

bool TableView::indexPathForRowAtPoint(const QPointF& pos, IndexPath* indexPath) const {
  for (int section = 0; section < numberOfSections(); ++section) {
    const Section& s = m_sections[size_t(section)];
    const size_t row = firstRowEndingBelow(s, pos.y());
    if (row < s.tops.size() && pos.y() >= s.tops[row]) {
      if (indexPath) *indexPath = {section, int(row)};
      return true;
    }
  }
  return false;
}

size_t TableView::firstRowEndingBelow(const Section& s, double y) {
  // Rows lie one after the other, so their bottoms never decrease: a binary search finds the
  // first one in view however long the list is.
  size_t low = 0, high = s.tops.size();
  while (low < high) {
    const size_t mid = low + (high - low) / 2;
    if (s.tops[mid] + s.heights[mid] > y) high = mid;
    else low = mid + 1;
  }
  return low;
}

void TableView::recycle(TableViewCell* cell) {
  cell->hide();
  cell->setSelected(false);
  cell->setHighlighted(false);
  if (cell->reuseIdentifier().isEmpty()) {
    cell->deleteLater();
    return;
  }
  m_reusable[cell->reuseIdentifier()].append(cell);
}

TableViewCell* TableView::dequeueReusableCellWithIdentifier(const QString& identifier) {
  auto it = m_reusable.find(identifier);
  if (it == m_reusable.end() || it->isEmpty()) return nullptr;
  TableViewCell* cell = it->takeLast();
  cell->prepareForReuse();
  return cell;
}

void TableView::reloadData() {
  for (auto& [path, cell] : m_visible) recycle(cell);
  m_visible.clear();
  m_sections.clear();
  m_hasSelection = false;

  int top = 0;
  QPointer<TableView> self(this);
  if (m_dataSource) {
    const int sections = std::max(0, m_dataSource->numberOfSectionsInTableView(this));
    for (int section = 0; section < sections && self; ++section) {
      Section s;
      const int rows = std::max(0, m_dataSource->tableViewNumberOfRowsInSection(this, section));
      s.tops.reserve(size_t(rows));
      s.heights.reserve(size_t(rows));
      for (int row = 0; row < rows; ++row) {
        const int h = std::max(0, m_tableDelegate ? m_tableDelegate->tableViewHeightForRowAtIndexPath(this, {section, row})
                                                  : m_rowHeight);
        s.tops.push_back(top);
        s.heights.push_back(h);
        top += h;
      }
      m_sections.push_back(std::move(s));
    }
  }
  if (!self) return;
  m_totalHeight = top;
  setContentSize(QSize(width(), top));
  layoutVisibleCells();
}

void TableView::styleCell(TableViewCell* cell, const IndexPath&) {
  cell->setSeparator(m_separatorStyle == SeparatorStyle::SingleLine ? m_separatorColor : QColor());
}

TableViewCell* TableView::makeCell(const IndexPath& indexPath) {
  TableViewCell* cell = m_dataSource->tableViewCellForRowAtIndexPath(this, indexPath);
  if (!cell) cell = new TableViewCell();  // a data source without a cell still gets an empty row
  cell->setParent(contentView());
  cell->setGeometry(rectForRowAtIndexPath(indexPath));
  styleCell(cell, indexPath);
  // Rows that can be chosen take the keyboard, like the controls they stand for.
  cell->setFocusPolicy(m_allowsSelection && m_tableDelegate ? Qt::TabFocus : Qt::NoFocus);
  cell->setSelected(m_hasSelection && m_selected == indexPath);
  cell->show();
  return cell;
}

void TableView::layoutVisibleCells() {
  if (m_inLayout || !m_dataSource) return;
  m_inLayout = true;
  const double top = contentOffset().y();
  const double bottom = top + height();
  std::vector<std::pair<IndexPath, TableViewCell*>> keep;
  std::vector<IndexPath> wanted;
  for (int section = 0; section < numberOfSections(); ++section) {
    const Section& s = m_sections[size_t(section)];
    for (size_t row = firstRowEndingBelow(s, top); row < s.tops.size() && s.tops[row] < bottom; ++row) {
      if (s.heights[row] > 0) wanted.push_back({section, int(row)});
    }
  }
  for (auto& entry : m_visible) {
    if (std::find(wanted.begin(), wanted.end(), entry.first) != wanted.end()) {
      entry.second->setGeometry(rectForRowAtIndexPath(entry.first));
      keep.push_back(entry);
    } else {
      recycle(entry.second);
    }
  }
  m_visible = std::move(keep);
  for (const IndexPath& path : wanted) {
    const bool shown = std::any_of(m_visible.begin(), m_visible.end(), [&](const auto& e) { return e.first == path; });
    if (!shown) m_visible.emplace_back(path, makeCell(path));
  }
  std::sort(m_visible.begin(), m_visible.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  m_inLayout = false;
}

void TableView::visibleRectDidChange() {
  // A width change reaches the rows; the content keeps the table's width.
  if (contentSize().width() != width() && !m_sections.empty() && !m_inLayout) setContentSize(QSize(width(), m_totalHeight));
  layoutVisibleCells();
}

TableViewCell* TableView::cellForRowAtIndexPath(const IndexPath& indexPath) const {
  for (const auto& [path, cell] : m_visible) {
    if (path == indexPath) return cell;
  }
  return nullptr;
}

QList<TableViewCell*> TableView::visibleCells() const {
  QList<TableViewCell*> cells;
  for (const auto& entry : m_visible) cells << entry.second;
  return cells;
}

bool TableView::indexPathForCell(const TableViewCell* cell, IndexPath* indexPath) const {
  for (const auto& [path, c] : m_visible) {
    if (c == cell) {
      if (indexPath) *indexPath = path;
      return true;
    }
  }
  return false;
}

void TableView::selectRowAtIndexPath(const IndexPath& indexPath, bool animated) {
  if (indexPath.row < 0 || indexPath.row >= numberOfRowsInSection(indexPath.section)) return;
  if (m_hasSelection) {
    if (auto* old = cellForRowAtIndexPath(m_selected)) old->setSelected(false, animated);
  }
  m_hasSelection = true;
  m_selected = indexPath;
  if (auto* cell = cellForRowAtIndexPath(indexPath)) cell->setSelected(true, animated);
}

void TableView::deselectRowAtIndexPath(const IndexPath& indexPath, bool animated) {
  if (!m_hasSelection || !(m_selected == indexPath)) return;
  m_hasSelection = false;
  if (auto* cell = cellForRowAtIndexPath(indexPath)) cell->setSelected(false, animated);
}

bool TableView::indexPathForSelectedRow(IndexPath* indexPath) const {
  if (m_hasSelection && indexPath) *indexPath = m_selected;
  return m_hasSelection;
}

void TableView::contentTapped(const QPointF& contentPos) {
  IndexPath path;
  if (indexPathForRowAtPoint(contentPos, &path)) selectRowByUser(path);
}

bool TableView::selectRowByUser(const IndexPath& path) {
  if (!m_allowsSelection || path.row < 0 || path.row >= numberOfRowsInSection(path.section)) return false;
  selectRowAtIndexPath(path, false);
  if (m_tableDelegate) m_tableDelegate->tableViewDidSelectRowAtIndexPath(this, path);
  return true;
}

bool TableView::focusRow(const IndexPath& path) {
  if (path.row < 0 || path.row >= numberOfRowsInSection(path.section)) return false;
  scrollRectToVisible(rectForRowAtIndexPath(path), false);
  TableViewCell* cell = cellForRowAtIndexPath(path);
  if (!cell || !(cell->focusPolicy() & Qt::TabFocus)) return false;
  cell->setFocus(Qt::TabFocusReason);
  return true;
}

}  // namespace ui
