// SPDX-License-Identifier: GPL-3.0-or-later
// Control words that set character, paragraph and numbering properties, each clamped to what
// the document can hold.
#include "rtf/properties.h"

#include <QTextCharFormat>

#include <algorithm>

namespace quorvex::rtf::detail {
namespace {

// Paragraphs keep at most this many tab stops.
constexpr qsizetype kMaxTabStops = 64;

int ClampTwips(int twips) { return std::clamp(twips, -kMaxTwips, kMaxTwips); }

// Toggles such as \b take no parameter to switch on and 0 to switch off.
bool IsSwitchedOn(bool hasParam, int param) { return !hasParam || param != 0; }

}  // namespace

void SetCharacterProperty(CharProps& chr, const Keyword& keyword, bool hasParam, int param) {
  const bool on = IsSwitchedOn(hasParam, param);
  switch (keyword.kind) {
    case Kw::Plain: {
      const int link = chr.link;
      chr = CharProps{};
      chr.link = link;
      break;
    }
    case Kw::Bold: chr.bold = on; break;
    case Kw::Italic: chr.italic = on; break;
    case Kw::Underline:
      chr.underline =
          on ? static_cast<QTextCharFormat::UnderlineStyle>(keyword.value) : QTextCharFormat::NoUnderline;
      break;
    case Kw::Strike: chr.strike = on; break;
    case Kw::Vertical: chr.vertical = static_cast<QTextCharFormat::VerticalAlignment>(keyword.value); break;
    case Kw::Up:
    case Kw::Dn:
      chr.vertical = !on                      ? QTextCharFormat::AlignNormal
                     : keyword.kind == Kw::Up ? QTextCharFormat::AlignSuperScript
                                              : QTextCharFormat::AlignSubScript;
      break;
    case Kw::Fs:
      if (hasParam && param > 0) chr.halfPoints = std::min(param, kMaxHalfPoints);
      break;
    case Kw::Cf: chr.foreground = hasParam ? std::max(param, 0) : 0; break;
    case Kw::Bg: chr.background = hasParam ? std::max(param, 0) : 0; break;
    case Kw::Hidden: chr.hidden = on; break;
    default: break;
  }
}

void SetParagraphProperty(ParaProps& para, const Keyword& keyword, bool hasParam, int param) {
  switch (keyword.kind) {
    case Kw::Pard: para = ParaProps{}; break;
    case Kw::Align: para.alignment = static_cast<Qt::Alignment>(keyword.value); break;
    case Kw::Li:
      if (hasParam) para.left = ClampTwips(param);
      break;
    case Kw::Ri:
      if (hasParam) para.right = ClampTwips(param);
      break;
    case Kw::Fi:
      if (hasParam) para.firstLine = ClampTwips(param);
      break;
    case Kw::Sb:
      if (hasParam) para.spaceBefore = std::clamp(param, 0, kMaxTwips);
      break;
    case Kw::Sa:
      if (hasParam) para.spaceAfter = std::clamp(param, 0, kMaxTwips);
      break;
    case Kw::Outline: para.outline = hasParam && param >= 0 && param <= 8 ? param : -1; break;
    case Kw::TabType: para.nextTabType = static_cast<QTextOption::TabType>(keyword.value); break;
    case Kw::Tx:
      if (hasParam && param >= 0 && para.tabs.size() < kMaxTabStops) {
        QTextOption::Tab tab(TwipsToPixels(std::min(param, kMaxTwips)), para.nextTabType);
        if (tab.type == QTextOption::DelimiterTab) tab.delimiter = u'.';
        para.tabs.append(tab);
      }
      para.nextTabType = QTextOption::LeftTab;
      break;
    case Kw::Intbl: para.inTable = IsSwitchedOn(hasParam, param); break;
    case Kw::Ls: para.list = hasParam && param > 0 ? param : 0; break;
    case Kw::Ilvl: para.listLevel = hasParam ? std::clamp(param, 0, 8) : 0; break;
    default: break;
  }
}

void SetNumberingProperty(PnProps& pn, const Keyword& keyword, bool hasParam, int param) {
  switch (keyword.kind) {
    case Kw::PnF:
      if (hasParam) pn.font = param;
      break;
    case Kw::PnLvl:
      if (hasParam) pn.level = std::clamp(param, 1, 9);
      break;
    case Kw::PnLvlBlt: pn.bullet = true; break;
    case Kw::PnLvlBody: pn.bullet = false; break;
    case Kw::PnLvlCont: pn.on = false; break;
    case Kw::PnStyle: pn.style = static_cast<QTextListFormat::Style>(keyword.value); break;
    default: break;
  }
}

}  // namespace quorvex::rtf::detail
