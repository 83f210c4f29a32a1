// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

#include "app/localnumbers.h"
#include "app/messages.h"
#include "app/reportfile.h"
#include "workspace/workspace.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTextEdit;
class QMenu;

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

  // A whole equation or a species list in a reactant or product box fills the
  // boxes; false when the box holds one species.
  bool spreadEquation(QLineEdit* box);

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
  };
  struct TablePage {
    std::array<QLabel*, 10> values{};  // ETName .. ETEnergy
  };

  void OnMainFormCreate();
  // The controls the window works with, found by their object names once
  // the page tables have built them.
  void findControls();

  // Runs one command between reading the boxes and showing the texts.
  void run(const std::function<void()>& command);
  void readBoxes();
  void showTexts();
  void showGrid();
  void onGridEdited(int row, int column);
  void onFocusChanged(QWidget* old, QWidget* now);
  // Runs the Calculator's page entry once the current events are handled.
  void enterCalculatorLater();
  void nameGridCells();
  // Prints one numbered line per equation under `heading`.
  void printList(const QString& heading, const QStringList& lines);
  void showInvalidCharacter();
  // Reads one of the rich-text documents; reports a file that cannot be read.
  void loadDocument(const QString& fileName, QTextEdit* into);
  void createMenus();
  // The selection of the list box the pop-up menu was used in (ResultEdit
  // before any), with line feeds between lines.
  QString selectedListText() const;
  bool openUrl(const QString& url);
  QString choosePdfPath(const QString& title);
  // "Save": true when the report was written; the report page says where.
  bool saveReport();

  MessagePresenter& m_presenter;
  PresenterNotifier m_notifier;
  Options m_options;
  ReportFile m_reportFile;
  std::unique_ptr<workspace::Workspace> m_workspace;
  LocalNumbers m_numbers;

  QTabWidget* m_tabs = nullptr;
  BalancerPage m_balancer;
  SearcherPage m_searcher;
  CalculatorPage m_calculator;
  TablePage m_table;
  QTextEdit* m_reportEdit = nullptr;
  QLabel* m_reportStatus = nullptr;  // what the last Save did
  bool m_showingGrid = false;
  bool m_calculatorEntryQueued = false;
  QTextEdit* m_helpEdit = nullptr;
  QMenu* m_resultMenu = nullptr;        // ResultPopupMenu
  QPlainTextEdit* m_menuBox = nullptr;  // the list box ResultPopupMenu was last used in
  QMenu* m_reportMenu = nullptr;        // PopupMenu1
};

}  // namespace quorvex::app
