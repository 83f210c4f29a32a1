// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QLocale>
#include <QString>
#include <QStyledItemDelegate>

#include <functional>
#include <string>
#include <string_view>

#include "app/calcgrid.h"

namespace quorvex::app {

// Numbers at the window's edge: the core writes and reads them with a point,
// the window shows the user's decimal separator and takes either.
class LocalNumbers {
 public:
  explicit LocalNumbers(const QLocale& locale = QLocale()) : m_point(locale.decimalPoint()) {}
  // A number text of the core as the user reads it; any other text as it is.
  QString shown(std::string_view core) const;
  // What the user typed, for the core: a number written with the user's
  // separator or a point gets a point; any other text stays as typed.
  std::string typed(const QString& text) const;

 private:
  QString m_point;
};

// The delegate of the amount column: reports every edit the user commits,
// also one that leaves the text as it was, so that retyping a computed
// amount makes it typed; it draws the grid lines as the other columns do.
class AmountDelegate final : public GridLineDelegate {
 public:
  AmountDelegate(QObject* parent, std::function<void(int row, int column)> committed)
      : GridLineDelegate(parent), m_committed(std::move(committed)) {}
  // The open amount is framed in the selection colour, so the current cell stays marked while typing.
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = GridLineDelegate::createEditor(parent, option, index);
    if (editor) editor->setStyleSheet(QStringLiteral("border: 1px solid palette(highlight);"));
    return editor;
  }
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
    // An editor opened on a cell and left without a key typed changes nothing:
    // a computed amount passed through stays computed.
    if (const auto* line = qobject_cast<const QLineEdit*>(editor); line && !line->isModified()) return;
    QStyledItemDelegate::setModelData(editor, model, index);
    m_committed(index.row(), index.column());
  }

 private:
  std::function<void(int, int)> m_committed;
};

}  // namespace quorvex::app
