#pragma once
// A list on a white card under a screen's header, in a scroll area that bounces (the favorites and
// scenario screens). The card holds the rows only, not the room below them; the table keeps a
// height of its own so that a short list still leaves the area to pull down.
#include <QPointer>
#include <QRect>

class QWidget;

namespace ui {
class ImageView;
class ScrollView;
class TableView;
}  // namespace ui

namespace controls {

class CardList {
 public:
  static constexpr int kMargin = 10;  // around the card
  static constexpr int kWidth = 320;  // the card keeps the portrait width when the phone turns

  // Makes the scroll area in `parent` and puts `table` on its card.
  CardList(QWidget* parent, ui::TableView* table);

  ui::ScrollView* scrollView() const { return m_scroll; }
  // Places the scroll area at `frame` (in its parent), makes the table `tableHeight` high and the
  // card cover `rowsHeight` of it.
  void layout(const QRect& frame, int tableHeight, int rowsHeight);

 private:
  QPointer<ui::ScrollView> m_scroll;
  QPointer<ui::ImageView> m_card;
  QPointer<ui::TableView> m_table;
};

}  // namespace controls
