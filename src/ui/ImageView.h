#pragma once
// Shows one picture. Like every picture-showing widget of the toolkit it reports the name of the
// picture it shows, so tests can check what a screen displays. Takes no touches by default.
// Assistive technology sees a picture, named only when its screen names it (most are decoration).
#include "ui/Accessibility.h"
#include "ui/Image.h"

#include <QWidget>

namespace ui {

class ImageView : public QWidget, public AccessibleElement {
  Q_OBJECT
 public:
  enum class ContentMode { ScaleToFill, AspectFit, AspectFill, Center };

  explicit ImageView(QWidget* parent = nullptr);
  // Sized to the picture's natural size, at the origin.
  ImageView(const QString& imageName, QWidget* parent);
  ImageView(const QRect& frame, QWidget* parent);

  void setImageName(const QString& name);
  void setImage(const Image& image);
  const Image& image() const { return m_image; }
  // The name the picture was asked for; empty for decoded data or no picture.
  QString imageName() const { return m_image.name(); }

  void setContentMode(ContentMode mode);
  ContentMode contentMode() const { return m_mode; }

  // Resizes to the picture's natural size, keeping the position.
  void sizeToFit();
  QSize sizeHint() const override;

  QAccessible::Role accessibleRole() const override { return QAccessible::Graphic; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void updateOpacity();

  Image m_image;
  ContentMode m_mode = ContentMode::ScaleToFill;
};

}  // namespace ui
