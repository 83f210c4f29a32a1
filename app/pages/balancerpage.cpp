// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/balancerpage.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

#include <algorithm>
#include <memory>

#include "app/mediumchoice.h"
#include "app/pictures.h"
#include "app/printing.h"
#include "app/tform1.h"
#include "formula/equationtext.h"
#include "formula/notation.h"

namespace quorvex::app {
namespace {

constexpr Slot kBalance = &TForm1::Input_BalanceClick;
constexpr Slot kSearch = &TForm1::Button2Click;

// The table keeps one control a row; the formatter would break the rows apart.
// clang-format off
constexpr Control kRows[] = {
    {Kind::Page, "TapSheet1", "TabSheet1", "Balancer", {}, "Input Pannel"},
    {.kind = Kind::Picture, .parent = "TabSheet1", .name = "Image2", .geometry = {11, 5, 94, 22},
     .picture = PagePicture},
    Named({Kind::Edit, "TabSheet1", "MessageBox", "", {104, 6, 409, 19}, kMessageBoxHint, nullptr, kReadOnly},
          "Message"),
    {Kind::Group, "TabSheet1", "GroupBox1", "Reactants", {9, 28, 250, 191}},
    {Kind::Group, "TabSheet1", "GroupBox2", "Products", {263, 28, 250, 191}},
    Input("GroupBox1", "Sp1", 8, 16, kBalance, kClearsMessage, "Input reactant"),
    Input("GroupBox1", "Sp2", 8, 40, kBalance, kClearsMessage),
    Input("GroupBox1", "Sp3", 8, 64, kBalance, kClearsMessage),
    Input("GroupBox1", "Sp4", 8, 88, kBalance, kClearsMessage),
    Input("GroupBox1", "Sp5", 8, 112, kBalance, kClearsMessage),
    Input("GroupBox1", "Sp6", 8, 136, kBalance, kClearsMessage),
    Input("GroupBox1", "Sp7", 128, 16, kBalance, kClearsMessage),
    Input("GroupBox1", "Sp8", 8, 160, kBalance, kClearsMessage),
    Input("GroupBox1", "Sp9", 128, 40, kBalance, kClearsMessage),
    Input("GroupBox1", "Sp10", 128, 64, kBalance, kClearsMessage),
    Input("GroupBox1", "Sp11", 128, 88, kBalance, kClearsMessage),
    Input("GroupBox1", "Sp12", 128, 112, kBalance, kClearsMessage),
    Input("GroupBox1", "Sp13", 128, 136, kBalance, kClearsMessage),
    Input("GroupBox1", "Sp14", 128, 160, kBalance, kClearsMessage),
    Input("GroupBox2", "Pr1", 8, 16, kBalance, kClearsMessage),
    Input("GroupBox2", "Pr2", 8, 40, kBalance, kClearsMessage),
    Input("GroupBox2", "Pr3", 8, 64, kBalance, kClearsMessage),
    Input("GroupBox2", "Pr4", 8, 88, kBalance, kClearsMessage),
    Input("GroupBox2", "Pr5", 8, 112, kBalance, kClearsMessage),
    Input("GroupBox2", "Pr6", 8, 136, kBalance, kClearsMessage),
    Input("GroupBox2", "Pr7", 8, 160, kBalance, kClearsMessage),
    Input("GroupBox2", "Pr8", 128, 16, kBalance, kClearsMessage),
    Input("GroupBox2", "Pr9", 128, 40, kBalance, kClearsMessage),
    Input("GroupBox2", "Pr10", 128, 64, kBalance, kClearsMessage),
    Input("GroupBox2", "Pr11", 128, 88, kBalance, kClearsMessage),
    Input("GroupBox2", "Pr12", 128, 112, kBalance, kClearsMessage),
    Input("GroupBox2", "Pr13", 128, 136, kBalance, kClearsMessage),
    Input("GroupBox2", "Pr14", 128, 160, kBalance, kClearsMessage),
    Text("TabSheet1", "Label9", "Balanced Equations List", 8, 224),
    // The caption strip over the list's top edge, behind the list.
    Text("TabSheet1", "Label7", "Balanced Equations List", 8, 257, kBanner),
    Named({Kind::List, "TabSheet1", "ResultEdit", "", {8, 243, 504, 185}, "", nullptr, kLargeText},
          "Balanced equations"),
    Named(Button("TabSheet1", "ClearBt", "&Reset", 8, 435, 75, "Reset reactants and products",
                 &TForm1::ResetButtonClick), "Reset (reactants and products)"),
    Named(Button("TabSheet1", "ExampleBt", "&Examples", 81, 435, 75, "Click to show examples",
                 &TForm1::ExampleBtClick), "Examples (balancing)"),
    Button("TabSheet1", "BalanceBt", "&Balance", 155, 435, 75, "Balance the equation", kBalance),
    Named(Button("TabSheet1", "BitBtn15", "&Clear List", 356, 435, 75, "Clear all balanced equations",
                 &TForm1::OnResultClear), "Clear List (balanced equations)"),
    Named(Button("TabSheet1", "BitBtn2", "&Print List", 431, 435, 75, "Print the balanced equations",
                 &TForm1::printResultList), "Print List (balanced equations)"),
    Button("TabSheet1", "SearchBt", "Search", 600, 435, 75, "", kSearch, kHidden),
};
// clang-format on

// The text a box shows as the core reads it, and back; UTF-8 both ways.
std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }
QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

BalancerPage::BalancerPage(TForm1& window) : Page(window, kRows) {
  auto* page = control<QWidget>("TabSheet1");
  AddMediumChoice(page);
  m_message = control<QLineEdit>("MessageBox");
  for (int i = 0; i < formula::kBoxesPerSide; ++i) {
    m_sp[i] = control<QLineEdit>("Sp" + QString::number(i + 1));
    m_pr[i] = control<QLineEdit>("Pr" + QString::number(i + 1));
    cleanUpWhileTyping(m_sp[i]);
    cleanUpWhileTyping(m_pr[i]);
  }
  m_results = control<QPlainTextEdit>("ResultEdit");
}

void BalancerPage::read(workspace::WindowTexts& texts) const {
  for (int i = 0; i < formula::kBoxesPerSide; ++i) {
    texts.boxes.reactants[i] = ToBytes(m_sp[i]->text());
    texts.boxes.products[i] = ToBytes(m_pr[i]->text());
  }
}

void BalancerPage::show(const workspace::WindowTexts& texts) {
  for (int i = 0; i < formula::kBoxesPerSide; ++i) {
    ShowText(m_sp[i], FromBytes(texts.boxes.reactants[i]));
    ShowText(m_pr[i], FromBytes(texts.boxes.products[i]));
  }
  // A message reads from its first word; one longer than the box is whole in its tool tip.
  if (m_message->text() != FromBytes(texts.message)) {
    m_message->setText(FromBytes(texts.message));
    m_message->setCursorPosition(0);
  }
  const bool fits = m_message->fontMetrics().horizontalAdvance(m_message->text()) <
                    m_message->contentsRect().width() - 2 * m_message->textMargins().left() - 4;
  m_message->setToolTip(!texts.messageHint.empty() ? FromBytes(texts.messageHint)
                        : fits                     ? QString(kMessageBoxHint)
                                                   : m_message->text());
  m_message->setAccessibleDescription(m_message->toolTip());
  QPalette palette = m_message->palette();
  const balance::Rgb& colour = texts.messageColour;
  palette.setColor(QPalette::Text, QColor(colour.red, colour.green, colour.blue));
  m_message->setPalette(palette);
  ShowList(m_results, FromBytes(texts.boardText));
}

void BalancerPage::balance() {
  workspace::Workspace& ws = m_window.workspace();
  ws.setCompletion(ReadMediumChoice(m_message->parentWidget()));
  m_window.run([&ws] { ws.balance(); });
  if (ws.balancer().outcome() == balance::BalanceOutcome::InvalidCharacters) showInvalidCharacter();
}

void BalancerPage::showInvalidCharacter() {
  // The core names the box and the byte; every byte before it in that box is
  // ASCII, so the byte's offset is the character's index in the widget.
  const std::optional<formula::BoxPosition>& at = m_window.workspace().texts().invalidCharacter;
  if (!at) return;
  QLineEdit* box = at->product ? m_pr[at->box] : m_sp[at->box];
  const QString text = box->text();
  const auto i = static_cast<qsizetype>(at->byte);
  if (i >= text.size()) return;
  const int length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
  auto* page = m_message->parentWidget();
  qobject_cast<QTabWidget*>(page->parentWidget()->parentWidget())->setCurrentWidget(page);
  box->setFocus();
  box->setSelection(static_cast<int>(i), length);
}

void BalancerPage::printList() {
  const QString heading = "Balanced Equations List";
  PrintList(heading, NumberedEquations(m_window.workspace().balancer().board()), m_window.presenter(),
            [this, &heading] { return m_window.choosePdfPath(heading); });
}

bool BalancerPage::spreadEquation(QLineEdit* box) {
  // Leaving a box for a message window, or a box with one species, changes nothing.
  if (QApplication::activeModalWidget() || !formula::ReadEquationText(ToBytes(box->text()))) return false;
  for (int i = 0; i < formula::kBoxesPerSide; ++i) {
    for (const bool product : {false, true}) {
      if ((product ? m_pr[i] : m_sp[i]) != box) continue;
      workspace::Workspace& ws = m_window.workspace();
      m_window.run([&ws, product, i] { ws.spreadBox(product, i); });
      return true;
    }
  }
  return false;
}

void BalancerPage::cleanUpWhileTyping(QLineEdit* box) {
  // The box's text after the last change, whoever made it. Read from the box:
  // a rewrite inside textEdited is followed by the textChanged of the typed text.
  auto last = std::make_shared<QString>();
  connect(box, &QLineEdit::textChanged, this, [box, last] { *last = box->text(); });
  connect(box, &QLineEdit::textEdited, this, [this, box, last](const QString& text) {
    // More than one character at once is a paste (or an input method's word).
    const bool pasted = text.size() - last->size() > 1;
    if (pasted && spreadEquation(box)) return;
    // Only one species is rewritten: an equation being typed stays as it is
    // until it is finished.
    const QString shown = FromUtf8(formula::TextWhileTyping(Utf8(text)));
    if (shown == text) return;
    const int fromEnd = static_cast<int>(text.size()) - box->cursorPosition();
    box->setText(shown);
    box->setCursorPosition(std::max(0, static_cast<int>(shown.size()) - fromEnd));
  });
  connect(box, &QLineEdit::editingFinished, this, [this, box] { spreadEquation(box); });
}

}  // namespace quorvex::app
