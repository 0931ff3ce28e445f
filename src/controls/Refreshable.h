#pragma once
// A screen whose data the app keeps current while it is open: the app calls refresh() every
// RefreshInterval seconds while the screen is on top, when the app comes back to the foreground,
// when the service answers again after being out of reach, and when the user pulls the list past
// its top. A refresh asks the service again the way the screen's first read did (the cache sends
// the stored validators, so an unchanged list costs a 304) and rebuilds the screen in place.
#include "backend/StoredAnswers.h"

#include <vector>

namespace ui {
class ScrollView;
}

namespace controls {

class Refreshable {
 public:
  virtual ~Refreshable() = default;
  virtual void refresh() = 0;
  // The list that a pull past its top refreshes; none by default.
  virtual ui::ScrollView* refreshScrollView() { return nullptr; }
  // The data sets the screen shows: while one of them is an earlier run's stored answer, the app
  // says the screen is not yet refreshed.
  virtual std::vector<backend::DataSet> dataShown() const { return {}; }
};

}  // namespace controls
