#pragma once
// A push button that carries two texts for the screens: the serial of the device it drives and
// the status that pressing it stands for ("ECO", "ON", ...). The button itself does nothing with
// them; the segmented selectors are made of these.
#include "ui/Button.h"

#include <QString>

class CustomButton : public ui::Button {
  Q_OBJECT
 public:
  explicit CustomButton(QWidget* parent = nullptr);
  CustomButton(const QRect& frame, QWidget* parent);

  const QString& serial() const { return m_serial; }
  void setSerial(const QString& serial) { m_serial = serial; }
  // The status the button stands for (named so because state() is the control's own state).
  const QString& status() const { return m_status; }
  void setStatus(const QString& status) { m_status = status; }

 private:
  QString m_serial;
  QString m_status;
};
