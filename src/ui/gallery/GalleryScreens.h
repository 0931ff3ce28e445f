#pragma once
// The screens of the toolkit gallery: a home screen with controls, a table screen, a paged screen.
#include "ui/Screen.h"
#include "ui/ScrollView.h"
#include "ui/TableView.h"

#include <QStringList>

namespace ui {
class PageIndicator;
class ProgressHUD;
}

namespace gallery {

class HomeScreen : public ui::Screen {
  Q_OBJECT
 public:
  explicit HomeScreen(ui::ProgressHUD** hud);
  void showAlert();
  void showStackedAlerts();
  void openTable();
  void openPages();

 protected:
  void loadView() override;

 private:
  ui::ProgressHUD** m_hud;
};

class TableScreen : public ui::Screen, public ui::TableViewDataSource, public ui::TableViewDelegate {
  Q_OBJECT
 public:
  TableScreen();
  int tableViewNumberOfRowsInSection(ui::TableView*, int) override;
  ui::TableViewCell* tableViewCellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
  int tableViewHeightForRowAtIndexPath(ui::TableView*, const ui::IndexPath& path) override;
  void tableViewDidSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
  ui::TableView* table() const { return m_table; }

 protected:
  void loadView() override;

 private:
  ui::TableView* m_table = nullptr;
  QStringList m_rows;
};

class PagesScreen : public ui::Screen, public ui::ScrollViewDelegate {
  Q_OBJECT
 public:
  PagesScreen();
  void scrollViewDidScroll(ui::ScrollView* scrollView) override;
  bool shouldAutorotateToInterfaceOrientation(ui::Orientation orientation) const override;
  void didRotateFromInterfaceOrientation(ui::Orientation from) override;
  ui::ScrollView* pages() const { return m_pages; }

 protected:
  void loadView() override;

 private:
  ui::ScrollView* m_pages = nullptr;
  ui::PageIndicator* m_indicator = nullptr;
};

}  // namespace gallery
