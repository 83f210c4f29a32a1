// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "balance/completion.h"

class QWidget;

namespace quorvex::app {

// Builds the Balancer page's completion choice on `page`, on the free row
// right of "Balanced Equations List": "Medium:" with its combo box
// (`MediumBox`: as typed, acidic, basic, neutral) and the check box
// `HalfReactionBox`; both come after the last product box in the tab order.
void AddMediumChoice(QWidget* page);

// What the two controls on `page` ask Balance to add.
balance::CompletionChoice ReadMediumChoice(const QWidget* page);

}  // namespace quorvex::app
