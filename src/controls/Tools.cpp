#include "controls/Tools.h"

#include <QWidget>  // before AlertView.h, which guards widgets it only declares
#include "ui/AlertView.h"

void Tools::alertWithMessageAndTitleAndCancelButton(const QString& message, const QString& title,
                                                    const QString& cancelButtonTitle) {
  (new ui::AlertView(title, message, nullptr, cancelButtonTitle))->show();
}
