// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/output.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <system_error>

namespace quorvex::cli {
namespace {

int Report(std::ostream& err, int error) {
  err << "quorvex-cli: cannot write the output: "
      << (error == 0 ? std::string("the system gave no reason") : std::generic_category().message(error))
      << '\n';
  err.flush();
  return kOutputFailed;
}

}  // namespace

int CheckedOutput(std::ostream& out, std::ostream& err, int status) {
  // A stream that failed earlier keeps the failed write's errno, as nothing
  // is written after it.
  if (!out.fail()) {
    errno = 0;
    out.flush();
  }
  if (out.fail()) return Report(err, errno);
  return status;
}

int FinishStandardOutput(int status) {
  status = CheckedOutput(std::cout, std::cerr, status);
  if (status == kOutputFailed) return status;
  errno = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) return Report(std::cerr, errno);
  // Nothing is buffered any more; what is left to fail is the close itself.
  if (::close(STDOUT_FILENO) != 0 && errno != EBADF) return Report(std::cerr, errno);
  return status;
}

}  // namespace quorvex::cli
