// The home's command ledger without sockets: what a key shows while commands and reads cross.
#include "backend/CommandLedger.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <map>

namespace {

using backend::CommandLedger;
using Kind = CommandLedger::Kind;

// A script of events on one device, each a word:
//   read:V        a read sent now and answered at once with V
//   sendN:V       command N (a name of our own) for V goes out
//   readN         a read goes out now and is named N (answered later)
//   acceptN / refuseN   the service answers command N
//   answerN:V     read N is answered with V
// After each event the device shows one value; `shown` lists them, "-" for nothing known.
struct Step {
  QString event;
  QString shown;
};

QString run(CommandLedger& ledger, const QStringList& events) {
  const CommandLedger::Key key{Kind::DeviceStatus, QStringLiteral("LGT-1")};
  std::map<QString, CommandLedger::Ticket> commands;
  std::map<QString, CommandLedger::Stamp> reads;
  QStringList shown;
  for (const QString& event : events) {
    const QString verb = event.section(QLatin1Char(':'), 0, 0);
    const QString value = event.section(QLatin1Char(':'), 1);
    if (verb == QLatin1String("read")) {
      ledger.answered(key, value, ledger.readSent());
    } else if (verb.startsWith(QLatin1String("send"))) {
      commands[verb.mid(4)] = ledger.send(key, value);
    } else if (verb.startsWith(QLatin1String("accept"))) {
      ledger.accept(commands.at(verb.mid(6)));
    } else if (verb.startsWith(QLatin1String("refuse"))) {
      ledger.refuse(commands.at(verb.mid(6)));
    } else if (verb.startsWith(QLatin1String("answer"))) {
      ledger.answered(key, value, reads.at(verb.mid(6)));
    } else if (verb.startsWith(QLatin1String("read"))) {
      reads[verb.mid(4)] = ledger.readSent();
    }
    const QString now = ledger.shown(key, QStringLiteral("-"));
    shown << now;
  }
  return shown.join(QLatin1Char(' '));
}

}  // namespace

TEST(CommandLedgerTest, ShowsTheNewestCommandOutElseTheConfirmedValue) {
  struct Case {
    const char* what;
    QStringList events;
    const char* shown;
  };
  const Case cases[] = {
      {"a command shows at once and stays once accepted", {"read:OFF", "sendA:ON", "acceptA"}, "OFF ON ON"},
      {"a refused command falls back to the confirmed value", {"read:OFF", "sendA:ON", "refuseA"}, "OFF ON OFF"},
      {"a refusal after an acceptance goes back to the accepted value",
       {"read:OFF", "sendA:ON", "acceptA", "sendB:OFF", "refuseB"}, "OFF ON ON OFF ON"},
      {"two commands out: the newer shows, whichever answers first",
       {"read:OFF", "sendA:ON", "sendB:OFF", "acceptB", "acceptA"}, "OFF ON OFF OFF OFF"},
      {"the older refused while the newer is out", {"read:OFF", "sendA:ON", "sendB:OFF", "refuseA", "acceptB"},
       "OFF ON OFF OFF OFF"},
      {"the newer refused, the older accepted", {"read:OFF", "sendA:ON", "sendB:OFF", "refuseB", "acceptA"},
       "OFF ON OFF ON ON"},
      {"a read that left before the command was accepted does not undo it",
       {"read:OFF", "read1", "sendA:ON", "acceptA", "answer1:OFF"}, "OFF OFF ON ON ON"},
      {"a read that left while the command was out does not undo it either",
       {"read:OFF", "sendA:ON", "read1", "acceptA", "answer1:OFF"}, "OFF ON ON ON ON"},
      {"a read that left after the acceptance is the truth (changed elsewhere)",
       {"read:OFF", "sendA:ON", "acceptA", "read1", "answer1:OFF"}, "OFF ON ON ON OFF"},
      {"a read answered while a command is out shows under it",
       {"read:OFF", "sendA:ON", "read:DIM", "refuseA"}, "OFF ON ON DIM"},
      {"nothing known, then a refused command", {"sendA:ON", "refuseA"}, "ON -"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CommandLedger ledger;
    EXPECT_EQ(run(ledger, c.events), QString::fromLatin1(c.shown));
    EXPECT_EQ(ledger.commandsOut(), 0u + (c.events.filter(QStringLiteral("send")).size() -
                                          c.events.filter(QStringLiteral("accept")).size() -
                                          c.events.filter(QStringLiteral("refuse")).size()));
  }
}

TEST(CommandLedgerTest, APulseConfirmsNothingAndKindsDoNotMix) {
  CommandLedger ledger;
  const CommandLedger::Key pulse{Kind::Pulse, QStringLiteral("GATE")};
  const CommandLedger::Key status{Kind::DeviceStatus, QStringLiteral("GATE")};
  ledger.answered(status, QStringLiteral("OFF"), ledger.readSent());
  EXPECT_FALSE(ledger.accept(ledger.send(pulse, QStringLiteral("PULSE"))).has_value());
  EXPECT_FALSE(ledger.confirmed(pulse).has_value());
  EXPECT_EQ(ledger.shown(status), QStringLiteral("OFF"));

  const CommandLedger::Key mode{Kind::Mode, QStringLiteral("INTRUSION")};
  ledger.answered(mode, QStringLiteral("ON"), ledger.readSent());
  const auto ticket = ledger.send(mode, QStringLiteral("OFF"));
  ledger.forgetAbsent(Kind::Mode, {});
  EXPECT_EQ(ledger.shown(mode), QStringLiteral("OFF")) << "a command out survives a list that forgets the domain";
  ledger.refuse(ticket);
  EXPECT_FALSE(ledger.confirmed(mode).has_value());
  EXPECT_EQ(ledger.shown(status), QStringLiteral("OFF"));
}
