// SPDX-License-Identifier: GPL-3.0-or-later
// Quorvex: the program entry.
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "app/fonts.h"
#include "app/messages.h"
#include "app/pictures.h"
#include "app/tform1.h"
#include "app/tform2.h"
#include "quorvex/version.h"

namespace {

constexpr const char* kHelp =
    "Usage: quorvex [OPTION]\n"
    "Balance chemical equations, search an equation library and compute molecular\n"
    "weights, in a window.\n"
    "\n"
    "Quorvex works in the folder it is started in: it reads the equation library\n"
    "cbd.dat, the help page help.rtf and the report report.rtf there, rewrites\n"
    "cbd.dat after every change to the library and report.rtf when you press\n"
    "\"Save\". The menu entry starts it through quorvex-launch, which works in\n"
    "$XDG_DATA_HOME/quorvex (else ~/.local/share/quorvex) and first copies the\n"
    "delivered files there (from /usr/share/quorvex in the package) when they are\n"
    "missing, never overwriting yours. quorvex-cli does the same work from the\n"
    "command line.\n"
    "\n"
    "  -h, --help     display this help and exit\n"
    "      --version  output version information and exit\n"
    "\n"
    "Qt's own options, such as -platform, are understood too.\n"
    "\n"
    "Report bugs to: support@quorvex.example\n"
    "Quorvex home page: <https://www.quorvex.example/chemical/index.htm>\n";

// Writes `text` to standard output; status 0, or 1 when the write failed.
int Print(const std::string& text) {
  if (std::fputs(text.c_str(), stdout) < 0 || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "quorvex: cannot write to standard output\n");
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Answered before the window system is needed, so they work without a display.
  for (int i = 1; i < argc; ++i) {
    const std::string_view word = argv[i];
    if (word == "--help" || word == "-h") return Print(kHelp);
    if (word == "--version") return Print(quorvex::VersionText("quorvex"));
  }
  QApplication application(argc, argv);
  // Qt has taken its own options out of argv; the window takes no others.
  if (argc > 1) {
    std::fprintf(stderr, "quorvex: unknown argument '%s' (see 'quorvex --help')\n", argv[1]);
    return 2;
  }
  QApplication::setApplicationName("Quorvex");
  QApplication::setWindowIcon(QIcon(QPixmap::fromImage(quorvex::app::AppIcon(64))));
  quorvex::app::UseWindowFont();

  auto splash = std::make_unique<quorvex::app::TForm2>();
  splash->show();
  splash->repaint();
  QApplication::processEvents();

  quorvex::app::MessageBoxPresenter presenter;
  quorvex::app::TForm1::Options options;
  // quorvex-launch names here what it could not set up; programs started from the
  // window do not inherit it.
  options.launchProblem = QString::fromLocal8Bit(qgetenv("QUORVEX_LAUNCH_PROBLEM"));
  qunsetenv("QUORVEX_LAUNCH_PROBLEM");
  quorvex::app::TForm1 window(presenter, std::move(options));
  presenter.setParent(&window);

  splash->hide();
  splash.reset();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    window.move(screen->availableGeometry().center() - window.rect().center());
  }
  window.show();
  return QApplication::exec();
}
