// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quorvex::testing {

// The rows of a tab-separated table file, each cut into its columns; blank
// lines and "#" comment lines left out. Empty when the file cannot be read.
inline std::vector<std::vector<std::string>> TableRows(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::vector<std::string>> rows;
  for (std::string row; std::getline(in, row);) {
    if (row.empty() || row[0] == '#') continue;
    std::istringstream line(row);
    rows.emplace_back();
    for (std::string column; std::getline(line, column, '\t');) rows.back().push_back(column);
  }
  return rows;
}

}  // namespace quorvex::testing
