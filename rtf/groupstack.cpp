// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and closing RTF groups: what a group takes from its parent and gives back to it.
#include "rtf/groupstack.h"

namespace quorvex::rtf::detail {
namespace {

// A group opening inside one with `scope`: it starts fresh, and a group inside \upr is
// one of its parts.
void EnterChild(Scope& scope) {
  scope.starred = false;
  scope.fresh = true;
  if (scope.dest == Dest::Upr) scope.dest = Dest::UprPart;
  else if (scope.dest == Dest::UprPart) scope.dest = Dest::Skip;
}

}  // namespace

void GroupStack::open() {
  if (m_groups.size() >= static_cast<std::size_t>(kMaxGroupDepth)) {
    Scope& scope = top().scope;
    if (!m_deepScopes.empty() && m_deepScopes.back().first == scope) ++m_deepScopes.back().second;
    else m_deepScopes.emplace_back(scope, 1);
    EnterChild(scope);
    return;
  }
  Group child = m_groups.empty() ? Group{} : m_groups.back();
  EnterChild(child.scope);
  m_groups.push_back(std::move(child));
}

void GroupStack::close() {
  if (!m_deepScopes.empty()) {
    top().scope = m_deepScopes.back().first;
    if (--m_deepScopes.back().second == 0) m_deepScopes.pop_back();
    return;
  }
  Group child = std::move(m_groups.back());
  m_groups.pop_back();
  // Numbering read inside {\*\pn {\pntxtb ...}} belongs to the enclosing paragraph.
  const Dest dest = child.scope.dest;
  if (dest == Dest::Pn || dest == Dest::PnBefore || dest == Dest::PnAfter)
    top().para.pn = std::move(child.para.pn);
}

}  // namespace quorvex::rtf::detail
