// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/notifier.h"

namespace quorvex {

// Keeps every modal message in the order shown.
class RecordingNotifier final : public Notifier {
 public:
  void modal(std::string_view text) override { m_messages.emplace_back(text); }
  const std::vector<std::string>& messages() const { return m_messages; }
  void clear() { m_messages.clear(); }

 private:
  std::vector<std::string> m_messages;
};

}  // namespace quorvex
