#include "ui/TableViewCell.h"

#include "ui/KeyboardNavigation.h"
#include "ui/TableView.h"
#include "ui/Views.h"

#include <QKeyEvent>
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
  installAccessibility();
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

namespace {
TableView* tableOf(const QWidget* cell) {
  for (QWidget* w = cell->parentWidget(); w; w = w->parentWidget()) {
    if (auto* table = qobject_cast<TableView*>(w)) return table;
  }
  return nullptr;
}
}  // namespace

QString TableViewCell::accessibleText() const { return accessibleRowText(this); }

void TableViewCell::addAccessibleState(QAccessible::State& state) const {
  const TableView* table = tableOf(this);
  state.selectable = table && table->allowsSelection();
  state.selected = m_selected;
}

bool TableViewCell::accessiblePress() {
  TableView* table = tableOf(this);
  IndexPath path;
  if (!table || !isVisible() || !table->indexPathForCell(this, &path)) return false;
  return table->selectRowByUser(path);
}

void TableViewCell::keyPressEvent(QKeyEvent* event) {
  TableView* table = tableOf(this);
  IndexPath path;
  if (!table || !table->indexPathForCell(this, &path)) {
    QWidget::keyPressEvent(event);
    return;
  }
  switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!event->isAutoRepeat()) accessiblePress();
      break;
    case Qt::Key_Up:
    case Qt::Key_Down: {
      const int step = event->key() == Qt::Key_Up ? -1 : 1;
      table->focusRow({path.section, path.row + step});
      break;
    }
    case Qt::Key_Left:
    case Qt::Key_Right: {
      QWidget* scope = window();
      for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        // Within the screen or popup that holds the row.
        if (w->parentWidget() && w->parentWidget()->isWindow()) {
          scope = w;
          break;
        }
      }
      moveKeyboardFocusTowards(scope, this, event->key());
      break;
    }
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  event->accept();
}

}  // namespace ui
