// SPDX-License-Identifier: GPL-3.0-or-later
#include "balance/completion.h"

#include <gmpxx.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include "balance/exact.h"
#include "core/numbertext.h"
#include "formula/notation.h"

namespace quorvex::balance {
namespace {

constexpr std::string_view kElectron = "[-]";

using Vector = std::vector<mpz_class>;

// One column of the extended matrix: where its species stands, and whether
// the completion put it there.
struct Column {
  bool product = false;
  int box = 0;
  bool added = false;
};

// Keeps the scanner's messages of the trial fill: shown only when no balance
// follows, which would show them itself.
class HeldMessages final : public Notifier {
 public:
  void modal(std::string_view text) override { m_texts.emplace_back(text); }
  void showOn(Notifier& notifier) {
    DistinctNotifier distinct(notifier);
    for (const std::string& text : m_texts) distinct.modal(text);
  }

 private:
  std::vector<std::string> m_texts;
};

std::vector<std::string_view> Candidates(CompletionChoice choice) {
  std::vector<std::string_view> species;
  if (choice.medium == Medium::Acidic) species = {"H[+]", "H2O"};
  if (choice.medium == Medium::Basic) species = {"OH[-]", "H2O"};
  if (choice.medium == Medium::Neutral) species = {"H2O"};
  if (choice.halfReaction) species.push_back(kElectron);
  return species;
}

// The species a box text names, whatever its state: "H2O(l)" and "H2O (l)" are H2O.
std::string_view Stateless(std::string_view text) {
  text = formula::WithoutStateSymbol(text);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

bool IsTyped(const formula::BoxTexts& boxes, std::string_view species) {
  for (const auto* side : {&boxes.reactants, &boxes.products}) {
    for (const std::string& box : *side) {
      const std::string_view text = Stateless(box);
      // A pasted electron ("e⁻") reads as "e[-]".
      if (text == species || (species == kElectron && text == "e[-]")) return true;
    }
  }
  return false;
}

// The box after the last filled one of the side, else any empty one; -1 when full.
int FreeBox(const std::array<std::string, formula::kBoxesPerSide>& side) {
  int last = formula::kBoxesPerSide - 1;
  while (last >= 0 && side[static_cast<std::size_t>(last)].empty()) --last;
  if (last + 1 < formula::kBoxesPerSide) return last + 1;
  for (int i = 0; i < formula::kBoxesPerSide; ++i) {
    if (side[static_cast<std::size_t>(i)].empty()) return i;
  }
  return -1;
}

const std::string& TextAt(const formula::BoxTexts& boxes, const Column& c) {
  return (c.product ? boxes.products : boxes.reactants)[static_cast<std::size_t>(c.box)];
}

// The columns of `boxes` in matrix order, marking the boxes that `typed` left empty.
std::vector<Column> Columns(const formula::BoxTexts& boxes, const formula::BoxTexts& typed) {
  std::vector<Column> columns;
  for (const bool product : {false, true}) {
    for (int i = 0; i < formula::kBoxesPerSide; ++i) {
      const auto at = static_cast<std::size_t>(i);
      if ((product ? boxes.products : boxes.reactants)[at].empty()) continue;
      columns.push_back({product, i, (product ? typed.products : typed.reactants)[at].empty()});
    }
  }
  return columns;
}

// Typed species on their own side count positive: the sign with more of them
// positive, the first non-zero one on a tie.
void Orient(Vector& v, const std::vector<Column>& columns) {
  int positive = 0;
  int negative = 0;
  int first = 0;
  for (std::size_t j = 0; j < v.size(); ++j) {
    if (columns[j].added) continue;
    const int s = sgn(v[j]);
    if (first == 0) first = s;
    positive += s > 0;
    negative += s < 0;
  }
  if (negative > positive || (negative == positive && first < 0)) {
    for (mpz_class& x : v) x = -x;
  }
}

bool TypedNonNegative(const Vector& v, const std::vector<Column>& columns) {
  for (std::size_t j = 0; j < v.size(); ++j) {
    if (!columns[j].added && sgn(v[j]) < 0) return false;
  }
  return true;
}

// The reaction `v` as an equation text: each species on the side its sign
// gives, the typed ones before the added ones.
std::string ReactionText(const Vector& v, const std::vector<Column>& columns,
                         const formula::BoxTexts& boxes) {
  std::string sides[2];
  std::vector<std::size_t> order;
  for (const bool added : {false, true}) {
    for (std::size_t j = 0; j < v.size(); ++j) {
      if (columns[j].added == added) order.push_back(j);
    }
  }
  for (const std::size_t j : order) {
    if (sgn(v[j]) == 0) continue;
    const bool product = columns[j].product != (sgn(v[j]) < 0);
    std::string& side = sides[product ? 1 : 0];
    if (!side.empty()) side += '+';
    const mpz_class c = abs(v[j]);
    if (c != 1) side += c.get_str();
    side += TextAt(boxes, columns[j]);
  }
  return sides[0] + " = " + sides[1];
}

// The edge of the balances u and w that makes typed coefficient j zero, the
// multiple `s` (w_j u - u_j w) in lowest terms; none when that is 0 or puts a
// typed species on the other side.
std::optional<Vector> Edge(const Vector& u, const Vector& w, std::size_t j, int s,
                           const std::vector<Column>& columns) {
  Vector e(u.size());
  mpz_class g(0);
  for (std::size_t k = 0; k < u.size(); ++k) {
    e[k] = s * (w[j] * u[k] - u[j] * w[k]);
    mpz_gcd(g.get_mpz_t(), g.get_mpz_t(), e[k].get_mpz_t());
  }
  if (sgn(g) == 0 || !TypedNonNegative(e, columns)) return std::nullopt;
  for (mpz_class& x : e) x /= g;
  return e;
}

// The distinct edges of the balances u and w, stopping after the third.
std::vector<Vector> Edges(const Vector& u, const Vector& w, const std::vector<Column>& columns) {
  std::vector<Vector> edges;
  for (std::size_t j = 0; j < u.size() && edges.size() <= 2; ++j) {
    if (columns[j].added || (sgn(u[j]) == 0 && sgn(w[j]) == 0)) continue;
    for (const int s : {1, -1}) {
      std::optional<Vector> e = Edge(u, w, j, s, columns);
      if (e && std::find(edges.begin(), edges.end(), *e) == edges.end()) edges.push_back(std::move(*e));
    }
  }
  return edges;
}

// With two independent balances: the two edges of the balances that keep
// every typed species on its side, when they have two; else the basis.
std::vector<Vector> Reactions(std::vector<Vector> basis, const std::vector<Column>& columns) {
  if (basis.size() == 2) {
    std::vector<Vector> edges = Edges(basis[0], basis[1], columns);
    if (edges.size() == 2) return edges;
  }
  for (Vector& v : basis) Orient(v, columns);
  return basis;
}

std::string JoinAnd(const std::vector<std::string>& parts) {
  std::string text;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) text += i + 1 == parts.size() ? " and " : ", ";
    text += parts[i];
  }
  return text;
}

// Why no amounts of the added species balance the equation.
FailureReason NoBalance(const formula::CompositionMatrix& m, const formula::ElementNameList& names,
                        const std::vector<Column>& columns, const std::vector<std::string>& offered,
                        bool halfReaction) {
  for (int r = 1; r <= names.count(); ++r) {
    bool reactant = false;
    bool product = false;
    bool added = false;
    for (int j = 1; j <= m.S; ++j) {
      if (m.a[r][j] == 0) continue;
      added = added || columns[static_cast<std::size_t>(j - 1)].added;
      reactant = reactant || m.a[r][j] > 0;
      product = product || m.a[r][j] < 0;
    }
    if (added || reactant == product) continue;
    return {"none",
            names.slot(r - 1) + " is found among the " + (reactant ? "reactants" : "products") + " only."};
  }
  return {"none", "No amounts of " + JoinAnd(offered) + " on either side balance it" +
                      (halfReaction ? "." : "; a half-reaction needs electrons as well.")};
}

// The species `choice` allows that `typed` does not already hold.
std::vector<std::string> OfferedSpecies(const formula::BoxTexts& typed, CompletionChoice choice) {
  std::vector<std::string> offered;
  for (const std::string_view species : Candidates(choice)) {
    if (!IsTyped(typed, species)) offered.emplace_back(species);
  }
  return offered;
}

// Puts each offered species in a free box, a reactant box while there is one;
// the first species that finds no box, or none when all found one.
const std::string* PlaceOffered(formula::BoxTexts& extended, const std::vector<std::string>& offered) {
  for (const std::string& species : offered) {
    int box = FreeBox(extended.reactants);
    auto* side = &extended.reactants;
    if (box < 0) {
      box = FreeBox(extended.products);
      side = &extended.products;
    }
    if (box < 0) return &species;
    (*side)[static_cast<std::size_t>(box)] = species;
  }
  return nullptr;
}

// The element names and the composition matrix of `extended`; false on an
// input error, which the plain balance of the typed boxes then reports.
bool ReadExtended(const formula::BoxTexts& extended, formula::ElementNameList& names,
                  formula::CompositionMatrix& matrix, Notifier& held) {
  std::string pending;
  const formula::SpeciesList read = formula::ReadSpecies(extended);
  names.GetTotalElement(read, pending);
  // The name list and the scanner write nothing but input errors.
  if (!pending.empty() || names.count() > formula::kMaxElements) return false;
  formula::Scanner scanner(pending, held);
  formula::FillMatrix(read, names, scanner, matrix);
  return pending.empty() && NoElementError(read, matrix).empty();
}

// The "multiple" reason, naming the independent reactions of `basis`.
FailureReason MultipleReactions(std::vector<Vector> basis, const std::vector<Column>& columns,
                                const formula::BoxTexts& extended) {
  std::vector<std::string> reactions;
  for (const Vector& v : Reactions(std::move(basis), columns)) {
    reactions.push_back(ReactionText(v, columns, extended));
  }
  return {"multiple", "It combines " + std::to_string(reactions.size()) + " independent reactions: " +
                          JoinAnd(reactions) + "; split it into equations that balance on their own."};
}

// Why the only balance does not do: a typed species with the coefficient 0 or
// on the other side; none when it does.
std::optional<FailureReason> SignFailure(const Vector& balance, const std::vector<Column>& columns,
                                         const formula::BoxTexts& extended) {
  std::vector<std::string> zero;
  std::vector<std::string> negative;
  for (std::size_t j = 0; j < columns.size(); ++j) {
    if (columns[j].added) continue;
    if (sgn(balance[j]) == 0) zero.push_back(TextAt(extended, columns[j]));
    if (sgn(balance[j]) < 0) negative.push_back(TextAt(extended, columns[j]));
  }
  if (!zero.empty())
    return FailureReason{"zero", "Every balance gives " + JoinAnd(zero) + " the coefficient 0."};
  if (!negative.empty()) {
    return FailureReason{"sign", "Every balance needs " + JoinAnd(negative) + " on the other side."};
  }
  return std::nullopt;
}

// Each added species with a part in `balance` joins its side of `completed`;
// the input error when that side has no box left, else an empty text.
std::string JoinSides(formula::BoxTexts& completed, const std::vector<std::string>& offered,
                      const Vector& balance, const std::vector<Column>& columns,
                      const formula::BoxTexts& extended) {
  for (const std::string& species : offered) {
    std::size_t j = 0;
    while (!(columns[j].added && TextAt(extended, columns[j]) == species)) ++j;
    if (sgn(balance[j]) == 0) continue;
    const bool product = columns[j].product != (sgn(balance[j]) < 0);
    auto& side = product ? completed.products : completed.reactants;
    const int box = FreeBox(side);
    if (box < 0) {
      return std::string("Input error - the completed equation has more than 14 ") +
             (product ? "products." : "reactants.");
    }
    side[static_cast<std::size_t>(box)] = species;
  }
  return {};
}

// The added species of `completed` with the coefficients of its balance `x`.
std::vector<AddedSpecies> AddedWith(const formula::BoxTexts& completed, const formula::BoxTexts& typed,
                                    const CoefficientVector& x) {
  std::vector<AddedSpecies> added;
  const std::vector<Column> columns = Columns(completed, typed);
  for (std::size_t j = 0; j < columns.size(); ++j) {
    if (!columns[j].added) continue;
    std::string coefficient = NumberText(x[j + 1]);
    if (coefficient == "1") coefficient.clear();
    added.push_back({TextAt(completed, columns[j]), columns[j].product, std::move(coefficient)});
  }
  return added;
}

}  // namespace

std::optional<Medium> ReadMedium(std::string_view word) {
  if (word == "acid" || word == "acidic") return Medium::Acidic;
  if (word == "base" || word == "basic") return Medium::Basic;
  if (word == "neutral") return Medium::Neutral;
  return std::nullopt;
}

std::string AddedList(const std::vector<AddedSpecies>& added) {
  std::string list;
  for (const AddedSpecies& a : added) {
    if (!list.empty()) list += ", ";
    list += a.coefficient + a.species;
  }
  return list;
}

Completion CompleteAndBalance(Balancer& balancer, const formula::BoxTexts& typed, CompletionChoice choice) {
  Completion result{typed, {}};
  const std::vector<std::string> offered = OfferedSpecies(typed, choice);
  // Nothing to add, or a full board, which refuses: the plain balance.
  if (offered.empty() || balancer.board().isFull()) {
    result.run = balancer.balance(typed);
    return result;
  }
  formula::BoxTexts extended = typed;
  if (const std::string* homeless = PlaceOffered(extended, offered)) {
    balancer.decideInputError("Input error - no box is left for " + *homeless + ".");
    return result;
  }

  HeldMessages held;
  formula::ElementNameList names;
  const auto matrix = std::make_unique<formula::CompositionMatrix>();
  if (!ReadExtended(extended, names, *matrix, held)) {
    balancer.balance(typed);
    return result;
  }

  const std::vector<Column> columns = Columns(extended, typed);
  std::vector<Vector> basis = BalanceBasis(*matrix);
  const auto fail = [&](FailureReason reason) {
    held.showOn(balancer.notifier());
    balancer.decideFailed(std::move(reason));
    return result;
  };
  // Twice on one side, a species balances against itself: no balance can do.
  if (std::optional<FailureReason> repeated = RepeatedSpecies(typed)) return fail(std::move(*repeated));
  if (basis.empty()) return fail(NoBalance(*matrix, names, columns, offered, choice.halfReaction));
  if (basis.size() > 1) return fail(MultipleReactions(std::move(basis), columns, extended));

  Vector& balance = basis.front();
  Orient(balance, columns);
  if (std::optional<FailureReason> reason = SignFailure(balance, columns, extended)) {
    return fail(std::move(*reason));
  }

  const std::string error = JoinSides(result.boxes, offered, balance, columns, extended);
  if (!error.empty()) {
    held.showOn(balancer.notifier());
    balancer.decideInputError(error);
    return result;
  }
  balancer.balance(result.boxes);
  if (!FoundBalance(balancer.outcome())) return result;
  result.added = AddedWith(result.boxes, typed, balancer.coefficients());
  return result;
}

}  // namespace quorvex::balance
