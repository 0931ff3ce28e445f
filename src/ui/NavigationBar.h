#pragma once
// The bar above the screens of a navigation controller, 44 points high: the top screen's title,
// its left and right buttons, and a back button titled after the screen below. The background
// is a picture stretched over the whole bar ("ui_navbar.png" unless replaced); the tint colours
// the buttons. A controller's bar can be replaced by a subclass (see NavigationController).
#include "ui/NavigationItem.h"

#include <QColor>
#include <QPointer>
#include <QWidget>

namespace ui {

class BarButtonItem;
class Button;
class Label;

class NavigationBar : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kHeight = 44;

  explicit NavigationBar(QWidget* parent = nullptr);

  void setBackgroundImageName(const QString& name);
  QString backgroundImageName() const { return m_backgroundName; }
  void setTintColor(const QColor& color);
  QColor tintColor() const { return m_tint; }

  // The items on show: the top screen's, and the one below it (none for the root).
  void setItems(NavigationItem* top, NavigationItem* below);
  NavigationItem* topItem() const { return m_top; }
  NavigationItem* backItem() const { return m_below; }

  // The widgets on show; nullptr when the bar shows no such button.
  Button* backButton() const;
  Button* leftButton() const;
  Button* rightButton() const;
  Label* titleLabel() const { return m_title; }

 signals:
  // The back button was pressed.
  void backRequested();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void rebuild();
  void layoutContents();
  Button* makeItemButton(BarButtonItem* item);
  void styleButton(Button* button, const QString& backgroundName, int leftCap);

  QString m_backgroundName = QStringLiteral("ui_navbar.png");
  QColor m_tint;
  QPointer<NavigationItem> m_top;
  QPointer<NavigationItem> m_below;
  Label* m_title = nullptr;
  Button* m_back = nullptr;
  Button* m_left = nullptr;
  Button* m_right = nullptr;
};

}  // namespace ui
