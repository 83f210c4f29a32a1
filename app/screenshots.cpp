// SPDX-License-Identifier: GPL-3.0-or-later
// quorvex-screenshots DIR: shows each page of the main window in turn and saves
// a PNG of it into DIR (balancer.png, searcher.png, ...), and beside it the
// page's widget tree as text (balancer.txt, ...): each widget's class, object
// and accessible name, geometry, state and shown text, so that two builds can
// be compared line by line. Meant to run under
// Xvfb or the offscreen platform, so anyone can look at the window without a
// desktop.
#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextEdit>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

#include "app/fonts.h"
#include "app/messages.h"
#include "app/tform1.h"

namespace {

// Messages are printed, never shown: nothing may wait for a click here.
class PrintingPresenter final : public quorvex::app::MessagePresenter {
 public:
  void information(const QString& text) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
  void error(const QString& text) override { std::fprintf(stderr, "error: %s\n", qPrintable(text)); }
  SaveChoice askToSave(const QString&) override { return SaveChoice::Discard; }
};

// What `widget` shows as text, on one line.
QString ShownText(const QWidget* widget) {
  QString text;
  if (const auto* label = qobject_cast<const QLabel*>(widget)) text = label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
    text = button->text() + (button->isCheckable() ? (button->isChecked() ? " [x]" : " [ ]") : "");
  }
  if (const auto* line = qobject_cast<const QLineEdit*>(widget)) text = line->text();
  if (const auto* edit = qobject_cast<const QTextEdit*>(widget)) text = edit->toPlainText();
  if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget)) text = plain->toPlainText();
  if (const auto* group = qobject_cast<const QGroupBox*>(widget)) text = group->title();
  if (const auto* tabs = qobject_cast<const QTabWidget*>(widget)) {
    for (int i = 0; i < tabs->count(); ++i)
      text += tabs->tabText(i) + (i == tabs->currentIndex() ? "* " : " ");
  }
  if (const auto* view = qobject_cast<const QAbstractItemView*>(widget); view && view->model()) {
    const QAbstractItemModel* model = view->model();
    for (int r = 0; r < model->rowCount(); ++r) {
      QStringList cells;
      for (int c = 0; c < model->columnCount(); ++c) cells << model->index(r, c).data().toString();
      if (!cells.join(QString()).isEmpty()) text += QString::number(r) + ":" + cells.join('|') + " ";
    }
  }
  return text.replace('\n', "\\n");
}

void DumpTree(const QWidget* widget, int depth, QTextStream& out) {
  out << QString(qsizetype{2} * depth, ' ') << widget->metaObject()->className() << " '"
      << widget->objectName() << "' a11y='" << widget->accessibleName() << "' " << widget->geometry().x()
      << ',' << widget->geometry().y() << ' ' << widget->geometry().width() << 'x'
      << widget->geometry().height() << (widget->isVisible() ? " shown" : " hidden")
      << (widget->isEnabled() ? "" : " disabled") << (widget->hasFocus() ? " focus" : "") << " text='"
      << ShownText(widget) << "'\n";
  for (const QObject* child : widget->children()) {
    if (const auto* w = qobject_cast<const QWidget*>(child)) DumpTree(w, depth + 1, out);
  }
}

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
  const char* const names[] = {"balancer", "searcher", "calculator", "report", "periodic-table", "help"};
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
    QFile tree(out.filePath(QString::fromLatin1(names[i]) + ".txt"));
    if (!tree.open(QIODevice::WriteOnly | QIODevice::Text)) {
      std::fprintf(stderr, "quorvex-screenshots: cannot write %s\n", qPrintable(tree.fileName()));
      status = 1;
      continue;
    }
    QTextStream stream(&tree);
    DumpTree(&window, 0, stream);
    stream.flush();
    if (stream.status() != QTextStream::Ok || !tree.flush()) {
      std::fprintf(stderr, "quorvex-screenshots: cannot write %s\n", qPrintable(tree.fileName()));
      status = 1;
    }
  }
  return status;
}
