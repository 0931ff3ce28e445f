#pragma once
// The process-wide network activity counter behind the status bar's activity indicator: queues
// push while they have requests loading and pop when they are done.
namespace rest {

// What shows the activity (the status bar's spinner); set by the user interface.
class NetworkActivityIndicator {
 public:
  virtual ~NetworkActivityIndicator() = default;
  virtual void setVisible(bool visible) = 0;
};

// Not owned; null hides nothing. The indicator is updated at once to the current count.
void setNetworkActivityIndicator(NetworkActivityIndicator* indicator);

void pushNetworkActivity();
// Never below 0: a pop at 0 logs "Unbalanced network activity: count already 0." and stays at 0.
void popNetworkActivity();
void resetNetworkActivity();
int networkActivityCount();
// Shows the indicator exactly when the count is above 0 (on the main thread).
void refreshActivityIndicator();

}  // namespace rest
