// quorvex-icon OUT.png [SIZE]: draws the program's icon into a PNG file at build time.
#include <QImage>

#include <cstdio>
#include <cstdlib>

#include "app/pictures.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: quorvex-icon OUT.png [SIZE]\n");
    return 2;
  }
  const int size = argc == 3 ? std::atoi(argv[2]) : 64;
  if (size < 16 || size > 1024 || !quorvex::app::AppIcon(size).save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "quorvex-icon: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
