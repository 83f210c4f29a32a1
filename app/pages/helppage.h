// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/pages/page.h"

class QTextEdit;

namespace quorvex::app {

// The Help page: the help document and the links to the home page and to support.
class HelpPage final : public Page {
 public:
  explicit HelpPage(TForm1& window);

  void show(const workspace::WindowTexts& /*texts*/) override {}

  // Reads help.rtf from the working folder; a file that cannot be read is reported.
  void load();
  void openHomePage();
  void mailSupport();

 private:
  // False, and says so, when nothing could open `url`.
  bool openUrl(const QString& url);

  QTextEdit* m_help = nullptr;
};

}  // namespace quorvex::app
