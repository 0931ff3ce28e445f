#pragma once
// The eight colour themes the controls are drawn in. Every themed picture and colour is chosen
// by a colour id; an id outside the eight (the empty one included) is drawn as "red".
#include <QColor>
#include <QString>
#include <QStringList>

class QWidget;

namespace ui {

// "blue", "green", "orange1", "orange2", "purple", "red", "syan", "yellow".
const QStringList& themeColorIds();
// The id itself when it is one of the eight (exact, case-sensitive), else "red".
QString normalizedColorId(const QString& colorId);
// The theme's main colour (also the selected title colour of the segmented selectors).
QColor themeColor(const QString& colorId);


// The colour theme a widget is drawn in, for what is drawn around it (the keyboard's focus ring):
// the id set on it or on its nearest container, else the shell's own "blue".
void setThemeColorId(QWidget* widget, const QString& colorId);
QString themeColorIdOf(const QWidget* widget);

}  // namespace ui
