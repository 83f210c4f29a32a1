// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <string_view>

#include "core/notifier.h"

class QWidget;

namespace quorvex::app {

// Where the window's modal messages go: message boxes in the program, a
// recorder in tests.
class MessagePresenter {
 public:
  virtual ~MessagePresenter() = default;
  // A message with one OK button; returns once it is closed.
  virtual void information(const QString& text) = 0;
  // The text of an error that ended a command.
  virtual void error(const QString& text) = 0;
  enum class SaveChoice { Save, Discard, Cancel };
  // Asks whether to save changes before they are lost.
  virtual SaveChoice askToSave(const QString& text) = 0;
};

// Modal QMessageBox windows over `parent`, titled with the application name.
class MessageBoxPresenter final : public MessagePresenter {
 public:
  explicit MessageBoxPresenter(QWidget* parent = nullptr) : m_parent(parent) {}
  void setParent(QWidget* parent) { m_parent = parent; }
  void information(const QString& text) override;
  void error(const QString& text) override;
  SaveChoice askToSave(const QString& text) override;

 private:
  QWidget* m_parent;
};

// The core's modal messages, as bytes in the system code page, shown through
// a presenter. `beforeModal` runs first, so that the window shows the core's
// texts as they are when the message opens, not as they were before the command.
class PresenterNotifier final : public Notifier {
 public:
  explicit PresenterNotifier(MessagePresenter& presenter) : m_presenter(presenter) {}
  void setBeforeModal(std::function<void()> beforeModal) { m_beforeModal = std::move(beforeModal); }
  void modal(std::string_view text) override;

 private:
  MessagePresenter& m_presenter;
  std::function<void()> m_beforeModal;
};

// Conversions at the window's edge: the core works on bytes in the system code page.
QString FromBytes(std::string_view bytes);
std::string ToBytes(const QString& text);

}  // namespace quorvex::app
