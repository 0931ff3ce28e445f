#pragma once
// A tappable row of a list of choices (an account on the login, an entry of the settings): a
// rounded card with a title, an optional detail under it or at its right, and a chevron when the
// row leads somewhere, or a check mark on the chosen one of a set; a destructive row is in red. Space or Return acts as a tap, as on every control.
#include "ui/Control.h"

#include <QString>

namespace controls {

class RowButton : public ui::Control {
  Q_OBJECT
 public:
  enum class Style { Light, Destructive };

  RowButton(const QRect& frame, Style style, QWidget* parent);

  void setTitle(const QString& title);
  QString title() const { return m_title; }
  // Under the title, in smaller type; or, with `atRight`, at the row's right end.
  void setDetail(const QString& detail, bool atRight = false);
  QString detail() const { return m_detail; }
  void setShowsChevron(bool shows);
  // Room kept free at the right end for a control laid over the row (a switch).
  void setAccessoryWidth(int width);
  // A chosen row of a set of choices shows a check mark and says it is checked.
  void setChecked(bool checked);
  bool isChecked() const { return m_checked; }

  QString accessibleText() const override { return m_detail.isEmpty() ? m_title : m_title + QStringLiteral(", ") + m_detail; }
  void addAccessibleState(QAccessible::State& state) const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Style m_style;
  QString m_title;
  QString m_detail;
  bool m_detailAtRight = false;
  bool m_chevron = false;
  bool m_checked = false;
  int m_accessoryWidth = 0;
};

}  // namespace controls
