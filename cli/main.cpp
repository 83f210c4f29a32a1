// quorvex-cli: the Quorvex engine driven from files and pipes.
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "cli/balancecli.h"

namespace {

constexpr std::string_view kUsage = R"(Usage:
  quorvex-cli balance [FILE]
  quorvex-cli --help

balance
  Balances the equations in FILE, or standard input when FILE is missing or
  "-", one equation a line: the reactants, "=", the products. Species are
  separated by "+" signs outside square brackets ("H[+]" and "Fe[3+]" are one
  species each); blanks around a species are dropped; at most 14 species a
  side. Empty lines and lines starting with "#" are skipped.

  For each equation one line is printed: the outcome message, a tab, and the
  balanced equation (empty unless the balance succeeded), for example
    Balanced it successfully!<TAB>2H2+O2 = 2H2O
  Messages that the window would show in a message box are written to
  standard error as "N: text", N being the input line number.

Exit status: 0 when the input could be read, 2 for a usage or file error.
)";

int Usage(std::ostream& os, int status) {
  os << kUsage;
  return status;
}

int Balance(int argc, char** argv) {
  if (argc > 3) {
    std::cerr << "quorvex-cli: balance takes at most one FILE\n";
    return Usage(std::cerr, 2);
  }
  std::ios::sync_with_stdio(false);
  const std::string path = argc == 3 ? argv[2] : "-";
  bool ok = false;
  if (path == "-") {
    ok = quorvex::cli::RunBalance(std::cin, std::cout, std::cerr);
  } else {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
      std::cerr << "quorvex-cli: cannot open '" << path << "': " << std::strerror(errno) << '\n';
      return 2;
    }
    ok = quorvex::cli::RunBalance(file, std::cout, std::cerr);
  }
  std::cout.flush();
  if (!ok) {
    std::cerr << "quorvex-cli: reading '" << path << "' failed\n";
    return 2;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage(std::cerr, 2);
  const std::string_view command = argv[1];
  if (command == "--help" || command == "-h" || command == "help") return Usage(std::cout, 0);
  if (command == "balance") return Balance(argc, argv);
  std::cerr << "quorvex-cli: unknown command '" << command << "'\n";
  return Usage(std::cerr, 2);
}
