#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "cli/balancecli.h"
#include "cli/commands.h"

namespace quorvex::cli {
namespace {

int RunBalanceCommand(int argc, char** argv) {
  if (argc > 3) {
    std::cerr << "quorvex-cli: balance takes at most one FILE\n";
    return 2;
  }
  const std::string path = argc == 3 ? argv[2] : "-";
  bool ok = false;
  if (path == "-") {
    ok = RunBalance(std::cin, std::cout, std::cerr);
  } else {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
      std::cerr << "quorvex-cli: cannot read '" << path << "': " << std::strerror(EISDIR) << '\n';
      return 2;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
      std::cerr << "quorvex-cli: cannot open '" << path << "': " << std::strerror(errno) << '\n';
      return 2;
    }
    ok = RunBalance(file, std::cout, std::cerr);
  }
  std::cout.flush();
  if (!ok) {
    std::cerr << "quorvex-cli: reading '" << path << "' failed\n";
    return 2;
  }
  return 0;
}

}  // namespace

const Command kBalanceCommand = {
    "balance",
    R"(  quorvex-cli balance [FILE]
      Balances the equations in FILE, or standard input when FILE is missing
      or "-", one equation a line: the reactants, "=", the products. Species
      are separated by "+" signs outside square brackets and caret charges
      ("H[+]", "Fe[3+]" and "Ba^2+" are one species each); blanks around a
      species are dropped; at most 14 species a side. Pasted notation such as
      "H₂O", "SO4^2-" or "CuSO4.5H2O" is read as the formula it stands for.
      Empty lines and lines starting with "#" are skipped.
      Prints one line for each equation: the outcome message, a tab, and the
      balanced equation (empty unless the balance succeeded); a failed
      balance adds a tab and "code: sentence" saying why:
        Balanced it successfully!<TAB>2H2+O2 = 2H2O
        Failed to balance!<TAB><TAB>none: H is found among the reactants only.
      Messages that the window shows in a message box go to standard error as
      "N: text", N being the input line number.
)",
    RunBalanceCommand};

}  // namespace quorvex::cli
