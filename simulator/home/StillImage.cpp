#include "home/StillImage.h"

#include "home/HomeJson.h"
#include "home/Noise.h"

#include <QBuffer>
#include <QDateTime>
#include <QPainter>
#include <QPainterPath>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace simhome {

namespace {

constexpr int kSceneWidth = 640;
constexpr int kSceneHeight = 360;
constexpr int kPanStepPx = (kSceneWidth - StillImageRenderer::kWidth) / (2 * kPanSteps);
constexpr int kTiltStepPx = (kSceneHeight - StillImageRenderer::kHeight) / (2 * kTiltSteps);

double hourOfDay(qint64 ms, const QString& zoneId) {
  QDateTime t = QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc());
  const QTimeZone zone(zoneId.toUtf8());
  t = zone.isValid() ? t.toTimeZone(zone) : t.toLocalTime();
  return t.time().hour() + t.time().minute() / 60.0;
}

// Daylight from 0 (night) to 1 (midday), with dawn and dusk around 7:00 and 20:00.
double daylight(double hour) {
  const double rise = std::clamp((hour - 6.0) / 2.0, 0.0, 1.0);
  const double set = std::clamp((21.0 - hour) / 2.0, 0.0, 1.0);
  return std::min(rise, set);
}

QColor blend(const QColor& a, const QColor& b, double t) {
  return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
                          float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

void drawHouse(QPainter& p, double light) {
  p.setPen(Qt::NoPen);
  p.setBrush(blend(QColor(70, 60, 55), QColor(222, 205, 180), light));
  p.drawRect(180, 130, 280, 170);
  QPainterPath roof;
  roof.moveTo(160, 135);
  roof.lineTo(320, 60);
  roof.lineTo(480, 135);
  roof.closeSubpath();
  p.setBrush(blend(QColor(60, 25, 20), QColor(165, 60, 45), light));
  p.drawPath(roof);
  p.setBrush(QColor(90, 55, 30));
  p.drawRect(295, 200, 50, 100);  // the door
  p.setBrush(light < 0.3 ? QColor(250, 220, 120) : QColor(150, 190, 220));
  p.drawRect(210, 170, 50, 40);
  p.drawRect(380, 170, 50, 40);
}

void drawGarden(QPainter& p, double light) {
  p.setPen(Qt::NoPen);
  p.setBrush(blend(QColor(40, 30, 20), QColor(110, 75, 45), light));
  p.drawRect(140, 170, 22, 90);  // trunk
  p.setBrush(blend(QColor(15, 45, 20), QColor(50, 140, 60), light));
  p.drawEllipse(QPointF(151, 150), 70, 60);
  p.setBrush(blend(QColor(40, 40, 45), QColor(200, 200, 205), light));
  p.drawRect(380, 210, 160, 12);  // a garden bench
  p.drawRect(390, 222, 10, 30);
  p.drawRect(520, 222, 10, 30);
  p.setBrush(blend(QColor(30, 40, 70), QColor(90, 150, 210), light));
  p.drawEllipse(QPointF(470, 300), 90, 22);  // the pond
}

void drawStreet(QPainter& p, double light) {
  p.setPen(Qt::NoPen);
  p.setBrush(blend(QColor(30, 30, 32), QColor(95, 95, 100), light));
  p.drawRect(0, 250, kSceneWidth, 70);
  p.setBrush(QColor(230, 230, 210));
  for (int x = 10; x < kSceneWidth; x += 60) p.drawRect(x, 283, 30, 5);
  p.setBrush(blend(QColor(50, 50, 55), QColor(160, 160, 165), light));
  p.drawRect(520, 120, 8, 130);  // a street lamp
  p.setBrush(light < 0.3 ? QColor(255, 230, 150) : QColor(200, 200, 200));
  p.drawEllipse(QPointF(524, 118), 12, 8);
}

void drawCar(QPainter& p, double x, double y, const QColor& colour) {
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawRoundedRect(QRectF(x, y, 70, 20), 6, 6);
  p.drawRoundedRect(QRectF(x + 14, y - 14, 40, 18), 6, 6);
  p.setBrush(QColor(20, 20, 20));
  p.drawEllipse(QPointF(x + 15, y + 20), 8, 8);
  p.drawEllipse(QPointF(x + 55, y + 20), 8, 8);
}

void drawBird(QPainter& p, double x, double y, double flap) {
  QPen pen(QColor(30, 30, 30), 3);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  const double wing = 8 + 6 * flap;
  p.drawLine(QPointF(x - 14, y - wing), QPointF(x, y));
  p.drawLine(QPointF(x, y), QPointF(x + 14, y - wing));
}

}  // namespace

QImage StillImageRenderer::picture(const Device& camera, qint64 nowMs, const QString& timeZoneId) const {
  const double hour = hourOfDay(nowMs, timeZoneId);
  const double light = daylight(hour);
  QImage scene(kSceneWidth, kSceneHeight, QImage::Format_RGB32);
  {
    QPainter p(&scene);
    p.setRenderHint(QPainter::Antialiasing);
    // Sky, then the ground.
    QLinearGradient sky(0, 0, 0, 200);
    sky.setColorAt(0, blend(QColor(8, 12, 35), QColor(80, 150, 230), light));
    sky.setColorAt(1, blend(QColor(25, 30, 60), QColor(190, 220, 245), light));
    p.fillRect(0, 0, kSceneWidth, 200, sky);
    p.fillRect(0, 200, kSceneWidth, kSceneHeight - 200, blend(QColor(20, 35, 20), QColor(95, 160, 80), light));
    // The sun or the moon crosses the sky during the day or the night.
    const double arc = std::fmod(hour + 18.0, 12.0) / 12.0;
    p.setPen(Qt::NoPen);
    p.setBrush(light > 0.2 ? QColor(255, 225, 90) : QColor(235, 235, 220));
    p.drawEllipse(QPointF(40 + arc * (kSceneWidth - 80), 80 - 50 * std::sin(arc * 3.14159)), 16, 16);

    if (camera.type == "FCAM") drawHouse(p, light);
    else if (camera.type == "RCAM") drawGarden(p, light);
    else drawStreet(p, light);

    // The moving element: its place follows the clock, so two pictures are never alike.
    const double period = camera.type == "OCAM" ? 12000.0 : 20000.0;
    const double phase = std::fmod(double(nowMs) / period + unitNoise(m_seed, 0xCA11, camera.id), 1.0);
    const double x = -80 + phase * (kSceneWidth + 160);
    if (camera.type == "OCAM") drawCar(p, x, 262, QColor::fromHsv(int(unitNoise(m_seed, 0xC0, nowMs / qint64(period)) * 359), 180, 200));
    else drawBird(p, x, 60 + 30 * std::sin(phase * 12.0), std::sin(double(nowMs) / 150.0));
  }

  // The part of the scene the camera looks at.
  const int left = (kSceneWidth - kWidth) / 2 + camera.pan * kPanStepPx;
  const int top = (kSceneHeight - kHeight) / 2 - camera.tilt * kTiltStepPx;
  QImage view = scene.copy(left, top, kWidth, kHeight);
  QPainter p(&view);
  p.setRenderHint(QPainter::TextAntialiasing);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(13);
  font.setBold(true);
  p.setFont(font);
  p.fillRect(0, 0, kWidth, 20, QColor(0, 0, 0, 140));
  p.fillRect(0, kHeight - 20, kWidth, 20, QColor(0, 0, 0, 140));
  p.setPen(Qt::white);
  p.drawText(QRect(6, 0, kWidth - 12, 20), Qt::AlignVCenter | Qt::AlignLeft, camera.name);
  if (camera.motorised)
    p.drawText(QRect(6, 0, kWidth - 12, 20), Qt::AlignVCenter | Qt::AlignRight,
               QStringLiteral("pan %1  tilt %2").arg(camera.pan).arg(camera.tilt));
  p.drawText(QRect(6, kHeight - 20, kWidth - 12, 20), Qt::AlignVCenter | Qt::AlignLeft, formatDate(nowMs, timeZoneId));
  p.setPen(QColor(255, 80, 80));
  p.drawText(QRect(6, kHeight - 20, kWidth - 12, 20), Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("● %1").arg(camera.type));
  p.end();
  return view;
}

QByteArray StillImageRenderer::render(const Device& camera, qint64 nowMs, const QString& timeZoneId) const {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const QImage image = picture(camera, nowMs, timeZoneId);
  // Without Qt's JPEG plugin a PNG still gives the app a picture it can decode.
  if (!image.save(&buffer, "JPG", 70)) {
    bytes.clear();
    buffer.seek(0);
    image.save(&buffer, "PNG");
  }
  return bytes;
}

}  // namespace simhome
