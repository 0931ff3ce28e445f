#include "controls/gallery/GalleryPage.h"

#include "ui/Fonts.h"
#include "ui/Label.h"
#include "ui/Views.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

namespace controls::gallery {

#define TB_GALLERY_PAGE(factory) GalleryPage* factory();
#include "controls/gallery/GalleryPages.inc"
#undef TB_GALLERY_PAGE

const std::vector<GalleryPageFactory>& galleryPages() {
  static const std::vector<GalleryPageFactory> pages{
#define TB_GALLERY_PAGE(factory) &factory,
#include "controls/gallery/GalleryPages.inc"
#undef TB_GALLERY_PAGE
  };
  return pages;
}

namespace {

class Card : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -1.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1b, 0x27, 0x3b, 18));
    painter.drawRoundedRect(r.translated(0, 1), 12, 12);
    painter.setPen(QPen(QColor(0xd6, 0xdc, 0xe4), 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(r, 12, 12);
  }
};

}  // namespace

GalleryPage::GalleryPage(QWidget* parent) : QWidget(parent) {
  resize(kWidth, kHeight);
  ui::setBackgroundColor(this, QColor(0xe9, 0xed, 0xf2));
}

void GalleryPage::tap(QWidget* widget) {
  if (!widget) return;
  const QPointF local = QRectF(widget->rect()).center();
  const QPointF global = widget->mapToGlobal(local);
  QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &release);
}

const QColor& GalleryPage::textColor() {
  static const QColor color(0x1d, 0x28, 0x3a);
  return color;
}

const QColor& GalleryPage::secondaryTextColor() {
  static const QColor color(0x6b, 0x76, 0x87);
  return color;
}

QWidget* GalleryPage::addCard(const QRect& frame) {
  auto* card = new Card(this);
  card->setGeometry(frame);
  return card;
}

ui::Label* GalleryPage::addSectionTitle(const QString& text, int y, QWidget* parent) {
  auto* label = new ui::Label(QRect(18, y, kWidth - 36, 16), parent ? parent : this);
  label->setFont(ui::Fonts::font(QStringLiteral("Valdo-Medium"), 11.5));
  label->setTextColor(secondaryTextColor());
  label->setText(text.toUpper());
  return label;
}

ui::Label* GalleryPage::addCaption(const QString& text, const QRect& frame, QWidget* parent, Qt::Alignment align) {
  auto* label = new ui::Label(frame, parent ? parent : this);
  label->setFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), 13));
  label->setTextColor(textColor());
  label->setTextAlignment(align);
  label->setText(text);
  return label;
}

}  // namespace controls::gallery
