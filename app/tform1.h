#pragma once

#include <QDir>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

#include "app/messages.h"
#include "workspace/workspace.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;
class QTextEdit;

namespace quorvex::app {

// The main window. Each handler reads the boxes into the workspace, runs one
// workspace command and shows the workspace's texts; exceptions that end a
// command are shown as error messages and the window goes on.
class TForm1 : public QWidget {
  Q_OBJECT

 public:
  struct Options {
    QDir workingDirectory = QDir::current();  // where cbd.dat, help.rtf and report.rtf live
    int holdSeconds = 2;                      // the start-up hold under the splash window
  };

  TForm1(MessagePresenter& presenter, Options options, QWidget* parent = nullptr);
  ~TForm1() override;

  workspace::Workspace& workspace() { return *m_workspace; }

 public slots:
  // Balancer page.
  void Input_BalanceClick();
  void ResetButtonClick();
  void ExampleBtClick();
  void OnResultClear();
  void OnInputBoxClick();

 private:
  struct BalancerPage {
    QLineEdit* messageBox = nullptr;
    std::array<QLineEdit*, 14> sp{};
    std::array<QLineEdit*, 14> pr{};
    QPlainTextEdit* resultEdit = nullptr;
  };
  struct SearcherPage {
    std::array<QLineEdit*, 12> searchEdits{};
    QPlainTextEdit* searchResultEdit = nullptr;
    QLabel* equationNumberLabel = nullptr;
    QPlainTextEdit* addToLibEdit = nullptr;
    QPlainTextEdit* removeEquationEdit = nullptr;
  };
  struct CalculatorPage {
    QGroupBox* groupCalcEquation = nullptr;
    QPlainTextEdit* selEquationEdit = nullptr;
    QTableWidget* grid = nullptr;
    QRadioButton* unitMol = nullptr;
    QRadioButton* unitGram = nullptr;
    QRadioButton* low = nullptr;
    QRadioButton* high = nullptr;
  };
  struct TablePage {
    std::array<QLabel*, 10> values{};  // ETName .. ETEnergy
  };

  void OnMainFormCreate();
  QWidget* createBalancerPage();
  QWidget* createSearcherPage();
  QWidget* createCalculatorPage();
  QWidget* createReportPage();
  QWidget* createPeriodicTablePage();
  QWidget* createHelpPage();

  // Runs one command between reading the boxes and showing the texts.
  void run(const std::function<void()>& command);
  void readBoxes();
  void showTexts();

  MessagePresenter& m_presenter;
  PresenterNotifier m_notifier;
  Options m_options;
  std::unique_ptr<workspace::Workspace> m_workspace;

  QTabWidget* m_tabs = nullptr;
  BalancerPage m_balancer;
  SearcherPage m_searcher;
  CalculatorPage m_calculator;
  TablePage m_table;
  QTextEdit* m_reportEdit = nullptr;
  QTextEdit* m_helpEdit = nullptr;
};

}  // namespace quorvex::app
