#include "ui/ProgressHUD.h"

#include "ui/ActivityIndicatorView.h"
#include "ui/Animation.h"
#include "ui/Fonts.h"
#include "ui/Images.h"
#include "ui/Label.h"
#include "ui/Views.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace ui {
namespace {

constexpr int kMinPanelWidth = 120;
constexpr int kMaxPanelWidth = 260;
constexpr int kPanelHeight = 104;

// Assistive technology reads the panel as a busy progress indicator named by its label.
class HudPanel final : public QWidget, public AccessibleElement {
 public:
  explicit HudPanel(QWidget* parent) : QWidget(parent) {
    installAccessibility();
    setObjectName(QStringLiteral("hudPanel"));
  }

  QAccessible::Role accessibleRole() const override { return QAccessible::ProgressBar; }
  QString accessibleText() const override {
    const auto* label = findChild<Label*>();
    return label ? label->text() : QString();
  }
  void addAccessibleState(QAccessible::State& state) const override { state.busy = isVisible(); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Image background = Images::named(QStringLiteral("ui_hud_panel.png")).withCapInsets(QMargins(14, 14, 14, 14));
    if (!background.isNull()) {
      background.draw(painter, rect());
      return;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 204));
    painter.drawRoundedRect(rect(), 10, 10);
  }
};

// Covers the host: takes the touches while the overlay is up, lets them through otherwise.
class HudView final : public QWidget {
 public:
  explicit HudView(QWidget* parent) : QWidget(parent) { setObjectName(QStringLiteral("progressHUD")); }
};

}  // namespace

ProgressHUD::ProgressHUD(QWidget* host) : QObject(host), m_host(host) {
  m_view = new HudView(host);
  m_panel = new HudPanel(m_view);
  m_spinner = new ActivityIndicatorView(ActivityIndicatorView::Style::WhiteLarge, m_panel);
  m_label = new Label(m_panel);
  m_label->setFont(Fonts::font(QStringLiteral("Valdo-Bold"), 15));
  m_label->setTextColor(Qt::white);
  m_label->setTextAlignment(Qt::AlignHCenter);
  m_label->setText(QStringLiteral("Chargement ..."));
  m_view->hide();
  setUserInteractionEnabled(m_view, false);
  if (host) host->installEventFilter(this);
  layout();
}

ProgressHUD::~ProgressHUD() {
  if (m_host) m_host->removeEventFilter(this);
  delete m_view.data();
}

bool ProgressHUD::isOnScreen() const { return m_view && m_view->isVisible(); }

void ProgressHUD::setLabelText(const QString& text) {
  m_label->setText(text);
  layout();
}

QString ProgressHUD::labelText() const { return m_label->text(); }

void ProgressHUD::layout() {
  if (!m_view || !m_host) return;
  m_view->setGeometry(m_host->rect());
  // Measured when it shows: a hidden overlay's text would cost the start a font for nothing.
  if (!m_showing && !m_view->isVisible()) return;
  const int textWidth = QFontMetrics(m_label->font()).horizontalAdvance(m_label->text());
  const int panelWidth = std::clamp(textWidth + 36, kMinPanelWidth, kMaxPanelWidth);
  m_panel->setGeometry((m_view->width() - panelWidth) / 2, (m_view->height() - kPanelHeight) / 2, panelWidth,
                       kPanelHeight);
  m_spinner->move((panelWidth - m_spinner->width()) / 2, 20);
  m_label->setGeometry(10, 66, panelWidth - 20, 22);
}

void ProgressHUD::show(bool animated) {
  if (!m_view) return;
  m_showing = true;
  setUserInteractionEnabled(m_view, true);
  layout();
  if (!m_view->isVisible()) setAlpha(m_view, animated ? 0.0 : 1.0);
  m_view->show();
  m_view->raise();
  m_spinner->startAnimating();
  Animation::fadeTo(m_view, 1.0, animated ? kFadeSeconds : 0.0);
}

void ProgressHUD::hide(bool animated) {
  if (!m_view) return;
  m_showing = false;
  setUserInteractionEnabled(m_view, false);
  if (!m_view->isVisible()) return;
  QPointer<ProgressHUD> self(this);
  Animation::fadeTo(m_view, 0.0, animated ? kFadeSeconds : 0.0, [self](bool finished) {
    if (!finished || !self || self->m_showing || !self->m_view) return;
    self->m_view->hide();
    self->m_spinner->stopAnimating();
  });
}

bool ProgressHUD::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_host) {
    if (event->type() == QEvent::Resize) {
      layout();
    } else if (event->type() == QEvent::ChildAdded && m_view && m_view->isVisible()) {
      // Views added to the host later (a pushed screen, a new bar) stay under the overlay.
      m_view->raise();
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace ui
