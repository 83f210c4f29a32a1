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

// Keeps every modal message in the order shown.
class RecordingNotifier final : public Notifier {
 public:
  void modal(std::string_view text) override { m_messages.emplace_back(text); }
  const std::vector<std::string>& messages() const { return m_messages; }
  void clear() { m_messages.clear(); }

 private:
  std::vector<std::string> m_messages;
};

// Drops every message; for callers that only want the outcome.
class SilentNotifier final : public Notifier {
 public:
  void modal(std::string_view) override {}
};

}  // namespace quorvex
