#include "ui/TableViewCell.h"

#include "ui/Views.h"

#include <QLinearGradient>
#include <QPainter>

namespace ui {

// The look of a selected row when the cell has no selected background of its own.
class TableViewCell::SelectionLook final : public QWidget {
 public:
  explicit SelectionLook(TableViewCell* cell) : QWidget(cell), m_cell(cell) { setUserInteractionEnabled(this, false); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    if (m_cell->selectionStyle() == SelectionStyle::Gray) {
      gradient.setColorAt(0, QColor(0xd6, 0xd9, 0xde));
      gradient.setColorAt(1, QColor(0xb5, 0xba, 0xc2));
    } else {
      gradient.setColorAt(0, QColor(0x2f, 0x86, 0xe0));
      gradient.setColorAt(1, QColor(0x13, 0x5c, 0xb8));
    }
    painter.fillRect(rect(), gradient);
  }

 private:
  TableViewCell* m_cell;
};

TableViewCell::TableViewCell(const QString& reuseIdentifier, QWidget* parent)
    : QWidget(parent), m_reuseIdentifier(reuseIdentifier) {
  m_defaultSelectedLook = new SelectionLook(this);
  m_defaultSelectedLook->hide();
  m_content = new QWidget(this);
  m_content->setObjectName(QStringLiteral("contentView"));
  resize(320, 44);
}

void TableViewCell::setBackgroundView(QWidget* view) {
  if (m_background == view) return;
  delete m_background;
  m_background = view;
  if (view) {
    view->setParent(this);
    setUserInteractionEnabled(view, false);
    view->setGeometry(rect());
    view->lower();
  }
  updateLook();
}

void TableViewCell::setSelectedBackgroundView(QWidget* view) {
  if (m_selectedBackground == view) return;
  delete m_selectedBackground;
  m_selectedBackground = view;
  if (view) {
    view->setParent(this);
    setUserInteractionEnabled(view, false);
    view->setGeometry(rect());
  }
  updateLook();
}

void TableViewCell::setSelectionStyle(SelectionStyle style) {
  m_style = style;
  updateLook();
}

void TableViewCell::setSelected(bool selected, bool) {
  if (m_selected == selected) return;
  m_selected = selected;
  updateLook();
}

void TableViewCell::setHighlighted(bool highlighted) {
  if (m_highlighted == highlighted) return;
  m_highlighted = highlighted;
  updateLook();
}

void TableViewCell::setSeparator(const QColor& color) {
  if (!color.isValid() || color.alpha() == 0) {
    delete m_separator;
    m_separator = nullptr;
    return;
  }
  if (!m_separator) {
    m_separator = new QWidget(this);
    setUserInteractionEnabled(m_separator, false);
  }
  setBackgroundColor(m_separator, color);
  m_separator->setGeometry(0, height() - 1, width(), 1);
  m_separator->raise();
  m_separator->show();
}

void TableViewCell::updateLook() {
  const bool lit = (m_selected || m_highlighted) && m_style != SelectionStyle::None;
  QWidget* selectedLook = m_selectedBackground ? m_selectedBackground : m_defaultSelectedLook;
  if (m_selectedBackground) m_defaultSelectedLook->hide();
  if (m_background) m_background->setVisible(!lit || !m_selectedBackground);
  selectedLook->setVisible(lit);
  // Stacking: background, selected look, content.
  if (m_background) m_background->lower();
  selectedLook->stackUnder(m_content);
  m_content->raise();
  if (m_separator) m_separator->raise();
}

void TableViewCell::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  m_content->setGeometry(rect());
  m_defaultSelectedLook->setGeometry(rect());
  if (m_background) m_background->setGeometry(rect());
  if (m_selectedBackground) m_selectedBackground->setGeometry(rect());
  if (m_separator) m_separator->setGeometry(0, height() - 1, width(), 1);
}

}  // namespace ui
