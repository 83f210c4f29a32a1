// SPDX-License-Identifier: GPL-3.0-or-later
// The RTF groups open at the reading position: the properties and destination of each.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "rtf/properties.h"
#include "rtf/rtfcommon.h"

namespace quorvex::rtf::detail {

// Where the text of a group goes.
enum class Dest : std::uint8_t {
  Body,  // document text
  Skip,  // a destination ignored whole
  FontTable,
  ColorTable,
  Pn,        // {\*\pn}: numbering of the current paragraph
  PnBefore,  // {\pntxtb}
  PnAfter,   // {\pntxta}
  Field,     // {\field}: only its instruction and its result count
  FieldInst,
  ListText,  // {\listtext}: the marker, kept only to tell the list style
  Upr,       // {\upr}: an ANSI and a Unicode version of the same text
  UprPart,   // a group inside \upr; skipped unless it is the {\*\ud} one
};

// What a group keeps of its own even past kMaxGroupDepth: where its text goes.
struct Scope {
  Dest dest = Dest::Body;
  Dest uprOuter = Dest::Body;  // the destination an \upr group stands in
  int unicodeSkip = 1;         // \ucN
  int field = -1;              // the field whose parts the group reads
  bool starred = false;
  bool fresh = true;  // nothing but \* has been read since the group opened
  bool operator==(const Scope&) const = default;
};

struct Group {
  CharProps chr;
  ParaProps para;
  Scope scope;
};

// Groups nested deeper than kMaxGroupDepth share the properties of the deepest one, so
// memory stays bounded whatever the input; real files nest a few dozen levels at most. Each
// keeps its own Scope, so that a destination opened there ends with its group.
class GroupStack {
 public:
  static constexpr int kMaxGroupDepth = 256;

  bool isEmpty() const { return m_groups.empty(); }
  // Whether only the outermost group, {\rtf1 ...}, is open.
  bool isOutermost() const { return m_groups.size() == 1; }
  // The innermost group; the stack must not be empty.
  Group& top() { return m_groups.back(); }

  // { : a group opens inside the innermost one, with its properties.
  void open();
  // } : the innermost group closes; it must not be the outermost one.
  void close();

 private:
  std::vector<Group> m_groups;
  // The scopes of the groups past kMaxGroupDepth, innermost last, equal neighbours as one
  // entry with a count: nesting a million levels deep costs one entry.
  std::vector<std::pair<Scope, int>> m_deepScopes;
};

}  // namespace quorvex::rtf::detail
