#pragma once
// One row of a table: a content view for the row's widgets, an optional background and selected
// background, and a selection look. Cells are made by the table's data source and may be reused
// for other rows by identifier.
//
// Assistive technology reads a row as a list item named by its labels' texts. In a table that
// lets rows be chosen, a row takes the keyboard: Space or Return chooses it as a tap does, Up and
// Down go to the rows above and below, Left and Right to the nearest widget on that side.
#include "ui/Accessibility.h"

#include <QColor>
#include <QString>
#include <QWidget>

namespace ui {

class TableViewCell : public QWidget, public AccessibleElement {
  Q_OBJECT
 public:
  enum class SelectionStyle { None, Blue, Gray };

  explicit TableViewCell(const QString& reuseIdentifier = QString(), QWidget* parent = nullptr);

  const QString& reuseIdentifier() const { return m_reuseIdentifier; }
  // Holds the row's widgets; covers the cell.
  QWidget* contentView() const { return m_content; }

  // Drawn under the content; the selected background replaces it while selected or highlighted.
  // The cell takes ownership; passing nullptr removes it.
  void setBackgroundView(QWidget* view);
  void setSelectedBackgroundView(QWidget* view);
  QWidget* backgroundView() const { return m_background; }
  QWidget* selectedBackgroundView() const { return m_selectedBackground; }

  void setSelectionStyle(SelectionStyle style);
  SelectionStyle selectionStyle() const { return m_style; }

  bool isSelected() const { return m_selected; }
  void setSelected(bool selected, bool animated = false);
  bool isHighlighted() const { return m_highlighted; }
  void setHighlighted(bool highlighted);

  // Called before the table hands the cell out again for another row.
  virtual void prepareForReuse() {}

  // Drawn by the table: a separator line along the bottom.
  void setSeparator(const QColor& color);

  QAccessible::Role accessibleRole() const override { return QAccessible::ListItem; }
  QString accessibleText() const override;
  void addAccessibleState(QAccessible::State& state) const override;
  bool accessiblePress() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  class SelectionLook;
  void updateLook();

  QString m_reuseIdentifier;
  QWidget* m_content = nullptr;
  QWidget* m_background = nullptr;
  QWidget* m_selectedBackground = nullptr;
  QWidget* m_defaultSelectedLook = nullptr;
  SelectionStyle m_style = SelectionStyle::Blue;
  bool m_selected = false;
  bool m_highlighted = false;
  QWidget* m_separator = nullptr;
};

}  // namespace ui
