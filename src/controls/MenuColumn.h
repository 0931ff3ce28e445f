#pragma once
// One column of the main menu: a table of fixed rows, each with a picture that is the whole row,
// one or two labels and the class name of the screen it opens. Choosing a row records that name
// in UISessionManager and emits itemChosen(); the menu screen does the rest.
//
// LeftVerticalNav and RightVerticalNav are the two columns; this class holds what they share.
#include "ui/TableView.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

#include <vector>

namespace controls {

struct MenuRow {
  int height;                    // points
  const char* labelKey;          // first label, localized
  const char* secondLabelKey;    // second label, localized; nullptr shows ""
  const char* imageName;         // the row's background, also when selected
  const char* screenName;        // what the row opens
};

class MenuColumn : public QObject, public ui::TableViewDataSource, public ui::TableViewDelegate {
  Q_OBJECT
 public:
  static constexpr int kFirstLabelTag = 3000;
  static constexpr int kSecondLabelTag = 4000;
  static constexpr int kFirstLabelTop = 20;
  static constexpr int kSecondLabelTop = 35;
  static constexpr double kLabelFontSize = 14;

  // `labelLeft`: where the labels start inside a row, in points.
  MenuColumn(std::vector<MenuRow> rows, int labelLeft);
  ~MenuColumn() override;
  MenuColumn(const MenuColumn&) = delete;
  MenuColumn& operator=(const MenuColumn&) = delete;

  // The column's table, made on first use with `frame` inside `parent`: one section, no
  // scrolling, no separators.
  ui::TableView* tableViewWithFrame(const QRect& frame, QWidget* parent);
  ui::TableView* tableView() const { return m_table; }

  const std::vector<MenuRow>& rows() const { return m_rows; }

  int numberOfSectionsInTableView(ui::TableView* tableView) override;
  int tableViewNumberOfRowsInSection(ui::TableView* tableView, int section) override;
  int tableViewHeightForRowAtIndexPath(ui::TableView* tableView, const ui::IndexPath& indexPath) override;
  ui::TableViewCell* tableViewCellForRowAtIndexPath(ui::TableView* tableView, const ui::IndexPath& indexPath) override;
  void tableViewDidSelectRowAtIndexPath(ui::TableView* tableView, const ui::IndexPath& indexPath) override;

  // A new menu cell of that kind, with its two empty labels.
  ui::TableViewCell* getCellContentView(const QString& cellIdentifier);
  // Records the row's screen as the chosen one and announces it.
  void onItemClicked(int row);

 signals:
  void itemChosen(const QString& screenName);

 private:
  std::vector<MenuRow> m_rows;
  int m_labelLeft;
  QPointer<ui::TableView> m_table;
};

}  // namespace controls
