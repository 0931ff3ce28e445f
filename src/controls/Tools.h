#pragma once
// Alerts whose button needs no handling.
#include <QString>

class Tools {
 public:
  // Shows a one-button alert in the current window, with no delegate.
  static void alertWithMessageAndTitleAndCancelButton(const QString& message, const QString& title,
                                                      const QString& cancelButtonTitle);
};
