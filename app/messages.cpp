#include "app/messages.h"

#include <QApplication>
#include <QMessageBox>

namespace quorvex::app {

void MessageBoxPresenter::information(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                  m_parent);
  box.exec();
}

void MessageBoxPresenter::error(const QString& text) {
  QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok,
                  m_parent);
  box.exec();
}

void PresenterNotifier::modal(std::string_view text) { m_presenter.information(FromBytes(text)); }

QString FromBytes(std::string_view bytes) {
  return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToBytes(const QString& text) {
  const QByteArray bytes = text.toLocal8Bit();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace quorvex::app
