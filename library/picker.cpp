// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/picker.h"

namespace quorvex::library {

std::string SelectionText(int position, std::string_view entry) {
  std::string text = "|" + std::to_string(position) + "| ";
  text += entry.substr(0, kSelectionLimit - text.size());
  return text;
}

Pick Picker::pick(int count) const {
  // An emptied box says nothing is picked, whatever the position.
  if (m_hidden && !m_text.empty()) return Pick::Hidden;
  // A position past the count would name a record of before the last "Clear List".
  if (m_text.empty() || m_position == 0 || m_position > count) return Pick::None;
  return Pick::Shown;
}

std::string_view EntryText(const balance::ListRecord& record) { return record.equation; }

}  // namespace quorvex::library
