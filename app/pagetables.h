// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRect>
#include <QString>

#include <span>
#include <vector>

class QPixmap;
class QWidget;

namespace quorvex::app {

class TForm1;

inline constexpr const char* kMessageBoxHint =
    "This box will tell you the general result.For detail, you must see the result board.";
inline constexpr const char* kSupportAddress = "support@quorvex.example";

// What one row of a page table builds.
enum class Kind {
  Pages,     // a page control
  Page,      // a page of the page control `parent`: the caption on its tab, the hint over tab and page
  Group,     // a group box titled with the caption
  Picture,   // a label showing the row's picture
  Label,     // a caption; with an empty geometry it is sized to its text
  Swatch,    // a square of the row's colour
  Edit,      // a one-line box; the slot runs on Enter
  List,      // a read-only plain-text box with a vertical scroll bar
  RichText,  // a rich-text box with a vertical scroll bar
  Button,    // the slot runs on a click
  Radio,     // the slot runs when the button becomes selected, not when it is pressed again
  Grid,      // the calculation table's grid; its cells are the window's to connect
  Elements,  // one button per element (ElementButtons); the slot runs on a click
};

// Row flags.
enum ControlFlag : unsigned {
  kReadOnly = 1u << 0,
  kHidden = 1u << 1,
  kSelected = 1u << 2,       // a radio button selected at start
  kClearsMessage = 1u << 3,  // a click into the box empties the message box
  kNormalises = 1u << 4,     // typed or pasted notation is written as formulas at once
  kBanner = 1u << 5,         // bold white on blue, behind its later siblings
  kLink = 1u << 6,           // underlined, with a pointing hand; the slot runs on a click
  kLargeText = 1u << 7,      // 12-pixel text
  kLabelsNext = 1u << 8,     // a caption naming the next row's control (its buddy)
};

using Slot = void (TForm1::*)();

// One control: its kind, its parent's object name (null: the window), its
// own object name, caption (a button's "&" marks its Alt+letter and is not
// shown), place in its parent (left, top, width, height), hint and the
// window's slot it runs.
struct Control {
  Kind kind;
  const char* parent;
  const char* name;
  const char* caption = "";
  QRect geometry = {};
  const char* hint = "";
  Slot slot = nullptr;
  unsigned flags = 0;
  QRgb colour = 0;  // text colour, or a swatch's colour; 0: the palette's
  QPixmap (*picture)() = nullptr;
};

// The window's own controls, then each page's in the order of the tabs. A
// row's parent comes before it in the same table or an earlier one.
std::span<const std::span<const Control>> PageTables();

// The periodic table's buttons, in their order of creation: object name
// "Element" and the symbol, captioned with the symbol.
struct ElementButton {
  QString symbol;
  QRect geometry;
  QColor colour;  // metal, metalloid or non-metal
};
std::vector<ElementButton> ElementButtons();

// The name a screen reader speaks for the control `objectName`; empty when
// its caption names it.
QString AccessibleName(const QString& objectName);

// Builds the controls of `table` into `window` and connects their slots.
void BuildControls(std::span<const Control> table, TForm1& window);

}  // namespace quorvex::app
