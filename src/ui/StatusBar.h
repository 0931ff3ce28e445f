#pragma once
// The 20-point strip at the top of the phone: signal and carrier on the left with the network
// activity indicator beside them, the clock ("HH:mm", from the scheduler's clock, so tests can set
// the time) in the middle, the battery on the right.
#include "foundation/Timer.h"

#include <QWidget>

namespace ui {

class ActivityIndicatorView;
class ImageView;
class Label;

class StatusBar : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kHeight = 20;

  explicit StatusBar(QWidget* parent = nullptr);

  bool isNetworkActivityVisible() const { return m_networkActivity; }
  QString clockText() const;
  QString carrierText() const;
  void setCarrierText(const QString& text);
  ActivityIndicatorView* activityIndicator() const { return m_activity; }

 public slots:
  // Driven by the network activity counter: shown exactly while requests are under way.
  void setNetworkActivityVisible(bool visible);
  // Re-reads the clock; also runs by itself at every new minute.
  void refreshClock();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void layoutContents();
  void placeActivity();

  ImageView* m_signal = nullptr;
  Label* m_carrier = nullptr;
  ActivityIndicatorView* m_activity = nullptr;
  Label* m_clock = nullptr;
  ImageView* m_battery = nullptr;
  bool m_networkActivity = false;
  foundation::Timer m_clockTimer;
};

}  // namespace ui
