// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/messages.h"

#include <QApplication>
#include <QMessageBox>

namespace quorvex::app {

namespace {

void Show(QMessageBox::Icon icon, const QString& text, QWidget* parent) {
  QMessageBox box(icon, QApplication::applicationName(), text, QMessageBox::Ok, parent);
  // Before the main window is up (start-up errors) nothing may hide the box.
  if (!parent) box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.exec();
}

}  // namespace

void MessageBoxPresenter::information(const QString& text) { Show(QMessageBox::NoIcon, text, m_parent); }

void MessageBoxPresenter::error(const QString& text) { Show(QMessageBox::Critical, text, m_parent); }

MessagePresenter::SaveChoice MessageBoxPresenter::askToSave(const QString& text) {
  QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), text,
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, m_parent);
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Save: return SaveChoice::Save;
    case QMessageBox::Discard: return SaveChoice::Discard;
    default: return SaveChoice::Cancel;
  }
}

void PresenterNotifier::modal(std::string_view text) {
  if (m_beforeModal) m_beforeModal();
  m_presenter.information(FromBytes(text));
}

QString FromBytes(std::string_view bytes) {
  return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToBytes(const QString& text) {
  const QByteArray bytes = text.toLocal8Bit();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace quorvex::app
