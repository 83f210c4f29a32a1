// Quorvex: the program entry.
#include <QApplication>

#include <memory>

#include <QIcon>
#include <QScreen>
#include <QPixmap>

#include "app/fonts.h"
#include "app/pictures.h"
#include "app/messages.h"
#include "app/tform1.h"
#include "app/tform2.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Quorvex");
  QApplication::setWindowIcon(QIcon(QPixmap::fromImage(quorvex::app::AppIcon(64))));
  quorvex::app::UseWindowFont();

  auto splash = std::make_unique<quorvex::app::TForm2>();
  splash->show();
  splash->repaint();
  QApplication::processEvents();

  quorvex::app::MessageBoxPresenter presenter;
  quorvex::app::TForm1 window(presenter, {});
  presenter.setParent(&window);

  splash->hide();
  splash.reset();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    window.move(screen->availableGeometry().center() - window.rect().center());
  }
  window.show();
  return QApplication::exec();
}
