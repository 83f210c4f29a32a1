// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/balancerun.h"
#include "cli/commands.h"
#include "cli/equationline.h"

namespace quorvex::cli {
namespace {

// True when the two descriptors write to one file (the same terminal, pipe or file).
bool SameFile(int a, int b) {
  struct stat first {};
  struct stat second {};
  return ::fstat(a, &first) == 0 && ::fstat(b, &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

int RunBalanceCommand(int argc, char** argv) {
  const std::optional<Arguments> args =
      ParseArguments("balance", std::vector<std::string>(argv + 2, argv + argc),
                     {{"--medium", true}, {"--half", false}}, std::cerr);
  if (!args) return 2;
  balance::CompletionChoice choice;
  for (const auto& [name, value] : args->options) {
    if (name == "--half") {
      choice.halfReaction = true;
    } else if (const std::optional<balance::Medium> medium = balance::ReadMedium(value)) {
      choice.medium = *medium;
    } else {
      return UsageError(std::cerr, "balance", "'" + value + "' is no medium: use acid, base or neutral");
    }
  }
  if (args->operands.size() > 1)
    return UsageError(std::cerr, "balance", "takes at most one FILE or EQUATION");
  EquationInput input;
  if (!input.open(args->operands.empty() ? "-" : args->operands.front(), std::cerr)) return 2;
  // Standard error is unbuffered, so that where both streams share a file each note stands
  // before the results written after it. Where they do not, no order between them can be
  // seen, and the notes are buffered: a write a note cost more than the balance of a line.
  // Nor is standard output then flushed before each note (standard error is tied to it), which
  // cost a write of the results for every line with a note.
  if (!SameFile(STDOUT_FILENO, STDERR_FILENO)) {
    std::cerr.unsetf(std::ios_base::unitbuf);
    std::cerr.tie(nullptr);
  }
  errno = 0;
  const bool ok = RunBalance(input.stream(), std::cout, std::cerr, choice);
  const int error = errno;
  std::cout.flush();
  std::cerr.flush();
  if (!ok) {
    ReadFailed(input.name(), error, std::cerr);
    return 2;
  }
  return 0;
}

}  // namespace

const Command kBalanceCommand = {
    "balance",
    R"(  quorvex-cli balance [--medium acid|base|neutral] [--half] [FILE | EQUATION]
      Balances the equations in FILE, or standard input when FILE is missing
      or "-", one equation a line: the reactants, "=" or an arrow ("->",
      "<=>", "→", "⇌"), the products; or the one EQUATION given, an argument
      that names no file and holds "=" or an arrow:
        quorvex-cli balance "Fe + O2 -> Fe2O3"
      Species are separated by commas and by "+" signs outside square
      brackets; a "+" with a blank on each side always separates, a "+" or
      "-" right after a formula at its end is its charge ("Na+ + Cl-",
      "Fe+2 + SO4-2", "Ca++"); at most 14 species a side. Pasted notation such
      as "H₂O", "SO4^2-", "CuSO4.5H2O", "FeSO4:7H2O", "K4[Fe(CN)6]" or "e-" is
      read as the formula it stands for; "Fe3+", which reads as Fe3[+] or
      Fe[3+], is an input error naming both. Coefficients typed in front
      ("2 H2") are left out, with a note on standard error (check keeps
      them). Empty lines and lines starting with "#" are skipped.
      Prints one line for each equation: the outcome message, a tab, and the
      balanced equation (empty unless the balance succeeded); a failed
      balance adds a tab and "code: sentence" saying why:
        Balanced it successfully!<TAB>2H2+O2 = 2H2O
        Failed to balance!<TAB><TAB>none: H is found among the reactants only.
      --medium completes each equation for its solution before balancing:
      H[+] and H2O may be added in acid, OH[-] and H2O in base, H2O alone
      in neutral solution, each on the side the balance needs. --half adds
      electrons, shown "e[-]", for a half-reaction. A species typed is never
      added again and keeps its side. A success lists the added species in a
      third column:
        Balanced it successfully!<TAB>Sn[4+]+2e[-] = Sn[2+]<TAB>added: 2e[-]
      When the completed equation has more than one independent balance,
      the reason "multiple" names them.
      Messages that the window shows in a message box go to standard error as
      "N: text", N being the input line number. A UTF-8 byte-order mark at
      the start of the input is skipped.
)",
    RunBalanceCommand};

}  // namespace quorvex::cli
