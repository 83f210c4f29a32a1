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
inline constexpr QRgb kNavy = qRgb(0, 0, 128);
// The colours of the periodic table's kinds of element.
inline constexpr QRgb kMetal = qRgb(0, 128, 0);
inline constexpr QRgb kMetalloid = qRgb(128, 0, 128);
inline constexpr QRgb kNonMetal = qRgb(255, 0, 0);

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
  const char* spoken = nullptr;  // the name a screen reader speaks, where the caption does not name it
};

// The rows that recur: buttons 25 pixels high, input boxes 110 by 19, and
// captions sized to their text.
constexpr Control Button(const char* parent, const char* name, const char* caption, int left, int top,
                         int width, const char* hint, Slot slot, unsigned flags = 0) {
  return {Kind::Button, parent, name, caption, {left, top, width, 25}, hint, slot, flags};
}
constexpr Control Input(const char* parent, const char* name, int left, int top, Slot enter, unsigned flags,
                        const char* hint = "") {
  return {Kind::Edit, parent, name, "", {left, top, 110, 19}, hint, enter, flags};
}
constexpr Control Text(const char* parent, const char* name, const char* caption, int left, int top,
                       unsigned flags = 0) {
  return {Kind::Label, parent, name, caption, {left, top, 0, 0}, "", nullptr, flags};
}
// `row`, spoken as `spoken`.
constexpr Control Named(Control row, const char* spoken) {
  row.spoken = spoken;
  return row;
}

// The window's own controls: the banner and the page control the pages go into.
std::span<const Control> WindowRows();

// The periodic table's buttons, in their order of creation: object name
// "Element" and the symbol, captioned with the symbol.
struct ElementButton {
  QString symbol;
  QRect geometry;
  QColor colour;  // metal, metalloid or non-metal
};
std::vector<ElementButton> ElementButtons();

// Builds the controls of `table` into `window` and connects their slots.
void BuildControls(std::span<const Control> table, TForm1& window);

}  // namespace quorvex::app
