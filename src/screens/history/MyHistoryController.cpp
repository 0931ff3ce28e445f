#include "screens/history/MyHistoryController.h"

#include "backend/BESessionManager.h"
#include "backend/records/HistoryRecords.h"
#include "foundation/Strings.h"
#include "screens/history/HistoryRows.h"
#include "screens/history/MyHistoryTableView.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/Views.h"

#include <QEvent>

MyHistoryController::MyHistoryController() = default;

MyHistoryController::~MyHistoryController() = default;

void MyHistoryController::viewDidLoad() {
  QWidget* root = view();
  root->setObjectName(QStringLiteral("MyHistoryController"));
  ui::setBackgroundColor(root, QColor(0xf3, 0xf5, 0xf8));

  m_header = new ui::ImageView(QRect(0, 0, root->width(), kHeaderHeight), root);
  m_header->setImageName(QStringLiteral("history_top.png"));
  m_title = new ui::Label(QRect(64, 0, root->width() - 74, kHeaderHeight - 2), root);
  m_title->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 21));
  m_title->setTextColor(Qt::white);
  m_title->setText(foundation::localized("MYHISTORY"));

  m_list = new MyHistoryTableView(QRect(0, kHeaderHeight, root->width(), root->height() - kHeaderHeight), root);
  connect(m_list, &MyHistoryTableView::contentChanged, this, &MyHistoryController::changeScrollContentSize);
  root->installEventFilter(this);
  // What the store holds shows at once; the overlay only covers an empty screen.
  const bool haveSome = !BESessionManager::getInstance().histories().empty();
  if (haveSome) m_list->refreshData();
  m_list->getList(!haveSome);
}

bool MyHistoryController::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && isViewLoaded() && watched == view()) layout();
  return ui::Screen::eventFilter(watched, event);
}

void MyHistoryController::layout() {
  QWidget* root = view();
  m_header->setGeometry(0, 0, root->width(), kHeaderHeight);
  m_title->setGeometry(64, 0, root->width() - 74, kHeaderHeight - 2);
  m_list->setGeometry(0, kHeaderHeight, root->width(), root->height() - kHeaderHeight);
}

void MyHistoryController::changeScrollContentSize() {
  // The list scrolls by itself under the title band; its content is never shorter than a screenful.
  const int height = history::listHeightForContentHeight(m_list->contentHeight());
  m_list->setContentSize(QSize(m_list->width(), height));
}

void MyHistoryController::refresh() {
  if (m_list) m_list->refresh();
}

ui::ScrollView* MyHistoryController::refreshScrollView() { return m_list; }

std::vector<controls::TourStates::State> MyHistoryController::tourStates() {
  // Further down: a sent alert that reached many people.
  return {{QStringLiteral("scrolled"), [this] {
             int top = 0;
             for (const auto& e : m_list->histories()) {
               if (e->alert && *e->alert == "1" && e->media.size() > 3) break;
               top += history::rowHeight(*e);
             }
             const int bottom = std::max(0, m_list->contentSize().height() - m_list->height());
             m_list->setContentOffset(QPointF(0, std::min(top, bottom)));
           }}};
}
