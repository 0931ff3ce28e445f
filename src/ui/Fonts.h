#pragma once
// The app's typeface "Valdo" in four weights, served by Roboto (DejaVu Sans when Roboto is
// missing). Sizes are in points, that is logical pixels of the phone canvas.
#include <QFont>
#include <QString>

namespace ui {

class Fonts final {
 public:
  // Registers the family substitutions: "Valdo" and "Valdo-Light/Regular/Medium/Bold". Safe to
  // call more than once; font() calls it.
  static void install();

  // "Valdo-Light", "Valdo-Regular", "Valdo-Medium", "Valdo-Bold" (or "Valdo"); any other name is
  // looked up as a family of its own.
  static QFont font(const QString& name, double size);
  static QFont systemFont(double size);
  static QFont boldSystemFont(double size);

  // Reads the system's font configuration on a thread of its own, while the start builds its
  // screens: the first text drawn would otherwise wait for it. Called first thing in main();
  // waitForPreparation() ends it before that first text (text measured before then still works:
  // it reads the configuration a second time). Without fontconfig both do nothing.
  static void prepareInBackground();
  static void waitForPreparation();
};

}  // namespace ui
