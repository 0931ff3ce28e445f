#pragma once
// The login's rows of the accounts used before, one per account: three show whole and, past
// them, half a row under a fade says that the others scroll. A row the keyboard reaches scrolls
// into view.
#include "ui/ScrollView.h"

#include <QList>
#include <QStringList>

namespace controls {
class RowButton;
}

namespace app {

class AccountRows : public ui::ScrollView, private ui::ScrollViewDelegate {
  Q_OBJECT
 public:
  static constexpr int kRowHeight = 42;
  static constexpr int kRowGap = 6;

  // Rows for up to `capacity` accounts, `width` wide; the top left corner at `origin`.
  AccountRows(const QPoint& origin, int width, int capacity, QWidget* parent);

  // Shows one row per label (the others hidden) and sizes the list: the height it takes.
  int setLabels(const QStringList& labels);
  const QList<controls::RowButton*>& rows() const { return m_rows; }

 signals:
  void chosen(int row);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void scrollViewDidScroll(ui::ScrollView* scroll) override;

  QList<controls::RowButton*> m_rows;
  QWidget* m_fade = nullptr;  // over the lower edge while more rows lie below
};

}  // namespace app
