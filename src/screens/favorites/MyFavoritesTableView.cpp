#include "screens/favorites/MyFavoritesTableView.h"

#include "backend/BESessionManager.h"
#include "backend/BEServiceFavorite.h"
#include "controls/playstop/CustomPlayStop.h"
#include "foundation/Strings.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/Views.h"

#include <algorithm>

namespace {

constexpr const char* kRunning = "1";
constexpr int kSideMargin = 15;
constexpr int kControlRightMargin = 12;
constexpr int kSeparatorGap = 14;

const QColor kNameColor(0x1d, 0x26, 0x33);
const QColor kEmptyColor(0x6b, 0x74, 0x80);
const QColor kLineColor(0xdd, 0xe1, 0xe6);

QString text(const rest::Text& value) { return value ? QString::fromStdString(*value) : QString(); }

}  // namespace

// One row: the favorite's name, a thin vertical line, the play/stop control and a line along the
// bottom; or the empty-list text under a star.
class MyFavoritesTableView::Cell : public ui::TableViewCell {
 public:
  explicit Cell(QWidget* parent = nullptr) : ui::TableViewCell(QStringLiteral("favorite"), parent) {
    setSelectionStyle(SelectionStyle::None);
    QWidget* content = contentView();
    m_name = new ui::Label(content);
    m_name->setFont(ui::Fonts::font(QStringLiteral("Valdo-Medium"), 15));
    m_name->setTextColor(kNameColor);
    m_vline = new QWidget(content);
    ui::setBackgroundColor(m_vline, kLineColor);
    m_control = new CustomPlayStop(QRect(0, 0, CustomPlayStop::kWidth, CustomPlayStop::kHeight), false,
                                   QStringLiteral("syan"), content);
    m_bottomLine = new QWidget(content);
    ui::setBackgroundColor(m_bottomLine, kLineColor);
    m_emptyIcon = new ui::ImageView(QStringLiteral("favorites_empty.png"), content);
    m_empty = new ui::Label(content);
    m_empty->setNumberOfLines(2);
    m_empty->setTextAlignment(Qt::AlignHCenter);
    m_empty->setTextColor(kEmptyColor);
    m_empty->setFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), 15));
  }

  CustomPlayStop* control() const { return m_control; }

  void configure(const VOFavorite& favorite, bool running, bool lastRow) {
    setEmpty(false);
    m_name->setText(text(favorite.name));
    const QString identifier = text(favorite.identifier);
    m_control->setIdentifier(identifier);
    // A favorite the service gave no identifier cannot be driven: no command could name it.
    m_control->setEnabled(!identifier.isEmpty());
    m_control->setPlayStopSelected(running);
    m_bottomLine->setVisible(!lastRow);
  }

  void configureEmpty(const QString& message) {
    setEmpty(true);
    m_empty->setText(message);
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    ui::TableViewCell::resizeEvent(event);
    layout();
  }

 private:
  void setEmpty(bool empty) {
    for (QWidget* w : {static_cast<QWidget*>(m_name), m_vline, static_cast<QWidget*>(m_control), m_bottomLine})
      w->setVisible(!empty);
    m_empty->setVisible(empty);
    m_emptyIcon->setVisible(empty);
    layout();
  }

  void layout() {
    const int w = width(), h = height();
    const int controlX = w - kControlRightMargin - CustomPlayStop::kWidth;
    m_control->move(controlX, (h - CustomPlayStop::kHeight) / 2);
    m_vline->setGeometry(controlX - kSeparatorGap, 10, 1, h - 20);
    m_name->setGeometry(kSideMargin, 0, controlX - kSeparatorGap - 8 - kSideMargin, h);
    m_bottomLine->setGeometry(kSideMargin, h - 1, w - kSideMargin, 1);
    m_emptyIcon->setGeometry((w - 48) / 2, h / 2 - 58, 48, 48);
    m_empty->setGeometry(20, h / 2, w - 40, 44);
  }

  ui::Label* m_name = nullptr;
  QWidget* m_vline = nullptr;
  QWidget* m_bottomLine = nullptr;
  CustomPlayStop* m_control = nullptr;
  ui::ImageView* m_emptyIcon = nullptr;
  ui::Label* m_empty = nullptr;
};

MyFavoritesTableView::MyFavoritesTableView(QObject* parent) : QObject(parent) {
  m_tableView = new ui::TableView();
  m_tableView->setDataSource(this);
  m_tableView->setDelegate(this);
  m_tableView->setSeparatorStyle(ui::TableView::SeparatorStyle::None);
  m_tableView->setAllowsSelection(false);
  m_tableView->setScrollEnabled(false);
  m_tableView->setShowsVerticalScrollIndicator(false);
  // Every favorite list filed, and every command, whichever screen sent it.
  backend::Home& home = BESessionManager::getInstance().home();
  connect(&home, &backend::Home::favoritesChanged, this, &MyFavoritesTableView::refreshData);
  connect(&home, &backend::Home::cleared, this, &MyFavoritesTableView::refreshData);
  refreshData();  // what the store already holds, until the answer
  fetch(BESessionManager::getInstance().favorites().empty());
}

MyFavoritesTableView::~MyFavoritesTableView() {
  if (m_tableView) {
    m_tableView->setDataSource(nullptr);
    m_tableView->setDelegate(nullptr);
    if (!m_tableView->parent()) delete m_tableView.data();
  }
}

void MyFavoritesTableView::fetch(bool withOverlay) {
  // The answer reaches the rows through the store's signal.
  m_calls.call(BEServiceFavorite::getInstance().getList(), {}, {},
               withOverlay ? backend::ServiceCalls::Overlay::Show : backend::ServiceCalls::Overlay::None);
}

void MyFavoritesTableView::refresh() { m_calls.refresh(BEServiceFavorite::getInstance().getList(), {}); }

int MyFavoritesTableView::contentHeight() const {
  return m_favorites.empty() ? kEmptyRowHeight : kRowHeight * int(m_favorites.size());
}

QString MyFavoritesTableView::emptyText() const {
  return m_favorites.empty() ? foundation::localized("You do not have favorites.") : QString();
}

bool MyFavoritesTableView::shownRunning(const VOFavorite& favorite) const {
  // Starting one shows every other stopped at once, as the box will.
  return BESessionManager::getInstance().home().favoriteStatus(text(favorite.identifier), text(favorite.status)) ==
         QLatin1String(kRunning);
}

void MyFavoritesTableView::refreshData() {
  m_favorites = BESessionManager::getInstance().favorites();
  std::erase(m_favorites, nullptr);
  redraw();
  emit contentChanged();
}

void MyFavoritesTableView::redraw() {
  if (!m_tableView) return;
  m_tableView->resize(m_tableView->width(), std::max(m_tableView->height(), contentHeight()));
  m_tableView->reloadData();
}

CustomPlayStop* MyFavoritesTableView::controlForRow(int row) const {
  if (!m_tableView || row < 0 || row >= int(m_favorites.size())) return nullptr;
  auto* cell = static_cast<Cell*>(m_tableView->cellForRowAtIndexPath({0, row}));
  return cell ? cell->control() : nullptr;
}

int MyFavoritesTableView::tableViewNumberOfRowsInSection(ui::TableView*, int) {
  return std::max<int>(1, int(m_favorites.size()));
}

int MyFavoritesTableView::tableViewHeightForRowAtIndexPath(ui::TableView*, const ui::IndexPath&) {
  return m_favorites.empty() ? kEmptyRowHeight : kRowHeight;
}

ui::TableViewCell* MyFavoritesTableView::tableViewCellForRowAtIndexPath(ui::TableView* tableView, const ui::IndexPath& indexPath) {
  auto* cell = static_cast<Cell*>(tableView->dequeueReusableCellWithIdentifier(QStringLiteral("favorite")));
  if (!cell) {
    cell = new Cell();
    QPointer<CustomPlayStop> control = cell->control();
    // The control has toggled itself when this arrives: it shows what the user asked for.
    connect(control, &ui::Control::touchUpInside, this, [this, control] {
      if (control) changeFavoriteStatus(control);
    });
  }
  if (m_favorites.empty()) {
    cell->configureEmpty(emptyText());
  } else {
    const VOFavorite& favorite = *m_favorites[size_t(indexPath.row)];
    cell->configure(favorite, shownRunning(favorite), indexPath.row == int(m_favorites.size()) - 1);
  }
  return cell;
}

void MyFavoritesTableView::changeFavoriteStatus(CustomPlayStop* control) {
  const QString identifier = control->identifier();
  if (identifier.isEmpty()) return;
  // The home shows the command at once and settles it; the rows follow its signal.
  BEServiceFavorite& favorites = BEServiceFavorite::getInstance();
  m_calls.call(control->isSelected() ? favorites.putStartWithId(identifier) : favorites.putStopWithId(identifier), {}, {});
}
