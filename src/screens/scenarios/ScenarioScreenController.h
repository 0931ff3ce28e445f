#pragma once
// The scenario screens of the three domains: a header with the domain's picture and title, and
// below it, in a scrolling area, the scenario list of the domain (which fetches the scenarios as
// it is made). The list is 330 points high while it holds fewer than 7 scenarios and 50 points per
// scenario from 7 on.
#include "ui/Screen.h"

#include <QPointer>
#include <QString>

#include <memory>

#include "controls/CardList.h"
#include "controls/Refreshable.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/ScrollView.h"

class ScenarioTableViewController;

class ScenarioScreenController : public ui::Screen, public controls::Refreshable {
  Q_OBJECT
 public:
  static constexpr int kHeaderHeight = 85;
  static constexpr int kMinimumListHeight = 330;
  static constexpr int kListMargin = controls::CardList::kMargin;

  ~ScenarioScreenController() override;

  ScenarioTableViewController* listScenariosTableView() const { return m_list.get(); }
  ui::ScrollView* scrollView() const { return m_cardList ? m_cardList->scrollView() : nullptr; }
  ui::Label* titleLabel() const { return m_title; }
  const QString& headerImageName() const { return m_headerImage; }

  // The list's height for `count` scenarios.
  static int listHeightFor(int count);
  // Sizes the list and the scrolling area's content to the rows.
  void changeScrollContentSize();

  // Reads the scenarios again, quietly; the answer rebuilds the rows in place.
  void refresh() override;
  std::vector<backend::DataSet> dataShown() const override { return {backend::DataSet::Scenarios}; }
  ui::ScrollView* refreshScrollView() override { return scrollView(); }

 protected:
  ScenarioScreenController(QString headerImage, QString titleKey, QString filter, QObject* parent);
  void viewDidLoad() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QString m_headerImage;
  QString m_titleKey;
  QString m_filter;
  std::unique_ptr<ScenarioTableViewController> m_list;
  QPointer<ui::ImageView> m_header;
  QPointer<ui::Label> m_title;
  std::unique_ptr<controls::CardList> m_cardList;
};
