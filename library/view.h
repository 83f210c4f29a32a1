#pragma once

#include <string_view>

namespace quorvex::library {

// The boxes and the label that the library commands write into, by their
// control names.
enum class Box {
  ResultEdit,
  AddToLibEdit,
  RemoveEquationEdit,
  SelEquationEdit,
  m_SearchResultEdit,
  EquationNumberLabel,
  SearchEdit1,
  SearchEdit2,
  SearchEdit3,
  SearchEdit4,
  SearchEdit5,
  SearchEdit6,
  SearchEdit7,
  SearchEdit8,
  SearchEdit9,
  SearchEdit10,
  SearchEdit11,
  SearchEdit12,
};

// Where the commands show their texts, in the order they show them; the
// window sets the widget's text, tests record.
class View {
 public:
  virtual ~View() = default;
  virtual void show(Box box, std::string_view text) = 0;
};

// The calculation table's two operations that the picker steps call.
class CalculatorHooks {
 public:
  virtual ~CalculatorHooks() = default;
  // Empties the amount column.
  virtual void ClearAmout() = 0;
  // Rebuilds the table from the picked equation of the calculator source.
  virtual void UpdateCaculate() = 0;
};

// The list the calculator takes its equation from.
enum class CalculatorSource { ResultBoard, FoundList };

}  // namespace quorvex::library
