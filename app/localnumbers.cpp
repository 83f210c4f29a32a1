// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/localnumbers.h"

#include "app/messages.h"
#include "calc/decimal.h"

namespace quorvex::app {

QString LocalNumbers::shown(std::string_view core) const {
  QString text = FromBytes(core);
  if (m_point != "." && calc::ReadDecimal(core)) text.replace('.', m_point);
  return text;
}

std::string LocalNumbers::typed(const QString& text) const {
  if (m_point == ".") return ToBytes(text);
  QString withPoint = text;
  withPoint.replace(m_point, ".");
  const std::string bytes = ToBytes(withPoint);
  return calc::ReadDecimal(bytes) ? bytes : ToBytes(text);
}

}  // namespace quorvex::app
