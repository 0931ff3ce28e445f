#include "screens/supervision/MyRecTableViewController.h"

#include "backend/records/VideoRecords.h"
#include "foundation/Strings.h"
#include "ui/Button.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/Views.h"

namespace {

const QString kCellId = QStringLiteral("CELLID");
const QString kEmptyCellId = QStringLiteral("EMPTYCELLID");
constexpr int kWidth = 320;
constexpr int kTextLeft = 14;
constexpr int kTextWidth = 240;
constexpr int kPlaySize = 36;

QString text(const rest::Text& value) { return value ? QString::fromStdString(*value) : QString(); }

ui::Label* makeLabel(const QRect& frame, const char* font, double size, const QColor& color, int tag, QWidget* parent) {
  auto* label = new ui::Label(frame, parent);
  label->setFont(ui::Fonts::font(QString::fromLatin1(font), size));
  label->setTextColor(color);
  ui::setTag(label, tag);
  return label;
}

}  // namespace

MyRecTableViewController::MyRecTableViewController(QObject* parent) : ui::Screen(parent) {}

MyRecTableViewController::~MyRecTableViewController() = default;

void MyRecTableViewController::loadView() {
  auto* table = new ui::TableView(QRect(0, 0, kWidth, 128), nullptr);
  table->setDataSource(this);
  table->setDelegate(this);
  table->setSeparatorStyle(ui::TableView::SeparatorStyle::None);
  table->setAllowsSelection(false);
  table->setRowHeight(kRowHeight);
  setView(table);
}

void MyRecTableViewController::viewDidLoad() {
  ui::setBackgroundColor(view(), ui::rgb(0.922, 0.922, 0.929));
  refreshData();
}

ui::TableView* MyRecTableViewController::tableView() { return static_cast<ui::TableView*>(view()); }

void MyRecTableViewController::refreshData() {
  m_recs = BESessionManager::getInstance().recs();
  // A selection that is no longer listed must not be played.
  if (m_selectedRec && std::find(m_recs.begin(), m_recs.end(), m_selectedRec) == m_recs.end()) m_selectedRec.reset();
  tableView()->reloadData();
}

int MyRecTableViewController::contentHeight(int emptyHeight) const {
  return m_recs.empty() ? emptyHeight : int(m_recs.size()) * kRowHeight;
}

int MyRecTableViewController::tableViewNumberOfRowsInSection(ui::TableView*, int) {
  return m_recs.empty() ? 1 : int(m_recs.size());
}

int MyRecTableViewController::tableViewHeightForRowAtIndexPath(ui::TableView* tableView, const ui::IndexPath&) {
  return m_recs.empty() ? std::max(kRowHeight, tableView->height() / 2) : kRowHeight;
}

ui::TableViewCell* MyRecTableViewController::emptyCell(ui::TableView* tableView) {
  ui::TableViewCell* cell = tableView->dequeueReusableCellWithIdentifier(kEmptyCellId);
  if (!cell) {
    cell = new ui::TableViewCell(kEmptyCellId);
    cell->setSelectionStyle(ui::TableViewCell::SelectionStyle::None);
    auto* label = new ui::Label(cell->contentView());
    label->setObjectName(QStringLiteral("emptyText"));
    label->setFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), 14));
    label->setTextColor(QColor(0x3a, 0x46, 0x5a));
    label->setTextAlignment(Qt::AlignHCenter);
    label->setText(foundation::localized("You do not have records."));
  }
  const int height = tableViewHeightForRowAtIndexPath(tableView, {});
  cell->resize(kWidth, height);
  if (auto* label = cell->contentView()->findChild<ui::Label*>(QStringLiteral("emptyText"))) label->setGeometry(0, 0, kWidth, height);
  return cell;
}

ui::TableViewCell* MyRecTableViewController::getCellContentView(const QString& identifier) {
  auto* cell = new ui::TableViewCell(identifier);
  cell->setSelectionStyle(ui::TableViewCell::SelectionStyle::None);
  QWidget* content = cell->contentView();
  const QColor ink(0x1c, 0x27, 0x38);
  makeLabel(QRect(kTextLeft, 5, kTextWidth, 19), "Valdo-Bold", 14, ink, kFirstLineTag, content);
  makeLabel(QRect(kTextLeft, 23, kTextWidth, 17), "Valdo-Medium", 12, QColor(0x55, 0x60, 0x70), kDateTag, content);
  makeLabel(QRect(kTextLeft, 39, kTextWidth, 17), "Valdo-Light", 12, ui::rgb(0.416, 0.671, 0.82).darker(125), kSensorTag, content);

  auto* vLine = new ui::ImageView(QStringLiteral("supervision_v_line.png"), content);
  vLine->setGeometry(kWidth - 62, 8, 1, kRowHeight - 16);
  auto* hLine = new ui::ImageView(QStringLiteral("supervision_h_line.png"), content);
  hLine->setGeometry(0, kRowHeight - 1, kWidth, 1);

  auto* play = new ui::Button(QRect(kWidth - 12 - kPlaySize - 4, (kRowHeight - kPlaySize) / 2, kPlaySize, kPlaySize), content);
  play->setImageName(QStringLiteral("supervision_play_off.png"));
  ui::setTag(play, kPlayButtonTag);
  connect(play, &ui::Control::touchDown, this, [this](ui::Control* sender) { runPlayBack(static_cast<ui::Button*>(sender)); });
  return cell;
}

ui::TableViewCell* MyRecTableViewController::tableViewCellForRowAtIndexPath(ui::TableView* tableView, const ui::IndexPath& indexPath) {
  if (m_recs.empty()) return emptyCell(tableView);
  ui::TableViewCell* cell = tableView->dequeueReusableCellWithIdentifier(kCellId);
  if (!cell) cell = getCellContentView(kCellId);
  const VOVideoRec& rec = *m_recs.at(size_t(indexPath.row));
  const bool alert = rec.type && *rec.type == "1";
  QWidget* content = cell->contentView();
  ui::viewWithTag<ui::Label>(content, kFirstLineTag)
      ->setText(foundation::localized(alert ? "Recording on alert" : "Recording on demand"));
  ui::viewWithTag<ui::Label>(content, kDateTag)->setText(text(rec.date));
  // A reused row that showed an alert recording must not keep its sensor line.
  ui::viewWithTag<ui::Label>(content, kSensorTag)
      ->setText(alert ? foundation::localized("Recording Triggered by") + QLatin1Char(' ') + text(rec.sensorName) : QString());
  // Two lines sit in the middle of the row, three fill it.
  const int shift = alert ? 0 : 8;
  ui::viewWithTag(content, kFirstLineTag)->move(kTextLeft, 5 + shift);
  ui::viewWithTag(content, kDateTag)->move(kTextLeft, 23 + shift);
  auto* play = ui::viewWithTag<ui::Button>(content, kPlayButtonTag);
  play->setProperty(kRecordingIdentifierProperty, text(rec.identifier));
  return cell;
}

void MyRecTableViewController::runPlayBack(ui::Button* sender) {
  if (!sender) return;
  // The identifier travels as text: "007" stays "007", and an identifier that is not a number
  // works as well.
  const QString identifier = sender->property(kRecordingIdentifierProperty).toString();
  m_selectedRec.reset();
  for (const auto& rec : m_recs) {
    if (text(rec->identifier) == identifier) {
      m_selectedRec = rec;
      break;
    }
  }
  // Emitted with or without a match: the screen says why nothing plays.
  emit playbackChosen();
}
