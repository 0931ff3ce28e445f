#pragma once
// What the service layer needs of the activity overlay shown over the main window while a
// screen waits for an answer. The user-interface layer provides the implementation.
//
// Shows and hides are not counted: one hide() hides it however many show() calls came before.
namespace backend {

class ProgressOverlay {
 public:
  virtual ~ProgressOverlay() = default;
  virtual void show(bool animated) = 0;
  virtual void hide(bool animated) = 0;
};

}  // namespace backend
