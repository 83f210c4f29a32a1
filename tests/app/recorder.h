// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

#include "app/messages.h"

// Keeps the window's modal messages in order instead of showing them, so a
// test never waits on a message box. Errors are kept with an "error: " prefix.
class RecordingPresenter final : public quorvex::app::MessagePresenter {
 public:
  void information(const QString& text) override {
    messages << text;
    if (whileOpen) whileOpen();
  }
  void error(const QString& text) override { messages << "error: " + text; }
  // Kept with an "ask: " prefix; answered with `saveChoice`.
  SaveChoice askToSave(const QString& text) override {
    messages << "ask: " + text;
    return saveChoice;
  }
  SaveChoice saveChoice = SaveChoice::Discard;
  QStringList messages;
  std::function<void()> whileOpen;  // runs while a message is "open"
};
