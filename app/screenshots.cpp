// SPDX-License-Identifier: GPL-3.0-or-later
// quorvex-screenshots DIR: shows each page of the main window in turn and saves
// a PNG of it into DIR (balancer.png, searcher.png, ...). Meant to run under
// Xvfb or the offscreen platform, so anyone can look at the window without a
// desktop.
#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>

#include "app/fonts.h"
#include "app/messages.h"
#include "app/tform1.h"

namespace {

// Messages are printed, never shown: nothing may wait for a click here.
class PrintingPresenter final : public quorvex::app::MessagePresenter {
 public:
  void information(const QString& text) override {
    std::fprintf(stderr, "message: %s\n", qPrintable(text));
  }
  void error(const QString& text) override { std::fprintf(stderr, "error: %s\n", qPrintable(text)); }
  SaveChoice askToSave(const QString&) override { return SaveChoice::Discard; }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Quorvex");
  quorvex::app::UseWindowFont();
  if (argc != 2) {
    std::fprintf(stderr, "usage: quorvex-screenshots DIR\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!out.exists() && !QDir().mkpath(out.path())) {
    std::fprintf(stderr, "quorvex-screenshots: cannot create %s\n", argv[1]);
    return 2;
  }
  PrintingPresenter presenter;
  quorvex::app::TForm1::Options options;
  options.pdfPath = [] { return QString(); };
  options.openUrl = [](const QString&) { return false; };
  quorvex::app::TForm1 window(presenter, options);
  window.show();
  // Something to look at on the Balancer page.
  window.ExampleBtClick();
  window.Input_BalanceClick();

  auto* tabs = window.findChild<QTabWidget*>("TapSheet1");
  const char* const names[] = {"balancer", "searcher", "calculator", "report", "periodic-table",
                               "help"};
  int status = 0;
  for (int i = 0; i < tabs->count(); ++i) {
    tabs->setCurrentIndex(i);
    // As a click into the page would: the calculator picks its first equation.
    if (i == 2) window.CalculateSheetEnter();
    QApplication::processEvents();
    const QString file = out.filePath(QString::fromLatin1(names[i]) + ".png");
    if (!window.grab().save(file)) {
      std::fprintf(stderr, "quorvex-screenshots: cannot write %s\n", qPrintable(file));
      status = 1;
    } else {
      std::printf("%s\n", qPrintable(file));
    }
  }
  return status;
}
