#include "controls/switches/CustomButton.h"

CustomButton::CustomButton(QWidget* parent) : ui::Button(parent) {}

CustomButton::CustomButton(const QRect& frame, QWidget* parent) : ui::Button(frame, parent) {}
