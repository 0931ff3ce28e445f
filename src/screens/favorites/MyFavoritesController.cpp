#include "screens/favorites/MyFavoritesController.h"

#include "screens/favorites/MyFavoritesTableView.h"

#include "foundation/Strings.h"
#include "ui/Fonts.h"
#include "ui/TableView.h"
#include "ui/Views.h"

#include <QEvent>


namespace {
constexpr int kRowsBeforeGrowing = 7;
}  // namespace

MyFavoritesController::MyFavoritesController(QObject* parent) : ui::Screen(parent) {}

MyFavoritesController::~MyFavoritesController() {
  // The list's rows live in our view: the list goes first, while they still exist.
  m_list.reset();
}

int MyFavoritesController::listHeightFor(int count) {
  return count < kRowsBeforeGrowing ? kMinimumListHeight : MyFavoritesTableView::kRowHeight * count;
}

void MyFavoritesController::viewDidLoad() {
  QWidget* root = view();
  ui::setBackgroundColor(root, ui::rgb(0.922, 0.922, 0.929));

  m_header = new ui::ImageView(QStringLiteral("favorites_top.png"), root);
  m_header->setGeometry(0, 0, 320, kHeaderHeight);
  m_title = new ui::Label(root);
  m_title->setObjectName(QStringLiteral("favoritesTitle"));
  m_title->setNumberOfLines(2);
  m_title->setText(foundation::localized("FAVORITES"));
  m_title->setTextColor(Qt::white);
  m_title->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 22));
  m_title->setGeometry(20, 14, 200, kHeaderHeight - 24);

  m_list = std::make_unique<MyFavoritesTableView>();
  m_cardList = std::make_unique<controls::CardList>(root, m_list->tableView());
  connect(m_list.get(), &MyFavoritesTableView::contentChanged, this, &MyFavoritesController::changeScrollContentSize);

  root->installEventFilter(this);
  changeScrollContentSize();
}

void MyFavoritesController::changeScrollContentSize() {
  if (!m_list || !m_cardList || !isViewLoaded()) return;
  QWidget* root = view();
  m_cardList->layout(QRect(0, kHeaderHeight, root->width(), root->height() - kHeaderHeight),
                     listHeightFor(int(m_list->favorites().size())), m_list->contentHeight());
}

void MyFavoritesController::refresh() {
  if (m_list) m_list->refresh();
}

bool MyFavoritesController::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && isViewLoaded() && watched == view()) changeScrollContentSize();
  return ui::Screen::eventFilter(watched, event);
}
