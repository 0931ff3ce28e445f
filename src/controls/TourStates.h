#pragma once
// A screen that shows more than its first look in the app's tour (the dashboard scrolled, the
// weather's other sheets, a playing video): the tour pictures it as it opens, then puts it in
// each of these states in turn and pictures each under "<screen>-<state>".
#include <QString>

#include <functional>
#include <vector>

namespace controls {

class TourStates {
 public:
  struct State {
    QString name;
    std::function<void()> enter;  // the tour waits for the network and the overlay afterwards
  };

  virtual ~TourStates() = default;
  virtual std::vector<State> tourStates() = 0;

  // Runs the event loop until `done` holds or `ms` pass (a state that waits for a video, say);
  // returns whether `done` holds.
  static bool waitFor(const std::function<bool()>& done, int ms);
};

}  // namespace controls
