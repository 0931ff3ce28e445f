#include "ui/Screen.h"

#include "ui/NavigationController.h"

namespace ui {

Screen::Screen(QObject* parent) : QObject(parent), m_navigationItem(new NavigationItem(this)) {}

Screen::~Screen() {
  // The view belongs to the screen even while a container shows it.
  delete m_view.data();
}

QWidget* Screen::view() {
  if (!m_view && !m_loading) {
    m_loading = true;
    loadView();
    if (!m_view) setView(new QWidget());
    m_loading = false;
    viewDidLoad();
  }
  return m_view;
}

void Screen::loadView() {
  auto* view = new QWidget();
  view->resize(320, 460);
  setView(view);
}

void Screen::setView(QWidget* view) {
  if (m_view == view) return;
  delete m_view.data();
  m_view = view;
}

NavigationController* Screen::navigationController() const { return m_navigationController.data(); }

void Screen::setNavigationController(NavigationController* controller) { m_navigationController = controller; }

bool Screen::shouldAutorotateToInterfaceOrientation(Orientation orientation) const {
  return orientation == Orientation::Portrait;
}

}  // namespace ui
