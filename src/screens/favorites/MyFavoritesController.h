#pragma once
// The favorites screen: a header with the title, and below it, in a scrolling area, the list of
// favorites (which fetches them as it is made). The list is 355 points high while it holds fewer
// than 7 favorites and 50 points per favorite from 7 on.
#include "controls/CardList.h"
#include "controls/Refreshable.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/Screen.h"
#include "ui/ScrollView.h"

#include <QPointer>

#include <memory>

class MyFavoritesTableView;

class MyFavoritesController : public ui::Screen, public controls::Refreshable {
  Q_OBJECT
 public:
  static constexpr int kHeaderHeight = 85;
  static constexpr int kMinimumListHeight = 355;
  static constexpr int kListMargin = controls::CardList::kMargin;

  explicit MyFavoritesController(QObject* parent = nullptr);
  ~MyFavoritesController() override;

  MyFavoritesTableView* tableView() const { return m_list.get(); }
  ui::ScrollView* scrollView() const { return m_cardList ? m_cardList->scrollView() : nullptr; }
  ui::Label* titleLabel() const { return m_title; }

  static int listHeightFor(int count);
  // Sizes the list and the scrolling area's content to the rows.
  void changeScrollContentSize();

  // Reads the favorites again, quietly; the answer rebuilds the rows in place.
  void refresh() override;
  std::vector<backend::DataSet> dataShown() const override { return {backend::DataSet::Favorites}; }
  ui::ScrollView* refreshScrollView() override { return scrollView(); }

 protected:
  void viewDidLoad() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::unique_ptr<MyFavoritesTableView> m_list;
  QPointer<ui::ImageView> m_header;
  QPointer<ui::Label> m_title;
  std::unique_ptr<controls::CardList> m_cardList;
};
