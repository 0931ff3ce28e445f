#include "screens/history/MyHistoryTableView.h"

#include "backend/BEServiceHistory.h"
#include "backend/BESessionManager.h"
#include "backend/records/HistoryRecords.h"
#include "foundation/Strings.h"
#include "screens/history/HistoryRows.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/Views.h"

#include <QResizeEvent>

#include <array>

namespace {

const QColor kListBackground(0xf3, 0xf5, 0xf8);
const QColor kDetailColor(0x16, 0x71, 0xad);
const QColor kViaColor(0x2a, 0x30, 0x3a);
const QColor kDestinationColor(0x55, 0x5d, 0x6b);
const QColor kDateColor(0x6b, 0x75, 0x85);
constexpr int kTextLeft = 12;
constexpr int kTextWidth = 214;
constexpr int kRuleX = 229;
constexpr int kDateLeft = 236;
constexpr int kColumnTop = 10;
constexpr int kFirstDestinationTop = 60;
constexpr int kDestinationStep = 15;

ui::Label* label(const QRect& frame, const char* font, double points, const QColor& color, QWidget* parent) {
  auto* l = new ui::Label(frame, parent);
  l->setFont(ui::Fonts::font(QString::fromLatin1(font), points));
  l->setTextColor(color);
  return l;
}

// One event's row. Made for the rows in view only and handed on to the next rows as they scroll in.
class HistoryCell final : public ui::TableViewCell {
 public:
  static inline const QString kIdentifier = QStringLiteral("HistoryCell");

  HistoryCell() : ui::TableViewCell(kIdentifier) {
    setSelectionStyle(SelectionStyle::None);
    ui::setBackgroundColor(this, Qt::white);
    QWidget* content = contentView();
    m_title = label(QRect(kTextLeft, 6, kTextWidth, 22), "Valdo-Bold", 16, Qt::black, content);
    m_detail = label(QRect(kTextLeft, 27, kTextWidth, 19), "Valdo-Bold", 14, kDetailColor, content);
    m_via = label(QRect(kTextLeft, 45, kTextWidth, 14), "Valdo-Bold", 10, kViaColor, content);
    for (size_t i = 0; i < m_destinations.size(); ++i)
      m_destinations[i] = label(QRect(kTextLeft, kFirstDestinationTop + int(i) * kDestinationStep, kTextWidth, kDestinationStep),
                                "Valdo-Light", 12, kDestinationColor, content);
    m_rule = new ui::ImageView(content);
    m_rule->setImageName(QStringLiteral("history_v_line.png"));
    m_date = label(QRect(), "Valdo-Regular", 11, kDateColor, content);
    m_date->setNumberOfLines(2);
    m_separator = new ui::ImageView(content);
    m_separator->setImageName(QStringLiteral("history_h_line.png"));
    m_empty = label(QRect(), "Valdo-Regular", 15, kDateColor, content);
    m_empty->setTextAlignment(Qt::AlignHCenter);
    m_empty->setNumberOfLines(2);
  }

  void showEvent(const VOHistory& event, int height) {
    const history::RowTexts texts = history::rowTexts(event);
    m_title->setText(texts.title);
    m_detail->setText(texts.detail);
    m_via->setText(texts.via);
    m_date->setText(texts.date);
    for (size_t i = 0; i < m_destinations.size(); ++i) {
      m_destinations[i]->setText(texts.destinations.value(int(i)));
      m_destinations[i]->setVisible(int(i) < texts.destinations.size());
    }
    // The date column reaches 20 points above the separator, which runs along the bottom.
    const int separatorTop = height - 2;
    m_rule->setGeometry(kRuleX, kColumnTop, 1, separatorTop - 10 - kColumnTop);
    m_date->setGeometry(kDateLeft, kColumnTop, width() - kDateLeft - 6, separatorTop - 10 - kColumnTop);
    m_separator->setGeometry(0, separatorTop, width(), 2);
    setEventPartsVisible(true);
    m_empty->hide();
  }

  void showEmptyList(int height) {
    for (ui::Label* l : {m_title, m_detail, m_via, m_date}) l->clear();
    setEventPartsVisible(false);
    m_empty->setText(foundation::localized("You do not have history."));
    m_empty->setGeometry(20, 0, width() - 40, height / 2);
    m_empty->show();
  }

  QString title() const { return m_title->text(); }

 private:
  void setEventPartsVisible(bool visible) {
    for (QWidget* w : std::initializer_list<QWidget*>{m_title, m_detail, m_via, m_date, m_rule, m_separator})
      w->setVisible(visible);
    if (!visible)
      for (ui::Label* l : m_destinations) l->hide();
  }

  ui::Label* m_title;
  ui::Label* m_detail;
  ui::Label* m_via;
  std::array<ui::Label*, history::kMaxDestinationLines> m_destinations{};
  ui::ImageView* m_rule;
  ui::Label* m_date;
  ui::ImageView* m_separator;
  ui::Label* m_empty;
};

}  // namespace

MyHistoryTableView::MyHistoryTableView(const QRect& frame, QWidget* parent) : ui::TableView(frame, parent) {
  setObjectName(QStringLiteral("historyList"));
  ui::setBackgroundColor(this, kListBackground);
  setSeparatorStyle(SeparatorStyle::None);
  setAllowsSelection(false);
  setDataSource(this);
  setDelegate(this);
  // Every history filed, whoever asked for it.
  connect(&BESessionManager::getInstance().home(), &backend::Home::historyChanged, this, &MyHistoryTableView::refreshData);
}

MyHistoryTableView::~MyHistoryTableView() {
  // The base class still lays cells out while it goes; nothing may reach this part by then.
  setDataSource(nullptr);
  setDelegate(nullptr);
}

void MyHistoryTableView::getList(bool withOverlay) {
  // A list filed reaches the rows through the store's signal; a failure shows what is stored.
  m_calls.call(BEServiceHistory::getInstance().getList(), {}, [this] { refreshData(); },
               withOverlay ? backend::ServiceCalls::Overlay::Show : backend::ServiceCalls::Overlay::None);
}

void MyHistoryTableView::refresh() { m_calls.refresh(BEServiceHistory::getInstance().getList(), {}); }

void MyHistoryTableView::refreshData() {
  const auto& stored = BESessionManager::getInstance().histories();
  std::vector<std::shared_ptr<VOHistory>> kept;
  kept.reserve(stored.size());
  for (const auto& event : stored)
    if (event && history::isShown(*event)) kept.push_back(event);
  m_histories = std::move(kept);
  m_contentHeight = 0;
  reloadData();  // asks every row's height, summed below
  emit contentChanged();
}

int MyHistoryTableView::emptyRowHeight() const { return std::max(height(), history::kStandardRowHeight); }

int MyHistoryTableView::tableViewNumberOfRowsInSection(ui::TableView*, int) {
  return m_histories.empty() ? 1 : int(m_histories.size());
}

int MyHistoryTableView::tableViewHeightForRowAtIndexPath(ui::TableView*, const ui::IndexPath& indexPath) {
  // The table asks from row 0 on every reload: the sum starts again there.
  if (indexPath.row == 0) m_contentHeight = 0;
  const int h = m_histories.empty() ? emptyRowHeight() : history::rowHeight(*m_histories[size_t(indexPath.row)]);
  m_contentHeight += h;
  return h;
}

ui::TableViewCell* MyHistoryTableView::tableViewCellForRowAtIndexPath(ui::TableView*, const ui::IndexPath& indexPath) {
  auto* cell = static_cast<HistoryCell*>(dequeueReusableCellWithIdentifier(HistoryCell::kIdentifier));
  if (!cell) cell = new HistoryCell();
  const QRect frame = rectForRowAtIndexPath(indexPath);
  cell->resize(frame.size());
  if (m_histories.empty()) cell->showEmptyList(frame.height());
  else cell->showEvent(*m_histories[size_t(indexPath.row)], frame.height());
  return cell;
}
