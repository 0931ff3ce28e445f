#pragma once
// The progress overlay: a spinner with a label under it on a dark panel (opacity 0.8) in the
// middle of its host view, which it covers and keeps above the host's other children. It is
// modal while shown (the content below takes no touches) but does not dim the content.
//
// show() and hide() fade over 0.3 s when animated, at once otherwise, and are not counted: one
// hide() hides the overlay however many show() calls came before. When hidden it stays in place,
// ready for the next show().
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

class QWidget;

namespace ui {

class ActivityIndicatorView;
class Label;

class ProgressHUD : public QObject {
  Q_OBJECT
 public:
  static constexpr double kFadeSeconds = 0.3;

  // Lays the overlay over `host` (the overlay's view becomes a child of it), hidden.
  explicit ProgressHUD(QWidget* host);
  ~ProgressHUD() override;

  void show(bool animated);
  void hide(bool animated);
  // Whether the last call was a show.
  bool isShowing() const { return m_showing; }
  // Whether anything of it is on screen (also while fading out).
  bool isOnScreen() const;

  void setLabelText(const QString& text);
  QString labelText() const;

  QWidget* view() const { return m_view; }
  ActivityIndicatorView* activityIndicator() const { return m_spinner; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void layout();

  QPointer<QWidget> m_host;
  QPointer<QWidget> m_view;
  QWidget* m_panel = nullptr;
  ActivityIndicatorView* m_spinner = nullptr;
  Label* m_label = nullptr;
  bool m_showing = false;
};

}  // namespace ui
