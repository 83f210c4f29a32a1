// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/searchrun.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/libraryrun.h"
#include "support/tempfolder.h"

namespace quorvex::cli {
namespace {

using quorvex::testing::ReadBytes;
using quorvex::testing::TempFolder;
using quorvex::testing::WriteBytes;

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

CliRun Search(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunSearch(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(SearchCli, PrintsTheFoundList) {
  TempFolder folder;
  const std::string file = (folder / "cbd.dat").string();
  WriteBytes(file, "#2H2+O2 = 2H2O#\r\n#2KClO3 = 2KCl+3O2#\n#2H2O2 = 2H2O+O2#");
  const CliRun both = Search({"--library", file, "--product", "O2", "--product", "", "--reactant", "KClO3"});
  EXPECT_EQ(both.status, 0);
  EXPECT_EQ(both.out, "\n...... Found 1 equation ......\n\n|1| 2KClO3 = 2KCl+3O2\n\n");
  EXPECT_EQ(both.err, "");

  const CliRun water = Search({"--product=H2O", "--library=" + file});
  EXPECT_EQ(water.out, "\n...... Found 2 equations ......\n\n|1| 2H2+O2 = 2H2O\n\n|2| 2H2O2 = 2H2O+O2\n\n");
  EXPECT_EQ(Search({"--library", file, "--reactant", "Xe"}).out, "\n...... Found 0 equations ......\n\n");
  // The terms are read as the window's search reads them, a term that reads
  // two ways said on standard error, and an unreadable pasted equation refused.
  EXPECT_EQ(Search({"--product=H\u2082O", "--library=" + file}).out, water.out);
  EXPECT_EQ(Search({"--library", file, "--reactant", "H2O2 = H2O + O2"}).out,
            "\n...... Found 1 equation ......\n\n|1| 2H2O2 = 2H2O+O2\n\n");
  EXPECT_NE(Search({"--library", file, "--product", "Mn2+"}).err.find("reads two ways"), std::string::npos);
  EXPECT_EQ(Search({"--library", file, "--reactant", "H2 = O2 = H2O"}).status, 2);
  // Six terms a side is the most, and allowed.
  std::vector<std::string> six = {"--library", file};
  for (const char* term : {"H2", "O2", "H2", "O2", "H2", "O2"}) {
    six.insert(six.end(), {"--reactant", term, "--product", "H2O"});
  }
  EXPECT_EQ(Search(six).out, "\n...... Found 1 equation ......\n\n|1| 2H2+O2 = 2H2O\n\n");

  // More matches than the list holds: the closing line asks for more terms, not for a clear.
  std::string many;
  for (int i = 0; i < 6000; ++i) many += "#2H2+O2 = 2H2O#\n";
  WriteBytes(file, many);
  const std::string full = Search({"--library", file, "--product", "H2O"}).out;
  const std::size_t closing = full.rfind("\n\n......");
  ASSERT_NE(closing, std::string::npos);
  EXPECT_EQ(
      full.substr(closing - 20),
      "|3023| 2H2+O2 = 2H2O\n\n...... The list is full: only the first 3023 are listed. Give more terms "
      "to narrow the search. ......\n\n");
}

TEST(SearchCli, UsageAndFileErrors) {
  TempFolder folder;
  const std::string file = (folder / "cbd.dat").string();
  WriteBytes(file, "#2H2+O2 = 2H2O#\r\n");
  // clang-format off
  const std::vector<std::string> sevenReactants = {
      "--library", file,         "--reactant", "A", "--reactant", "B", "--reactant", "C",
      "--reactant", "D", "--reactant", "E", "--reactant", "F", "--reactant", "G"};
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string err;
  };
  // clang-format on
  // clang-format off
  const std::vector<Case> cases = {
      {"seven reactant terms", sevenReactants, "at most 6 --reactant terms"},
      {"no library", {"--reactant", "H2"}, "option '--library FILE' is missing"},
      {"library twice", {"--library", file, "--library", file, "--reactant", "H2"}, "given twice"},
      {"option without value", {"--library", file, "--product"}, "option '--product' needs a value"},
      {"unknown option", {"--library", file, "--reactants=H2"},
       "search: unknown option '--reactants' (see 'quorvex-cli search --help')"},
      {"operand", {"--library", file, "H2"}, "unexpected argument 'H2'"},
      {"options ended", {"--library", file, "--", "--reactant", "H2"}, "unexpected argument '--reactant'"},
      {"no term", {"--library", file, "--product", ""}, "at least one non-empty"},
      {"missing file", {"--library", (folder / "none.dat").string(), "--reactant", "H2"},
       "quorvex-cli: Cannot read the library file '" + (folder / "none.dat").string() + "': File not found\n"},
      {"device", {"--library", "/dev/zero", "--reactant", "H2"}, "'/dev/zero': it is not a regular file."},
      {"folder", {"--library", folder.path().string(), "--reactant", "H2"}, "': Is a directory"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CliRun r = Search(c.args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
  }
}

// Add and delete: the window's message, status 0 only when the file changed.
TEST(LibraryCli, AddAndDelete) {
  TempFolder folder;
  const std::string file = (folder / "cbd.dat").string();
  struct Step {
    bool add;
    std::vector<std::string> args;
    int status;
    std::string out;
  };
  // clang-format off
  const std::vector<Step> steps = {
      {true, {"--library", file, "2H2+O2", "=", "2H2O"}, 0, "Added to the equation library successfully!\n"},
      {true, {"2H2+O2 = 2H2O", "--library", file}, 1, "This equation has already been in the equation library\n"},
      {false, {"--library", file, "2H2O2 = 2H2O+O2"}, 1, "This equation is not in the library.\n"},
      {false, {"--library", file, "2H2+O2 = 2H2O"}, 0, "Deleted from the library successfully!\n"},
      {true, {"--library", file}, 2, ""},
      {false, {"2H2+O2 = 2H2O", "--library"}, 2, ""},
  };
  // clang-format on
  for (const Step& step : steps) {
    SCOPED_TRACE(step.out);
    std::ostringstream out, err;
    EXPECT_EQ(RunLibraryChange(step.add, step.args, out, err), step.status);
    EXPECT_EQ(out.str(), step.out);
    EXPECT_EQ(err.str().empty(), step.status != 2);
  }
  EXPECT_EQ(ReadBytes(file), "");

  // A file that cannot be changed: status 1, the reason on standard error, nothing created.
  std::filesystem::create_directory(folder / "dir.dat");
  struct Refused {
    bool add;
    const char* name;
    const char* reason;
  };
  for (const Refused& r :
       {Refused{true, "dir.dat", "Is a directory"}, Refused{false, "typo.dat", "File not found"}}) {
    SCOPED_TRACE(r.name);
    std::ostringstream out, err;
    EXPECT_EQ(RunLibraryChange(r.add, {"--library", (folder / r.name).string(), "A = A"}, out, err), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find(r.reason), std::string::npos) << err.str();
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "typo.dat"));
}

}  // namespace
}  // namespace quorvex::cli
