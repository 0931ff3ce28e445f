#pragma once
// What an earlier run last heard, shown at once after a sign-in until the service answers again.
//
// After each sign-in, every data set the session store does not hold yet (the dashboard, the
// devices, the favorites, the modes, the scenarios, the history) is read from the user's own
// response cache alone, with nothing sent, and filed in the session store as the service's answer
// would be. Such a set is "from an earlier run" until the service's own answer for it is filed; a
// screen showing it says so. A stored answer that comes after the fresh one, or for a session that
// is no longer the current one, files nothing. Each change is posted as kStoredDataDidChange.
#include "backend/Singleton.h"
#include "foundation/NotificationCenter.h"

#include <QDateTime>

#include <array>
#include <string>
#include <vector>

inline constexpr const char kStoredDataDidChange[] = "kStoredDataDidChange";

namespace backend {

// The data sets a read files, as screens name what they show.
enum class DataSet { None, Dashboard, Devices, Favorites, Modes, Scenarios, History };

class StoredAnswers : public Singleton<StoredAnswers> {
 public:
  // Reads the stored answer of every data set the session store lacks (runs after each sign-in).
  void fileStoredAnswers();

  bool isFromEarlierRun(DataSet set) const;
  // Whether the session store holds the service's own last answer for `set`.
  bool isFresh(DataSet set) const;
  // When the oldest of `sets` that is from an earlier run was last confirmed by the service
  // (invalid when none of them is).
  QDateTime oldestFromEarlierRun(const std::vector<DataSet>& sets) const;

  // For the services. Whether the reads started now ask for the stored answer only.
  static bool readingStored();
  // Whether a stored answer for `set` may still be filed (no fresh one came first).
  bool wantsStored(DataSet set) const;
  void storedFiled(DataSet set, const QDateTime& confirmedAt);
  void freshFiled(DataSet set);

 private:
  friend class Singleton<StoredAnswers>;
  StoredAnswers();

  enum class State { Unknown, FromEarlierRun, Fresh };
  struct Slot {
    State state = State::Unknown;
    QDateTime confirmedAt;
  };
  static constexpr std::size_t kSets = 7;
  Slot& slot(DataSet set) { return m_slots[static_cast<std::size_t>(set)]; }
  const Slot& slot(DataSet set) const { return m_slots[static_cast<std::size_t>(set)]; }
  void signedIn();

  std::array<Slot, kSets> m_slots;
  std::string m_login;  // whose data the slots describe
  foundation::Observations m_observations;
};

}  // namespace backend
