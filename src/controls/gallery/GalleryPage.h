#pragma once
// The controls gallery: every group of themed controls on a page of its own, in a few states and
// colours, for looking at them and for the tour's pictures ("controls-<page>.png", and
// "controls-<page>-<state>.png" for each further state).
//
// To add a page: write a file beside your controls that defines
//     controls::gallery::GalleryPage* makeMyThingsGalleryPage();
// (a subclass of GalleryPage, built with the helpers below), and add its one line to
// GalleryPages.inc.
#include <QColor>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

namespace ui {
class Label;
}

namespace controls::gallery {

class GalleryPage : public QWidget {
  Q_OBJECT
 public:
  // A page fills the area under the navigation bar.
  static constexpr int kWidth = 320;
  static constexpr int kHeight = 416;

  explicit GalleryPage(QWidget* parent = nullptr);

  // The picture name's part ("switches" gives "controls-switches.png"): lower case, no spaces.
  virtual QString name() const = 0;
  // The title in the navigation bar (a localized text).
  virtual QString title() const = 0;
  // Further states to picture, in order, each entered from the one before.
  virtual QStringList states() const { return {}; }
  virtual void enterState(const QString& /*state*/) {}

 protected:
  // Building blocks for a consistent look: a white rounded card, a small grey section title
  // above it, a caption in the page's text colour.
  QWidget* addCard(const QRect& frame);
  ui::Label* addSectionTitle(const QString& text, int y, QWidget* parent = nullptr);
  ui::Label* addCaption(const QString& text, const QRect& frame, QWidget* parent, Qt::Alignment align = Qt::AlignLeft);

  // A finger's tap on the middle of `widget` (press and release), for states that show what a
  // touch does.
  static void tap(QWidget* widget);

  static const QColor& textColor();
  static const QColor& secondaryTextColor();
};

using GalleryPageFactory = GalleryPage* (*)();

// Every page of the gallery, in order.
const std::vector<GalleryPageFactory>& galleryPages();

}  // namespace controls::gallery
