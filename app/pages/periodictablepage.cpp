// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/periodictablepage.h"

#include <QLabel>
#include <QPushButton>

#include "app/tform1.h"

namespace quorvex::app {
namespace {

constexpr Control Fact(const char* name, const char* caption, int left, int top) {
  return Text("GroupBox9", name, caption, left, top, kLabelsNext);
}
constexpr Control FactValue(const char* name, int left, int top) {
  return {Kind::Label, "GroupBox9", name, "N/A", {left, top, 120, 16}, "", nullptr, 0, kNavy};
}

// The facts stand in two columns of five, each caption followed by its value.
// The table keeps one control a row; the formatter would break the rows apart.
// clang-format off
constexpr Control kRows[] = {
    {Kind::Page, "TapSheet1", "TableTabSheet", "Periodic Table", {}, "Periodic Table"},
    {Kind::Group, "TableTabSheet", "GroupBox6", "", {16, 8, 489, 313}},
    {Kind::Elements, "GroupBox6", "", "", {}, "", &TForm1::OnElementClick},
    {Kind::Swatch, "GroupBox6", "LegendMetal", "", {19, 24, 12, 12}, "", nullptr, 0, kMetal},
    Text("GroupBox6", "LegendMetalLabel", "Metal", 36, 23),
    {Kind::Swatch, "GroupBox6", "LegendMetalloid", "", {119, 24, 12, 12}, "", nullptr, 0, kMetalloid},
    Text("GroupBox6", "LegendMetalloidLabel", "Metalloid", 136, 23),
    {Kind::Swatch, "GroupBox6", "LegendNonMetal", "", {239, 24, 12, 12}, "", nullptr, 0, kNonMetal},
    Text("GroupBox6", "LegendNonMetalLabel", "Non-Metal", 256, 23),
    {Kind::Group, "TableTabSheet", "GroupBox9", "", {16, 337, 489, 121}},
    Fact("CaptionETName", "Name", 10, 12),
    FactValue("ETName", 120, 12),
    Fact("CaptionETSymbol", "Symbol", 10, 33),
    FactValue("ETSymbol", 120, 33),
    Fact("CaptionETeType", "Type", 10, 54),
    FactValue("ETeType", 120, 54),
    Fact("CaptionETnumber", "Atomic Number", 10, 75),
    FactValue("ETnumber", 120, 75),
    Fact("CaptionETweight", "Atomic Weight", 10, 96),
    FactValue("ETweight", 120, 96),
    Fact("CaptionETstate", "Natural State", 250, 12),
    FactValue("ETstate", 360, 12),
    Fact("CaptionETMelt", "Melting Point", 250, 33),
    FactValue("ETMelt", 360, 33),
    Fact("CaptionETBoil", "Boiling Point", 250, 54),
    FactValue("ETBoil", 360, 54),
    Fact("CaptionETnag", "ElectroNagativity", 250, 75),
    FactValue("ETnag", 360, 75),
    Fact("CaptionETEnergy", "Lonization Energy", 250, 96),
    FactValue("ETEnergy", 360, 96),
};
// clang-format on

constexpr const char* kFactNames[] = {"ETName",  "ETSymbol", "ETeType", "ETnumber", "ETweight",
                                      "ETstate", "ETMelt",   "ETBoil",  "ETnag",    "ETEnergy"};

// A missing value reads "N/A" however the element data spaces it.
QString ShownFact(const QString& text) {
  return QString(text).remove(' ') == QLatin1String("N/A") ? QStringLiteral("N/A") : text;
}

}  // namespace

PeriodicTablePage::PeriodicTablePage(TForm1& window) : Page(window, kRows) {
  for (int i = 0; i < workspace::kElementFacts; ++i) m_facts[i] = control<QLabel>(kFactNames[i]);
  // A button's caption is its symbol alone; a screen reader says the name first.
  const calc::ElementTable& elements = window.workspace().elements();
  for (const ElementButton& e : ElementButtons()) {
    const std::string& name = elements.ShowRealElementInfo(ToBytes(e.symbol)).name;
    if (!name.empty())
      control<QPushButton>("Element" + e.symbol)->setAccessibleName(FromBytes(name) + ", " + e.symbol);
  }
}

void PeriodicTablePage::show(const workspace::WindowTexts& texts) {
  // Only the facts that are numbers change with the user's separator.
  for (int i = 0; i < workspace::kElementFacts; ++i)
    m_facts[i]->setText(ShownFact(m_numbers.shown(texts.elementFacts[i])));
}

std::string PeriodicTablePage::symbolOf(const QObject* button) {
  const auto* b = qobject_cast<const QPushButton*>(button);
  return b ? ToBytes(b->text()) : std::string();
}

}  // namespace quorvex::app
