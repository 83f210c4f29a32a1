// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "app/messages.h"
#include "workspace/workspace.h"

class QTabWidget;

namespace quorvex::app {

class Page;
class BalancerPage;
class SearcherPage;
class CalculatorPage;
class ReportPage;
class PeriodicTablePage;
class HelpPage;
class ListMenu;

// The main window: its pages in their order, and one handler per control of
// the design. Each handler reads every page into the workspace, runs one
// command and shows every page; exceptions that end a command are shown as
// error messages and the window goes on.
class TForm1 : public QWidget {
  Q_OBJECT

 public:
  struct Options {
    QDir workingDirectory = QDir::current();  // where cbd.dat, help.rtf and report.rtf live
    int holdSeconds = 2;                      // the start-up hold under the splash window
    // How long Add To Lib and Del From Lib wait for a library another program has locked.
    int libraryLockMilliseconds = 3000;
    // Asks where to save a PDF when no printer is installed; empty cancels.
    // Unset: a file dialog.
    std::function<QString()> pdfPath;
    // Opens a web or mail address; false when nothing could open it. Unset:
    // the desktop's URL handling.
    std::function<bool(const QString&)> openUrl;
    // Asks for another file to save the report in when "report.rtf" must be
    // kept; empty cancels. Unset: a file dialog.
    std::function<QString()> reportSaveAsPath;
    // What the launcher could not set up, shown first at start-up; empty for nothing.
    QString launchProblem;
  };

  TForm1(MessagePresenter& presenter, Options options, QWidget* parent = nullptr);
  ~TForm1() override;

  // For the pages: runs one command between reading every page and showing every page.
  void run(const std::function<void()>& command);
  workspace::Workspace& workspace() { return *m_workspace; }
  MessagePresenter& presenter() { return m_presenter; }
  const Options& options() const { return m_options; }
  // Asks where to save the PDF of `title` when no printer is installed; empty cancels.
  QString choosePdfPath(const QString& title);

 public slots:
  // Balancer page.
  void Input_BalanceClick();
  void ResetButtonClick();
  void ExampleBtClick();
  void OnResultClear();
  void OnInputBoxClick();
  void printResultList();
  // Searcher page.
  void Button2Click();
  void BitBtn18Click();
  void OnClearSchList();
  void OnSearchExamples();
  void printFoundList();
  // Library maintenance and the pickers.
  void OnSelEquationNext();
  void OnSelEquationBack();
  void OnSchSelEquationNext();
  void OnSchSelEquationBack();
  void OnAddTolib();
  void OnDelFromLib();
  void OnTabSheetClick();
  void OnSelEquationEditEnter();
  // Calculator page.
  void OnCalcBack();
  void OnCalcNext();
  void BitBtn30Click();
  void CalculateSheetEnter();
  void Unit_molClick();
  void Unit_gClick();
  void OnLowPrecisionClick();
  void OnHighPrecisionClick();
  void BitBtn5Click();
  void OnSetAccurate();
  // Periodic Table page.
  void OnElementClick();
  // Report page, pop-up menus and the help page's links.
  void BitBtn1Click();
  void BitBtn17Click();
  void BitBtn6Click();
  void BitBtn16Click();
  void CopyResult();
  void RecordtoReportClick();
  void ReportCopy();
  void Paste1Click();
  void OnWeb();
  void Label1Click();

 protected:
  // Unsaved changes to the report: asks whether to save them first.
  void closeEvent(QCloseEvent* event) override;

 private:
  void OnMainFormCreate();
  // Adds the next page of the window; the window owns it.
  template <class P>
  P* addPage();
  // Runs one workspace command that takes no argument.
  void runCommand(void (workspace::Workspace::*command)());
  void readBoxes();
  void showTexts();

  MessagePresenter& m_presenter;
  PresenterNotifier m_notifier;
  Options m_options;
  std::unique_ptr<workspace::Workspace> m_workspace;

  QTabWidget* m_tabs = nullptr;
  std::vector<std::unique_ptr<Page>> m_pages;  // in the order of the tabs
  BalancerPage* m_balancer = nullptr;
  SearcherPage* m_searcher = nullptr;
  CalculatorPage* m_calculator = nullptr;
  ReportPage* m_report = nullptr;
  PeriodicTablePage* m_table = nullptr;
  HelpPage* m_help = nullptr;
  std::unique_ptr<ListMenu> m_lists;
};

}  // namespace quorvex::app
