// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

// The path of every modal message: the window shows a message box with one OK
// button and waits; the command line prints; tests record.
class Notifier {
 public:
  virtual ~Notifier() = default;
  // Shows `text` and returns once the user has dismissed it.
  virtual void modal(std::string_view text) = 0;
};

// Passes each distinct text on once, in the order first shown, and drops
// its repeats.
class DistinctNotifier final : public Notifier {
 public:
  explicit DistinctNotifier(Notifier& next) : m_next(next) {}
  void modal(std::string_view text) override {
    for (const std::string& shown : m_shown) {
      if (shown == text) return;
    }
    m_shown.emplace_back(text);
    m_next.modal(text);
  }

 private:
  Notifier& m_next;
  std::vector<std::string> m_shown;
};

// Drops every message; for callers that only want the outcome.
class SilentNotifier final : public Notifier {
 public:
  void modal(std::string_view) override {}
};

}  // namespace quorvex
