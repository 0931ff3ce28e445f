#pragma once
// What a screen shows in the navigation bar while it is on top: a title, optional left and right
// buttons, and the back button that the screen pushed above it shows (its title reads this
// item's back button title, else this item's title, else "Back").
#include "ui/BarButtonItem.h"

#include <QObject>
#include <QPointer>
#include <QString>

namespace ui {

class NavigationItem : public QObject {
  Q_OBJECT
 public:
  explicit NavigationItem(QObject* parent = nullptr);

  QString title() const { return m_title; }
  void setTitle(const QString& title);

  // The item takes ownership of the buttons it is given (a previous one is deleted).
  BarButtonItem* backBarButtonItem() const { return m_back; }
  void setBackBarButtonItem(BarButtonItem* item);
  BarButtonItem* leftBarButtonItem() const { return m_left; }
  void setLeftBarButtonItem(BarButtonItem* item);
  BarButtonItem* rightBarButtonItem() const { return m_right; }
  void setRightBarButtonItem(BarButtonItem* item);
  bool hidesBackButton() const { return m_hidesBackButton; }
  void setHidesBackButton(bool hides);

  // The title a back button to this item shows.
  QString backButtonTitle() const;

 signals:
  void changed();

 private:
  void adopt(QPointer<BarButtonItem>& slot, BarButtonItem* item);
  QString m_title;
  QPointer<BarButtonItem> m_back;
  QPointer<BarButtonItem> m_left;
  QPointer<BarButtonItem> m_right;
  bool m_hidesBackButton = false;
};

}  // namespace ui
