// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "balance/resultboard.h"

namespace quorvex::library {

// Longest selection text; a longer one is cut at this many bytes.
inline constexpr std::size_t kSelectionLimit = 5000;

// "|position| " and the entry text, at most kSelectionLimit bytes.
std::string SelectionText(int position, std::string_view entry);
// What a picker shows for a record: its own equation text, which is the one
// "Add To Lib", "Del From Lib" and the calculator act on.
std::string_view EntryText(const balance::ListRecord& record);

// What a step of a picker did.
enum class PickStep {
  Moved,      // the position changed by one and the selection text was rebuilt
  Unchanged,  // the position is at the end the step walks towards
  Empty,      // the list is empty: nothing to pick
};

// What a picker offers a command that acts on its pick.
enum class Pick {
  None,    // nothing selected: position 0, none past the list's end, or no selection text
  Hidden,  // selected, but its box was emptied since (a page change): the user sees no equation
  Shown,   // selected, and its box shows the selection text
};

// A position in a list (0 for nothing), the text of its last move, and
// whether its box still shows that text.
class Picker {
 public:
  int position() const { return m_position; }
  const std::string& selectionText() const { return m_text; }
  // What the pick is for a list of `count` records.
  Pick pick(int count) const;

  // Moves one step (delta +1 or -1); the caller checks the list's bounds.
  void step(int delta) { m_position += delta; }
  // Rebuilds the selection text for the current position.
  void rebuild(std::string_view entry) { m_text = SelectionText(m_position, entry); }
  // Its box shows the selection text, or the empty list's text.
  void show() { m_hidden = false; }
  // Its box was emptied; position and selection text stay.
  void hide() { m_hidden = true; }
  // Position 0; the selection text stays ("Switch List...").
  void unselect() { m_position = 0; }
  // Position 0 and an empty selection text (the list was cleared, and its box with it).
  void reset() {
    m_position = 0;
    m_text.clear();
    m_hidden = false;
  }

 private:
  int m_position = 0;
  std::string m_text;
  bool m_hidden = false;
};

}  // namespace quorvex::library
