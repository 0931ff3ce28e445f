#pragma once
// Inside a Window, over the application area: dims what is below and shows the alerts, newest on
// top. Only the top alert is drawn; dismissing it uncovers the one below. Internal to the toolkit.
#include <QList>
#include <QPointer>
#include <QWidget>

namespace ui {
class AlertView;
}

namespace ui::detail {

class AlertLayer final : public QWidget {
  Q_OBJECT
 public:
  explicit AlertLayer(QWidget* window);

  void push(AlertView* alert);
  void remove(AlertView* alert);
  QList<AlertView*> alerts() const;
  AlertView* top() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void refresh();
  QList<QPointer<AlertView>> m_stack;
  QPointer<QWidget> m_focusBefore;
};

}  // namespace ui::detail
