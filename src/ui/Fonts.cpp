#include "ui/Fonts.h"

#include <QStringList>

#include <cmath>

#ifdef TB_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#include <pthread.h>
#include <sched.h>
#endif

namespace ui {
namespace {

const QString kFamily = QStringLiteral("Valdo");

struct Face {
  const char* suffix;
  QFont::Weight weight;
  const char* robotoFamily;
};

constexpr Face kFaces[] = {
    {"Light", QFont::Light, "Roboto Light"},
    {"Regular", QFont::Normal, "Roboto"},
    {"Medium", QFont::Medium, "Roboto Medium"},
    {"Bold", QFont::Bold, "Roboto"},
};

void applySize(QFont& font, double size) { font.setPixelSize(std::max(1, static_cast<int>(std::lround(size)))); }

#ifdef TB_HAVE_FONTCONFIG
struct Preparation {
  pthread_t thread{};
  bool running = false;
};

Preparation& preparation() {
  static Preparation p;
  return p;
}
#endif

}  // namespace

void Fonts::install() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QFont::insertSubstitutions(kFamily, {QStringLiteral("Roboto"), QStringLiteral("DejaVu Sans")});
  for (const Face& face : kFaces) {
    QFont::insertSubstitutions(kFamily + QLatin1Char('-') + QLatin1String(face.suffix),
                               {QLatin1String(face.robotoFamily), QStringLiteral("Roboto"), QStringLiteral("DejaVu Sans")});
  }
}

QFont Fonts::font(const QString& name, double size) {
  install();
  QFont font;
  bool known = false;
  if (name == kFamily) {
    font.setFamily(kFamily);
    font.setWeight(QFont::Normal);
    known = true;
  }
  for (const Face& face : kFaces) {
    if (name == kFamily + QLatin1Char('-') + QLatin1String(face.suffix)) {
      // The family carries the weight through the substitution, so both ways find the right face.
      font.setFamily(kFamily);
      font.setWeight(face.weight);
      known = true;
    }
  }
  if (!known) font.setFamily(name);
  applySize(font, size);
  return font;
}

void Fonts::prepareInBackground() {
#ifdef TB_HAVE_FONTCONFIG
  Preparation& p = preparation();
  if (p.running) return;
  // On another processor than the start's: sharing one, the two would only take turns (and a
  // new thread often lands beside its creator). With a single processor it is not worth a thread.
  cpu_set_t others;
  if (sched_getaffinity(0, sizeof others, &others) != 0) return;
  const int current = sched_getcpu();
  if (current >= 0) CPU_CLR(current, &others);
  if (CPU_COUNT(&others) == 0) return;
  // fontconfig keeps one configuration for the process and loads it safely from any thread; Qt's
  // font database finds it loaded.
  auto read = [](void*) -> void* {
    FcInit();
    return nullptr;
  };
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setaffinity_np(&attributes, sizeof others, &others);
  p.running = pthread_create(&p.thread, &attributes, read, nullptr) == 0;
  pthread_attr_destroy(&attributes);
#endif
}

void Fonts::waitForPreparation() {
#ifdef TB_HAVE_FONTCONFIG
  Preparation& p = preparation();
  if (!p.running) return;
  pthread_join(p.thread, nullptr);
  p.running = false;
#endif
}

QFont Fonts::systemFont(double size) { return font(QStringLiteral("Valdo-Regular"), size); }

QFont Fonts::boldSystemFont(double size) { return font(QStringLiteral("Valdo-Bold"), size); }

}  // namespace ui
