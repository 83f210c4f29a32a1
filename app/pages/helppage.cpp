// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/helppage.h"

#include <QDesktopServices>
#include <QTextEdit>
#include <QUrl>

#include "app/pictures.h"
#include "app/reportfile.h"
#include "app/tform1.h"
#include "rtf/rtfreader.h"

namespace quorvex::app {
namespace {

const char* const kHomePage = "https://www.quorvex.example/chemical/index.htm";

// The table keeps one control a row; the formatter would break the rows apart.
// clang-format off
constexpr Control kRows[] = {
    {Kind::Page, "TapSheet1", "TabSheet7", "Help", {}, "Help Documents"},
    {Kind::Group, "TabSheet7", "GroupBox11", "", {4, 2, 513, 462}},
    {.kind = Kind::Picture, .parent = "GroupBox11", .name = "Image3", .geometry = {12, 20, 16, 16},
     .picture = HomeIcon},
    {Kind::Label, "GroupBox11", "Label2", "Home Page", {32, 21, 0, 0}, "", &TForm1::OnWeb, kLink, kNavy},
    {.kind = Kind::Picture, .parent = "GroupBox11", .name = "Image4", .geometry = {180, 20, 16, 16},
     .picture = MailIcon},
    {Kind::Label, "GroupBox11", "Label1", kSupportAddress, {200, 21, 0, 0}, "", &TForm1::Label1Click, kLink,
     kNavy},
    Named({Kind::RichText, "GroupBox11", "HelpRichEdit", "", {8, 48, 497, 409}, "", nullptr, kReadOnly},
          "Help text"),
};
// clang-format on

}  // namespace

HelpPage::HelpPage(TForm1& window) : Page(window, kRows) { m_help = control<QTextEdit>("HelpRichEdit"); }

void HelpPage::load() {
  QString error;
  const QString path = m_window.options().workingDirectory.absoluteFilePath("help.rtf");
  if (!rtf::ReadRtfFile(path, *m_help->document(), &error, nullptr, kReportLimitBytes)) {
    m_window.presenter().error("Cannot read '" + QDir::toNativeSeparators(path) + "': " + error);
  }
  m_help->moveCursor(QTextCursor::Start);
}

void HelpPage::openHomePage() { openUrl(kHomePage); }

void HelpPage::mailSupport() { openUrl(QString("mailto:") + kSupportAddress); }

bool HelpPage::openUrl(const QString& url) {
  const TForm1::Options& options = m_window.options();
  const bool opened = options.openUrl ? options.openUrl(url) : QDesktopServices::openUrl(QUrl(url));
  if (!opened) {
    m_window.presenter().information("Nothing on this computer could open " + url +
                                     ". Open it in your web browser or mail program yourself.");
  }
  return opened;
}

}  // namespace quorvex::app
