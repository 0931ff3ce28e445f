#include "controls/MenuColumn.h"

#include "controls/UISessionManager.h"

#include "foundation/Strings.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/Views.h"

namespace controls {
namespace {

const QString kCellIdentifier = QStringLiteral("CELLID");
constexpr int kLabelHeight = 16;

ui::ImageView* rowPicture(const char* name) {
  auto* view = new ui::ImageView();
  view->setImageName(QString::fromLatin1(name));
  return view;
}

}  // namespace

MenuColumn::MenuColumn(std::vector<MenuRow> rows, int labelLeft) : m_rows(std::move(rows)), m_labelLeft(labelLeft) {}

MenuColumn::~MenuColumn() {
  // The table lives in the menu's view; it must not call back into a column that is gone.
  if (m_table) {
    m_table->setDataSource(nullptr);
    m_table->setDelegate(nullptr);
  }
}

ui::TableView* MenuColumn::tableViewWithFrame(const QRect& frame, QWidget* parent) {
  if (m_table) return m_table;
  m_table = new ui::TableView(frame, parent);
  m_table->setObjectName(QStringLiteral("menuColumn"));
  m_table->setScrollEnabled(false);
  m_table->setBounces(false);
  m_table->setShowsVerticalScrollIndicator(false);
  m_table->setSeparatorStyle(ui::TableView::SeparatorStyle::None);
  m_table->setDataSource(this);
  m_table->setDelegate(this);
  m_table->reloadData();
  return m_table;
}

int MenuColumn::numberOfSectionsInTableView(ui::TableView*) { return 1; }

int MenuColumn::tableViewNumberOfRowsInSection(ui::TableView*, int section) {
  return section == 0 ? int(m_rows.size()) : 0;
}

int MenuColumn::tableViewHeightForRowAtIndexPath(ui::TableView*, const ui::IndexPath& indexPath) {
  if (indexPath.row < 0 || indexPath.row >= int(m_rows.size())) return 0;
  return m_rows[size_t(indexPath.row)].height;
}

ui::TableViewCell* MenuColumn::getCellContentView(const QString& cellIdentifier) {
  auto* cell = new ui::TableViewCell(cellIdentifier);
  const int width = (m_table ? m_table->width() : 320) - m_labelLeft - 6;
  const QFont font = ui::Fonts::font(QStringLiteral("Valdo-Light"), kLabelFontSize);
  for (const auto& [tag, top] : {std::pair{kFirstLabelTag, kFirstLabelTop}, std::pair{kSecondLabelTag, kSecondLabelTop}}) {
    auto* label = new ui::Label(QRect(m_labelLeft, top, width, kLabelHeight), cell->contentView());
    label->setFont(font);
    label->setTextColor(Qt::white);
    ui::setTag(label, tag);
  }
  return cell;
}

ui::TableViewCell* MenuColumn::tableViewCellForRowAtIndexPath(ui::TableView* tableView, const ui::IndexPath& indexPath) {
  ui::TableViewCell* cell = tableView->dequeueReusableCellWithIdentifier(kCellIdentifier);
  if (!cell) cell = getCellContentView(kCellIdentifier);
  if (indexPath.row < 0 || indexPath.row >= int(m_rows.size())) return cell;
  const MenuRow& row = m_rows[size_t(indexPath.row)];

  ui::viewWithTag<ui::Label>(cell, kFirstLabelTag)->setText(foundation::localized(row.labelKey));
  ui::viewWithTag<ui::Label>(cell, kSecondLabelTag)
      ->setText(row.secondLabelKey ? foundation::localized(row.secondLabelKey) : QString());
  // The picture is the row: the same one whether the row is selected or not.
  cell->setBackgroundView(rowPicture(row.imageName));
  cell->setSelectedBackgroundView(rowPicture(row.imageName));
  cell->setSelectionStyle(ui::TableViewCell::SelectionStyle::Gray);
  return cell;
}

void MenuColumn::tableViewDidSelectRowAtIndexPath(ui::TableView*, const ui::IndexPath& indexPath) {
  onItemClicked(indexPath.row);
}

void MenuColumn::onItemClicked(int row) {
  if (row < 0 || row >= int(m_rows.size())) return;
  const QString screenName = QString::fromLatin1(m_rows[size_t(row)].screenName);
  UISessionManager::getInstance().setSelectedNavItem(screenName);
  emit itemChosen(screenName);
}

}  // namespace controls
