// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tform1.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>

#include <chrono>
#include <exception>
#include <filesystem>

#include "app/listmenu.h"
#include "app/pagekeys.h"
#include "app/pages/balancerpage.h"
#include "app/pages/calculatorpage.h"
#include "app/pages/helppage.h"
#include "app/pages/periodictablepage.h"
#include "app/pages/reportpage.h"
#include "app/pages/searcherpage.h"
#include "app/pagetables.h"
#include "app/tform2.h"

namespace quorvex::app {

template <class P>
P* TForm1::addPage() {
  auto page = std::make_unique<P>(*this);
  P* added = page.get();
  m_pages.push_back(std::move(page));
  return added;
}

TForm1::TForm1(MessagePresenter& presenter, Options options, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_presenter(presenter),
      m_notifier(presenter),
      m_options(std::move(options)),
      m_workspace(std::make_unique<workspace::Workspace>(
          m_notifier,
          std::filesystem::path(
              QFile::encodeName(m_options.workingDirectory.absoluteFilePath("cbd.dat")).toStdString()))) {
  setObjectName("TForm1");
  setWindowTitle("Quorvex v2.11");
  // While another program holds the library's lock the window keeps painting;
  // clicks and keys wait until the command is over.
  m_workspace->setLibraryLockWait(
      {std::chrono::milliseconds(m_options.libraryLockMilliseconds), [](std::chrono::milliseconds slice) {
         QEventLoop loop;
         QTimer::singleShot(slice, &loop, &QEventLoop::quit);
         loop.exec(QEventLoop::ExcludeUserInputEvents);
       }});
  // The element data names the periodic table's buttons.
  m_workspace->InitRealElement();
  setFixedSize(529, 529);

  BuildControls(WindowRows(), *this);
  m_tabs = findChild<QTabWidget*>("TapSheet1");
  m_balancer = addPage<BalancerPage>();
  m_searcher = addPage<SearcherPage>();
  m_calculator = addPage<CalculatorPage>();
  m_report = addPage<ReportPage>();
  m_table = addPage<PeriodicTablePage>();
  m_help = addPage<HelpPage>();
  m_lists = std::make_unique<ListMenu>(
      *this, QList<QPlainTextEdit*>{m_balancer->resultList(), m_searcher->lists()[0], m_searcher->lists()[1],
                                    m_searcher->lists()[2], m_calculator->pickBox()});
  m_tabs->setCurrentIndex(0);
  connect(m_tabs, &QTabWidget::currentChanged, this, &TForm1::OnTabSheetClick);
  AddPageKeys(*m_tabs);
  // Typing starts in the first reactant box.
  m_balancer->firstBox()->setFocus();
  // A message the core opens in the middle of a command shows over what the
  // core holds at that moment.
  m_notifier.setBeforeModal([this] { showTexts(); });

  OnMainFormCreate();
}

TForm1::~TForm1() {
  // The pages go first, their connections with them; a page change while the
  // widgets go reaches nobody.
  disconnect(m_tabs, nullptr, this, nullptr);
}

void TForm1::OnMainFormCreate() {
  // The workspace starts with the start-up texts ("No Results avalible." and the rest).
  // Each file that cannot be read is reported on its own, and start-up goes
  // on: the library and the element data never depend on the documents.
  if (!m_options.launchProblem.isEmpty()) m_presenter.error(m_options.launchProblem);
  m_help->load();
  m_report->load();
  try {
    m_workspace->loadLibrary();
  } catch (const std::exception& e) {
    m_presenter.error(FromBytes(e.what()));
  }
  showTexts();

  HoldStartUp(m_options.holdSeconds);
}

void TForm1::run(const std::function<void()>& command) {
  readBoxes();
  try {
    command();
  } catch (const std::exception& e) {
    m_presenter.error(FromBytes(e.what()));
  }
  showTexts();
}

void TForm1::runCommand(void (workspace::Workspace::*command)()) {
  run([this, command] { (m_workspace.get()->*command)(); });
}

void TForm1::readBoxes() {
  for (const std::unique_ptr<Page>& page : m_pages) page->read(m_workspace->texts());
}

void TForm1::showTexts() {
  for (const std::unique_ptr<Page>& page : m_pages) page->show(m_workspace->texts());
}

QString TForm1::choosePdfPath(const QString& title) {
  if (m_options.pdfPath) return m_options.pdfPath();
  // The documents folder: the working folder is the hidden data folder.
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = QDir::homePath();
  return QFileDialog::getSaveFileName(this, "Save as PDF", QDir(folder).filePath(title + ".pdf"),
                                      "PDF documents (*.pdf)");
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (m_report->mayClose()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void TForm1::Input_BalanceClick() { m_balancer->balance(); }
void TForm1::ResetButtonClick() { runCommand(&workspace::Workspace::resetBoxes); }
void TForm1::ExampleBtClick() { runCommand(&workspace::Workspace::nextBalanceExample); }
void TForm1::OnResultClear() { runCommand(&workspace::Workspace::clearResults); }
void TForm1::OnInputBoxClick() { runCommand(&workspace::Workspace::clearMessage); }
void TForm1::printResultList() { m_balancer->printList(); }

void TForm1::Button2Click() { runCommand(&workspace::Workspace::search); }
void TForm1::BitBtn18Click() { runCommand(&workspace::Workspace::resetSearch); }
void TForm1::OnClearSchList() { runCommand(&workspace::Workspace::clearFound); }
void TForm1::OnSearchExamples() { runCommand(&workspace::Workspace::nextSearchExample); }
void TForm1::printFoundList() { m_searcher->printList(); }

void TForm1::OnSelEquationNext() { runCommand(&workspace::Workspace::nextBoardEquation); }
void TForm1::OnSelEquationBack() { runCommand(&workspace::Workspace::previousBoardEquation); }
void TForm1::OnSchSelEquationNext() { runCommand(&workspace::Workspace::nextFoundEquation); }
void TForm1::OnSchSelEquationBack() { runCommand(&workspace::Workspace::previousFoundEquation); }
void TForm1::OnAddTolib() {
  run([this] { m_workspace->addToLibrary(); });
}
void TForm1::OnDelFromLib() {
  run([this] { m_workspace->deleteFromLibrary(); });
}
void TForm1::OnTabSheetClick() { runCommand(&workspace::Workspace::refreshAfterPageChange); }
void TForm1::OnSelEquationEditEnter() { runCommand(&workspace::Workspace::refillResults); }

void TForm1::OnCalcBack() { runCommand(&workspace::Workspace::previousCalcEquation); }
void TForm1::OnCalcNext() { runCommand(&workspace::Workspace::nextCalcEquation); }
void TForm1::BitBtn30Click() { runCommand(&workspace::Workspace::switchSource); }
void TForm1::CalculateSheetEnter() { runCommand(&workspace::Workspace::enterCalculator); }
void TForm1::Unit_molClick() { runCommand(&workspace::Workspace::useMoles); }
void TForm1::Unit_gClick() { runCommand(&workspace::Workspace::useGrams); }
void TForm1::OnLowPrecisionClick() { runCommand(&workspace::Workspace::useLowPrecision); }
void TForm1::OnHighPrecisionClick() { runCommand(&workspace::Workspace::useHighPrecision); }
void TForm1::BitBtn5Click() { runCommand(&workspace::Workspace::ClearAmout); }
void TForm1::OnSetAccurate() {
  run([this] { m_workspace->calculate(m_calculator->showNumber()); });
}

void TForm1::OnElementClick() {
  const std::string symbol = PeriodicTablePage::symbolOf(sender());
  if (!symbol.empty()) run([&] { m_workspace->showElement(symbol); });
}

void TForm1::BitBtn1Click() { m_report->clearAll(); }
void TForm1::BitBtn17Click() { m_report->save(); }
void TForm1::BitBtn6Click() { m_report->print(); }
void TForm1::BitBtn16Click() { m_report->startCalculator(); }
void TForm1::CopyResult() { m_lists->copy(); }
void TForm1::RecordtoReportClick() { m_report->record(m_lists->selectedText()); }
void TForm1::ReportCopy() { m_report->copy(); }
void TForm1::Paste1Click() { m_report->paste(); }
void TForm1::OnWeb() { m_help->openHomePage(); }
void TForm1::Label1Click() { m_help->mailSupport(); }

}  // namespace quorvex::app
