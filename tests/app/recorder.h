#pragma once

#include <QString>
#include <QStringList>

#include "app/messages.h"

// Keeps the window's modal messages in order instead of showing them, so a
// test never waits on a message box. Errors are kept with an "error: " prefix.
class RecordingPresenter final : public quorvex::app::MessagePresenter {
 public:
  void information(const QString& text) override { messages << text; }
  void error(const QString& text) override { messages << "error: " + text; }
  QStringList messages;
};
