#pragma once
// A button described for a navigation bar: title or picture, a style, and the action it triggers.
// The bar builds the actual button from it and follows its changes.
#include <QObject>
#include <QString>

namespace ui {

class BarButtonItem : public QObject {
  Q_OBJECT
 public:
  enum class Style { Plain, Bordered, Done };

  explicit BarButtonItem(const QString& title = QString(), Style style = Style::Bordered, QObject* parent = nullptr);

  QString title() const { return m_title; }
  void setTitle(const QString& title);
  QString imageName() const { return m_imageName; }
  void setImageName(const QString& name);
  Style style() const { return m_style; }
  void setStyle(Style style);
  bool isEnabled() const { return m_enabled; }
  void setEnabled(bool enabled);

  // What a press of the bar's button does (besides emitting triggered()).
  void trigger();

 signals:
  void triggered(ui::BarButtonItem* item);
  void changed();

 private:
  QString m_title;
  QString m_imageName;
  Style m_style;
  bool m_enabled = true;
};

}  // namespace ui
