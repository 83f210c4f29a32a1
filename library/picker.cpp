// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/picker.h"

namespace quorvex::library {

std::string SelectionText(int position, std::string_view entry) {
  std::string text = "|" + std::to_string(position) + "| ";
  text += entry.substr(0, kSelectionLimit - text.size());
  return text;
}

std::string_view EntryText(const balance::ListRecord& record) { return record.equation; }

}  // namespace quorvex::library
