// SPDX-License-Identifier: GPL-3.0-or-later
// The balance command over a fixed corpus (the delivered library's equations
// and generated ones: every way a balance ends) against the outcomes recorded
// in golden/corpus.expected. Set QUORVEX_WRITE_GOLDEN=1 to record them anew.
#include <gtest/gtest.h>

#include <cstdlib>
#include <exception>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "balance/balancer.h"
#include "support/recordingnotifier.h"

namespace quorvex::balance {
namespace {

// "A + B = C": species joined by " + ", the sides by " = ".
formula::BoxTexts Boxes(std::string_view line) {
  formula::BoxTexts boxes;
  const std::size_t equals = line.find(" = ");
  const auto fill = [](std::string_view side, auto& texts) {
    std::size_t box = 0;
    for (std::size_t from = 0; from <= side.size() && box < texts.size();) {
      std::size_t plus = side.find(" + ", from);
      if (plus == std::string_view::npos) plus = side.size();
      texts[box++].assign(side.substr(from, plus - from));
      from = plus + 3;
    }
  };
  fill(line.substr(0, equals), boxes.reactants);
  fill(line.substr(equals + 3), boxes.products);
  return boxes;
}

// The outcome, the board's equation, the failure reason and the modal
// messages of one balance, tab-separated.
std::string Outcome(Balancer& balancer, RecordingNotifier& notifier, std::string_view line) {
  notifier.clear();
  balancer.clearResults();
  std::string result;
  try {
    balancer.balance(Boxes(line));
    result = balancer.pendingMessage() + '\t';
    if (balancer.board().count() > 0) result += balancer.board().record(1).equation;
    result += '\t' + balancer.failureReason().text();
  } catch (const std::exception& e) {
    result = std::string("stopped: ") + e.what();
  }
  for (const std::string& message : notifier.messages()) result += '\t' + message;
  return result;
}

TEST(Golden, OutcomesOfTheCorpusAreAsRecorded) {
  const std::string dir = QUORVEX_GOLDEN_DIR;
  std::ifstream corpus(dir + "/corpus.txt");
  ASSERT_TRUE(corpus) << dir;
  RecordingNotifier notifier;
  Balancer balancer(notifier);
  std::vector<std::string> lines;
  std::vector<std::string> outcomes;
  for (std::string line; std::getline(corpus, line);) {
    if (line.empty() || line[0] == '#') continue;
    lines.push_back(line);
    outcomes.push_back(Outcome(balancer, notifier, line));
  }
  ASSERT_GT(outcomes.size(), 3000u);

  if (std::getenv("QUORVEX_WRITE_GOLDEN") != nullptr) {
    std::ofstream out(dir + "/corpus.expected", std::ios::binary);
    for (const std::string& o : outcomes) out << o << '\n';
    ASSERT_TRUE(out.flush());
    return;
  }
  std::ifstream expected(dir + "/corpus.expected", std::ios::binary);
  ASSERT_TRUE(expected);
  std::size_t i = 0;
  int mismatches = 0;
  for (std::string want; std::getline(expected, want); ++i) {
    ASSERT_LT(i, outcomes.size());
    if (outcomes[i] != want && ++mismatches <= 10) {
      ADD_FAILURE() << lines[i] << "\n  expected: " << want << "\n  got:      " << outcomes[i];
    }
  }
  EXPECT_EQ(i, outcomes.size());
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace quorvex::balance
