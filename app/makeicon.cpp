// SPDX-License-Identifier: GPL-3.0-or-later
// quorvex-icon OUT.png [SIZE] [OUT.png SIZE]...: draws the program's icon into
// PNG files at build time, one for each size the desktop themes use.
#include <QImage>

#include <cstdio>
#include <cstdlib>

#include "app/pictures.h"

namespace {

constexpr int kSmallest = 16;
constexpr int kLargest = 1024;

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || (argc > 3 && argc % 2 == 0)) {
    std::fprintf(stderr, "usage: quorvex-icon OUT.png [SIZE] [OUT.png SIZE]...\n");
    return 2;
  }
  for (int i = 1; i < argc; i += 2) {
    const char* out = argv[i];
    char* end = nullptr;
    const long size = i + 1 < argc ? std::strtol(argv[i + 1], &end, 10) : 64;
    if (end != nullptr && (*end != '\0' || end == argv[i + 1])) {
      std::fprintf(stderr, "quorvex-icon: '%s' is not a size\n", argv[i + 1]);
      return 2;
    }
    if (size < kSmallest || size > kLargest) {
      std::fprintf(stderr, "quorvex-icon: a size is %d to %d pixels\n", kSmallest, kLargest);
      return 2;
    }
    if (!quorvex::app::AppIcon(static_cast<int>(size)).save(QString::fromLocal8Bit(out))) {
      std::fprintf(stderr, "quorvex-icon: cannot write %s\n", out);
      return 1;
    }
  }
  return 0;
}
