#include "controls/CardList.h"

#include <QWidget>  // before the toolkit headers that guard widgets they only declare
#include "ui/ImageView.h"
#include "ui/Images.h"
#include "ui/ScrollView.h"
#include "ui/TableView.h"

#include <algorithm>

namespace controls {

CardList::CardList(QWidget* parent, ui::TableView* table) : m_table(table) {
  m_scroll = new ui::ScrollView(parent);
  m_scroll->setShowsHorizontalScrollIndicator(false);
  m_scroll->setAlwaysBounceVertical(true);
  m_card = new ui::ImageView(m_scroll->contentView());
  m_card->setImage(ui::Images::named(QStringLiteral("home_card.png")).stretchable(12, 12));
  table->setParent(m_scroll->contentView());
  table->move(kMargin, kMargin);
  table->show();
}

void CardList::layout(const QRect& frame, int tableHeight, int rowsHeight) {
  if (!m_scroll || !m_table) return;
  m_scroll->setGeometry(frame);
  const int width = kWidth - 2 * kMargin;
  m_table->resize(width, tableHeight);
  // The card's picture carries its shadow outside the rows.
  m_card->setGeometry(QRect(kMargin, kMargin, width, std::min(tableHeight, rowsHeight)).adjusted(-3, -2, 3, 4));
  m_scroll->setContentSize(QSize(kWidth, tableHeight + 2 * kMargin));
}

}  // namespace controls
