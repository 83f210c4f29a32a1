// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QTabWidget;

namespace quorvex::app {

// The pages of `tabs` in turn, round from the last to the first and back, from
// anywhere in its window and before any control (a page control inside a page
// included) takes the keys: Ctrl+Tab and Ctrl+PageDown forward, Ctrl+Shift+Tab
// and Ctrl+PageUp back.
void AddPageKeys(QTabWidget& tabs);

}  // namespace quorvex::app
