#pragma once
// A system keychain for tests: it answers on the next turn of the event loop, as a real one
// answers over its bus, or never.
#include "foundation/SecretStore.h"

#include <QMap>
#include <QTimer>

#include <functional>
#include <utility>

namespace tbtest {

class FakeKeychain final : public foundation::KeychainBackend {
 public:
  explicit FakeKeychain(bool answers, QMap<QString, QString>* entries) : m_answers(answers), m_entries(entries) {}
  void read(const QString& key, Done done) override {
    answer(std::move(done), [=, this] {
      return m_entries->contains(key) ? std::pair{Answer::Ok, m_entries->value(key)} : std::pair{Answer::NotFound, QString()};
    });
  }
  void write(const QString& key, const QString& value, Done done) override {
    answer(std::move(done), [=, this] {
      m_entries->insert(key, value);
      return std::pair{Answer::Ok, QString()};
    });
  }
  void remove(const QString& key, Done done) override {
    answer(std::move(done), [=, this] {
      m_entries->remove(key);
      return std::pair{Answer::Ok, QString()};
    });
  }

 private:
  void answer(Done done, std::function<std::pair<Answer, QString>()> act) {
    if (!m_answers) return;
    QTimer::singleShot(0, [done = std::move(done), act = std::move(act)] {
      const auto [answer, value] = act();
      done(answer, value);
    });
  }
  bool m_answers;
  QMap<QString, QString>* m_entries;
};

}  // namespace tbtest
