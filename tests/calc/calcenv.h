// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "calc/elements.h"
#include "core/notifier.h"
#include "formula/scanner.h"
#include "support/recordingnotifier.h"

namespace quorvex::calc {

// A filled element table and a scanner with its own pending text and recorder.
struct CalcEnv {
  ElementTable elements;
  std::string pending;
  RecordingNotifier notifier;
  formula::Scanner scanner{pending, notifier};

  CalcEnv() { elements.InitRealElement(); }
};

}  // namespace quorvex::calc
