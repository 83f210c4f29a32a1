#include "workspace/workspace.h"

#include "workspace/examples.h"

namespace quorvex::workspace {

Workspace::Workspace(Notifier& notifier) : m_notifier(notifier), m_balancer(notifier) {
  m_texts.resultEdit = "No Results avalible.";
}

void Workspace::Input_BalanceClick() {
  if (m_balancer.Input_BalanceClick(m_texts.boxes) == balance::Balancer::Run::Refused) return;
  UpdateMessageBox();
  m_texts.resultEdit = m_balancer.board().displayText();
}

void Workspace::UpdateMessageBox() {
  const balance::MessageBoxView view = balance::UpdateMessageBox(m_balancer.pendingMessage());
  m_texts.messageBox = view.text;
  m_texts.messageColour = view.colour;
}

void Workspace::ResetButtonClick() {
  for (int i = 0; i < formula::kBoxesPerSide; ++i) {
    m_texts.boxes.reactants[i].clear();
    m_texts.boxes.products[i].clear();
  }
  m_balancer.pendingMessage().clear();
  UpdateMessageBox();
}

void Workspace::OnInputBoxClick() {
  m_balancer.pendingMessage().clear();
  UpdateMessageBox();
}

void Workspace::ExampleBtClick() {
  ResetButtonClick();
  m_balancer.pendingMessage().assign(kBalanceGuidance);
  UpdateMessageBox();
  m_balanceExample = (m_balanceExample + 1) % kExampleCases;
  const BalanceExample& example = BalanceExampleCase(m_balanceExample + 1);
  for (int i = 0; i < formula::kBoxesPerSide; ++i) {
    m_texts.boxes.reactants[i].assign(example.reactants[i]);
    m_texts.boxes.products[i].assign(example.products[i]);
  }
}

void Workspace::OnResultClear() {
  m_balancer.OnResultClear();
  m_texts.resultEdit = m_balancer.board().displayText();
}

}  // namespace quorvex::workspace
