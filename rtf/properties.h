// SPDX-License-Identifier: GPL-3.0-or-later
// Paragraph and numbering properties as RTF gives them, and the control words that set them.
#pragma once

#include <QList>
#include <QString>
#include <QTextListFormat>
#include <QTextOption>

#include "rtf/controlwords.h"
#include "rtf/rtfcommon.h"

namespace quorvex::rtf::detail {

// Old-style paragraph numbering ({\*\pn ...}), as WordPad writes bullets.
struct PnProps {
  bool on = false;
  bool bullet = false;
  QTextListFormat::Style style = QTextListFormat::ListDecimal;
  int level = 0;  // \pnlvlN, 0 when not given
  int font = -1;
  QString before;
  QString after;
};

struct ParaProps {
  Qt::Alignment alignment = Qt::AlignLeft;
  int left = 0;  // twips
  int right = 0;
  int firstLine = 0;
  int spaceBefore = 0;
  int spaceAfter = 0;
  int outline = -1;
  bool inTable = false;
  int list = 0;  // \lsN, 0 when the paragraph is in no list
  int listLevel = 0;
  PnProps pn;
  QList<QTextOption::Tab> tabs;
  QTextOption::TabType nextTabType = QTextOption::LeftTab;
};

// A word of a character format (\b, \fs, \cf, \plain ...) applied to `chr`.
void SetCharacterProperty(CharProps& chr, const Keyword& keyword, bool hasParam, int param);
// A word of a paragraph format (\pard, \qc, \li, \tx, \intbl, \ls ...) applied to `para`.
void SetParagraphProperty(ParaProps& para, const Keyword& keyword, bool hasParam, int param);
// A word of {\*\pn} (\pnlvl, \pnlvlblt, \pndec, \pnf ...) applied to `pn`.
void SetNumberingProperty(PnProps& pn, const Keyword& keyword, bool hasParam, int param);

}  // namespace quorvex::rtf::detail
