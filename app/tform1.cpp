// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tform1.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QDesktopServices>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <QFile>
#include <QFileDialog>
#include <QLocale>
#include <QTextDocument>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QThread>

#include <exception>
#include <filesystem>

#include "app/menukeys.h"
#include "app/pagetables.h"
#include "app/printing.h"
#include "app/recording.h"
#include "rtf/rtfreader.h"

namespace quorvex::app {
namespace {

const char* const kHomePage = "https://www.quorvex.example/chemical/index.htm";

// The user's decimal separator when it is one byte, else the point.
char DecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  if (point.size() == 1 && point[0].unicode() < 0x80) return static_cast<char>(point[0].unicode());
  return '.';
}

void SetTextIfChanged(QLineEdit* edit, const QString& text) {
  if (edit->text() != text) edit->setText(text);
}

void SetTextIfChanged(QPlainTextEdit* edit, const QString& text) {
  if (edit->toPlainText() != text) edit->setPlainText(text);
}

// "|n| equation" for each record of the result board or the found list.
template <class List>
QStringList NumberedEquations(const List& list) {
  QStringList lines;
  for (int i = 1; i <= list.count(); ++i) {
    lines << "|" + QString::number(i) + "| " + FromBytes(list.record(i).equation);
  }
  return lines;
}

}  // namespace

TForm1::TForm1(MessagePresenter& presenter, Options options, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_presenter(presenter),
      m_notifier(presenter),
      m_options(std::move(options)),
      m_workspace(std::make_unique<workspace::Workspace>(
          m_notifier,
          std::filesystem::path(
              QFile::encodeName(m_options.workingDirectory.absoluteFilePath("cbd.dat")).toStdString()),
          DecimalSeparator())) {
  setObjectName("TForm1");
  setWindowTitle("Quorvex v2.11");
  setFixedSize(529, 529);

  for (const std::span<const Control> table : PageTables()) BuildControls(table, *this);
  findControls();
  connect(m_calculator.grid, &QTableWidget::cellChanged, this, &TForm1::onGridEdited);
  m_tabs->setCurrentIndex(0);
  connect(m_tabs, &QTabWidget::currentChanged, this, &TForm1::OnTabSheetClick);
  createMenus();
  // Typing starts in the first reactant box.
  m_balancer.sp[0]->setFocus();
  connect(qApp, &QApplication::focusChanged, this, &TForm1::onFocusChanged);
  // A message the core opens in the middle of a command shows over what the
  // core holds at that moment.
  m_notifier.setBeforeModal([this] { showTexts(); });

  OnMainFormCreate();
}

TForm1::~TForm1() {
  // Focus changes while the widgets are destroyed must not reach this window.
  disconnect(qApp, &QApplication::focusChanged, this, &TForm1::onFocusChanged);
}

void TForm1::OnMainFormCreate() {
  // The workspace starts with the start-up texts ("No Results avalible." and the rest).
  // Each file that cannot be read is reported on its own, and start-up goes
  // on: the library and the element data never depend on the documents.
  if (!m_options.launchProblem.isEmpty()) m_presenter.error(m_options.launchProblem);
  loadDocument("help.rtf", m_helpEdit);
  if (const QString error = m_reportFile.load(m_options.workingDirectory.absoluteFilePath("report.rtf"),
                                              *m_reportEdit->document());
      !error.isEmpty()) {
    m_presenter.error(error);
  }
  // The report's caret waits at its end, where Record adds equations.
  m_reportEdit->moveCursor(QTextCursor::End);
  try {
    m_workspace->loadLibrary();
  } catch (const std::exception& e) {
    m_presenter.error(FromBytes(e.what()));
  }
  m_workspace->InitRealElement();
  showTexts();

  // The hold keeps the splash window up until the whole-second value of the
  // tick count has moved on by the hold: with two, between one and two seconds.
  if (m_options.holdSeconds > 0) {
    // The monotonic clock, so a clock set back cannot stretch the hold. The
    // tick count is the clock's reading at start() plus what has elapsed since.
    QElapsedTimer ticks;
    ticks.start();
    const qint64 origin = ticks.msecsSinceReference();
    const qint64 start = origin / 1000;
    while ((origin + ticks.elapsed()) / 1000 < start + m_options.holdSeconds) {
      QThread::msleep(10);
    }
  }
}

void TForm1::findControls() {
  const auto find = [this]<class W>(W*& into, const QString& name) {
    into = findChild<W*>(name);
    if (!into) qFatal("no control named %s", qPrintable(name));
  };
  find(m_tabs, "TapSheet1");
  find(m_balancer.messageBox, "MessageBox");
  for (int i = 0; i < 14; ++i) {
    find(m_balancer.sp[i], "Sp" + QString::number(i + 1));
    find(m_balancer.pr[i], "Pr" + QString::number(i + 1));
  }
  find(m_balancer.resultEdit, "ResultEdit");
  for (int i = 0; i < 12; ++i) find(m_searcher.searchEdits[i], "SearchEdit" + QString::number(i + 1));
  find(m_searcher.searchResultEdit, "m_SearchResultEdit");
  find(m_searcher.equationNumberLabel, "EquationNumberLabel");
  find(m_searcher.addToLibEdit, "AddToLibEdit");
  find(m_searcher.removeEquationEdit, "RemoveEquationEdit");
  find(m_calculator.groupCalcEquation, "GroupCalcEquation");
  find(m_calculator.selEquationEdit, "SelEquationEdit");
  find(m_calculator.grid, "CalculateGrid");
  static const char* const kFacts[] = {"ETName",  "ETSymbol", "ETeType", "ETnumber", "ETweight",
                                       "ETstate", "ETMelt",   "ETBoil",  "ETnag",    "ETEnergy"};
  for (int i = 0; i < workspace::kElementFacts; ++i) find(m_table.values[i], kFacts[i]);
  find(m_reportEdit, "ReportEdit");
  find(m_helpEdit, "HelpRichEdit");
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

void TForm1::readBoxes() {
  workspace::WindowTexts& t = m_workspace->texts();
  for (int i = 0; i < 14; ++i) {
    t.boxes.reactants[i] = ToBytes(m_balancer.sp[i]->text());
    t.boxes.products[i] = ToBytes(m_balancer.pr[i]->text());
  }
  for (int i = 0; i < 12; ++i) t.searchTerms[i] = ToBytes(m_searcher.searchEdits[i]->text());
}

void TForm1::showTexts() {
  const workspace::WindowTexts& t = m_workspace->texts();
  for (int i = 0; i < 14; ++i) {
    SetTextIfChanged(m_balancer.sp[i], FromBytes(t.boxes.reactants[i]));
    SetTextIfChanged(m_balancer.pr[i], FromBytes(t.boxes.products[i]));
  }
  for (int i = 0; i < 12; ++i) SetTextIfChanged(m_searcher.searchEdits[i], FromBytes(t.searchTerms[i]));
  SetTextIfChanged(m_balancer.messageBox, FromBytes(t.message));
  m_balancer.messageBox->setToolTip(t.messageHint.empty() ? QString(kMessageBoxHint)
                                                          : FromBytes(t.messageHint));
  QPalette palette = m_balancer.messageBox->palette();
  palette.setColor(QPalette::Text,
                   QColor(t.messageColour.red, t.messageColour.green, t.messageColour.blue));
  m_balancer.messageBox->setPalette(palette);
  for (QPlainTextEdit* list : {m_balancer.resultEdit, m_searcher.searchResultEdit}) {
    const QString text = FromBytes(list == m_balancer.resultEdit ? t.boardText : t.foundText);
    if (list->toPlainText() != text) {
      list->setPlainText(text);
      list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
    }
  }
  SetTextIfChanged(m_searcher.addToLibEdit, FromBytes(t.addPick));
  SetTextIfChanged(m_searcher.removeEquationEdit, FromBytes(t.deletePick));
  SetTextIfChanged(m_calculator.selEquationEdit, FromBytes(t.calcPick));
  if (m_searcher.equationNumberLabel->text() != FromBytes(t.libraryCount)) {
    m_searcher.equationNumberLabel->setText(FromBytes(t.libraryCount));
    m_searcher.equationNumberLabel->adjustSize();
  }
  m_calculator.groupCalcEquation->setTitle(FromBytes(t.calcCaption));
  for (int i = 0; i < workspace::kElementFacts; ++i) {
    m_table.values[i]->setText(FromBytes(t.elementFacts[i]));
  }
  showGrid();
}

void TForm1::showGrid() {
  const calc::CalcTable& table = m_workspace->calcTable();
  m_showingGrid = true;
  for (int r = 0; r < calc::kGridRows; ++r) {
    for (int c = 0; c < calc::kTableColumns; ++c) {
      QTableWidgetItem* item = m_calculator.grid->item(r, c);
      const QString text = FromBytes(table.cell(c, r));
      if (item->text() != text) item->setText(text);
    }
  }
  m_showingGrid = false;
}

void TForm1::onGridEdited(int row, int column) {
  if (m_showingGrid || row < 1 || column < 1 || column > calc::kAmountColumn) return;
  const QString text = m_calculator.grid->item(row, column)->text();
  run([&] { m_workspace->setCalcCell(column, row, ToBytes(text)); });
}

void TForm1::onFocusChanged(QWidget* old, QWidget* now) {
  // Only moves inside this window count: focus that comes back from a message
  // box or another program enters nothing.
  if (!now || !old || now->window() != this || old->window() != this) return;
  if (now == m_searcher.addToLibEdit || now == m_searcher.removeEquationEdit ||
      now == m_calculator.selEquationEdit) {
    OnSelEquationEditEnter();
  }
  // Entering the Calculator page: the focus moves into it from outside. Qt
  // moves the focus before it reports the page change, so the entry waits
  // until the page change has been handled.
  QWidget* const page = m_calculator.groupCalcEquation->parentWidget();
  if (page->isAncestorOf(now) && !page->isAncestorOf(old)) {
    QMetaObject::invokeMethod(this, &TForm1::CalculateSheetEnter, Qt::QueuedConnection);
  }
}

QString TForm1::choosePdfPath(const QString& title) {
  if (m_options.pdfPath) return m_options.pdfPath();
  // The documents folder: the working folder is the hidden data folder.
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = QDir::homePath();
  return QFileDialog::getSaveFileName(this, "Save as PDF", QDir(folder).filePath(title + ".pdf"),
                                      "PDF documents (*.pdf)");
}

void TForm1::printList(const QString& heading, const QStringList& lines) {
  QTextDocument document;
  BuildListDocument(document, heading, lines);
  PrintDocument(document, heading, m_presenter, [&] { return choosePdfPath(heading); });
}

void TForm1::Input_BalanceClick() {
  run([this] { m_workspace->balance(); });
  if (m_workspace->balancer().pendingMessage() == formula::kInvalidCharacters) showInvalidCharacter();
}

void TForm1::showInvalidCharacter() {
  // The core names the box and the byte; every byte before it in that box is
  // ASCII, so the byte's offset is the character's index in the widget.
  const std::optional<formula::BoxPosition>& at = m_workspace->texts().invalidCharacter;
  if (!at) return;
  QLineEdit* box = at->product ? m_balancer.pr[at->box] : m_balancer.sp[at->box];
  const QString text = box->text();
  const auto i = static_cast<qsizetype>(at->byte);
  if (i >= text.size()) return;
  const int length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
  m_tabs->setCurrentIndex(0);
  box->setFocus();
  box->setSelection(static_cast<int>(i), length);
}
void TForm1::ResetButtonClick() { run([this] { m_workspace->resetBoxes(); }); }
void TForm1::ExampleBtClick() { run([this] { m_workspace->nextBalanceExample(); }); }
void TForm1::OnResultClear() { run([this] { m_workspace->clearResults(); }); }
void TForm1::OnInputBoxClick() { run([this] { m_workspace->clearMessage(); }); }

void TForm1::PrintResultList() {
  printList("Balanced Equations List", NumberedEquations(m_workspace->balancer().board()));
}

void TForm1::Button2Click() { run([this] { m_workspace->search(); }); }
void TForm1::BitBtn18Click() { run([this] { m_workspace->resetSearch(); }); }
void TForm1::OnClearSchList() { run([this] { m_workspace->clearFound(); }); }
void TForm1::OnSearchExamples() { run([this] { m_workspace->nextSearchExample(); }); }

void TForm1::PrintFoundList() {
  printList("Found Equations List", NumberedEquations(m_workspace->searcher().found()));
}

void TForm1::OnSelEquationNext() { run([this] { m_workspace->nextBoardEquation(); }); }
void TForm1::OnSelEquationBack() { run([this] { m_workspace->previousBoardEquation(); }); }
void TForm1::OnSchSelEquationNext() { run([this] { m_workspace->nextFoundEquation(); }); }
void TForm1::OnSchSelEquationBack() { run([this] { m_workspace->previousFoundEquation(); }); }
void TForm1::OnAddTolib() { run([this] { m_workspace->addToLibrary(); }); }
void TForm1::OnDelFromLib() { run([this] { m_workspace->deleteFromLibrary(); }); }
void TForm1::OnTabSheetClick() { run([this] { m_workspace->refreshAfterPageChange(); }); }
void TForm1::OnSelEquationEditEnter() { run([this] { m_workspace->refillResults(); }); }

void TForm1::OnCalcBack() { run([this] { m_workspace->previousCalcEquation(); }); }
void TForm1::OnCalcNext() { run([this] { m_workspace->nextCalcEquation(); }); }
void TForm1::BitBtn30Click() { run([this] { m_workspace->switchSource(); }); }
void TForm1::CalculateSheetEnter() { run([this] { m_workspace->enterCalculator(); }); }
void TForm1::Unit_molClick() { run([this] { m_workspace->useMoles(); }); }
void TForm1::Unit_gClick() { run([this] { m_workspace->useGrams(); }); }
void TForm1::OnLowPrecisionClick() { run([this] { m_workspace->useLowPrecision(); }); }
void TForm1::OnHighPrecisionClick() { run([this] { m_workspace->useHighPrecision(); }); }
void TForm1::BitBtn5Click() { run([this] { m_workspace->clearAmounts(); }); }
void TForm1::OnSetAccurate() { run([this] { m_workspace->calculate(); }); }

void TForm1::OnElementClick() {
  const auto* button = qobject_cast<const QPushButton*>(sender());
  if (!button) return;
  const std::string symbol = ToBytes(button->text());
  run([&] { m_workspace->showElement(symbol); });
}

void TForm1::createMenus() {
  m_resultMenu = new QMenu(this);
  m_resultMenu->setObjectName("ResultPopupMenu");
  QAction* copy = m_resultMenu->addAction("Copy", this, &TForm1::CopyResult);
  copy->setObjectName("Copy1");
  copy->setShortcut(QKeySequence("Ctrl+C"));
  QAction* record = m_resultMenu->addAction("Record", this, &TForm1::RecordtoReportClick);
  record->setObjectName("CopytoReport1");
  record->setShortcut(QKeySequence("Ctrl+R"));
  m_reportMenu = new QMenu(this);
  m_reportMenu->setObjectName("PopupMenu1");
  QAction* reportCopy = m_reportMenu->addAction("Copy", this, &TForm1::ReportCopy);
  reportCopy->setObjectName("Copy2");
  reportCopy->setShortcut(QKeySequence("Ctrl+C"));
  QAction* paste = m_reportMenu->addAction("Paste", this, &TForm1::Paste1Click);
  paste->setObjectName("Paste1");
  paste->setShortcut(QKeySequence("Ctrl+P"));

  // Copy and Record act on the box they were used in.
  auto* resultKeys = new MenuKeys(this, [this](QObject* box, int key) {
    const bool taken = key == Qt::Key_C || key == Qt::Key_R || key == -Qt::Key_C || key == -Qt::Key_R;
    if (key > 0) m_menuBox = qobject_cast<QPlainTextEdit*>(box);
    if (key == Qt::Key_C) CopyResult();
    if (key == Qt::Key_R) RecordtoReportClick();
    return taken;
  });
  for (QPlainTextEdit* box : {m_balancer.resultEdit, m_searcher.searchResultEdit, m_searcher.addToLibEdit,
                              m_searcher.removeEquationEdit, m_calculator.selEquationEdit}) {
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(box, &QWidget::customContextMenuRequested, this, [this, box](const QPoint& at) {
      m_menuBox = box;
      m_resultMenu->exec(box->viewport()->mapToGlobal(at));
    });
    box->installEventFilter(resultKeys);
  }
  m_reportEdit->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(m_reportEdit, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    m_reportMenu->exec(m_reportEdit->viewport()->mapToGlobal(at));
  });
  m_reportEdit->installEventFilter(new MenuKeys(this, [this](QObject*, int key) {
    // Ctrl+C is the box's own copy; Ctrl+P pastes.
    if (key == -Qt::Key_P) return true;
    if (key == Qt::Key_P) {
      Paste1Click();
      return true;
    }
    return false;
  }));
}

void TForm1::loadDocument(const QString& fileName, QTextEdit* into) {
  QString error;
  const QString path = m_options.workingDirectory.absoluteFilePath(fileName);
  if (!rtf::ReadRtfFile(path, *into->document(), &error, nullptr, kReportLimitBytes)) {
    m_presenter.error("Cannot read '" + QDir::toNativeSeparators(path) + "': " + error);
  }
  into->moveCursor(QTextCursor::Start);
}

void TForm1::BitBtn1Click() {
  m_reportEdit->clear();
  QTextCursor caret(m_reportEdit->document());
  caret.setBlockFormat(BodyBlockFormat());
  caret.setBlockCharFormat(BodyCharFormat());
  m_reportEdit->setTextCursor(caret);
  m_reportEdit->setCurrentCharFormat(BodyCharFormat());
}

void TForm1::BitBtn17Click() {
  // A failure leaves the file and the text in the box as they were; a file that
  // was not read in full is kept, and the report can go to another file.
  m_reportFile.save(*m_reportEdit->document(), m_presenter, [this] {
    if (m_options.reportSaveAsPath) return m_options.reportSaveAsPath();
    return QFileDialog::getSaveFileName(this, "Save As\u2026", m_options.workingDirectory.path(),
                                        "Rich text documents (*.rtf)");
  });
}

void TForm1::BitBtn6Click() {
  PrintDocument(*m_reportEdit->document(), "report.rtf", m_presenter,
                [this] { return choosePdfPath("report"); });
}

void TForm1::BitBtn16Click() {
  for (const char* program : {"gnome-calculator", "kcalc", "galculator", "mate-calc", "qalculate-gtk",
                              "xcalc"}) {
    const QString path = QStandardPaths::findExecutable(program);
    if (!path.isEmpty() && QProcess::startDetached(path, {})) return;
  }
  m_presenter.information(
      "No calculator program was found on this computer. Install one, for example "
      "gnome-calculator, and press \"Calculator\" again.");
}

QString TForm1::selectedListText() const {
  const QPlainTextEdit* box = m_menuBox ? m_menuBox : m_balancer.resultEdit;
  // The list's line breaks come back as paragraph separators.
  QString text = box->textCursor().selectedText();
  text.replace(QChar::ParagraphSeparator, '\n');
  return text;
}

void TForm1::CopyResult() {
  const QString text = selectedListText();
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

void TForm1::RecordtoReportClick() {
  const QString text = selectedListText();
  if (text.isEmpty()) return;
  QApplication::clipboard()->setText(text);
  QTextCursor caret = m_reportEdit->textCursor();
  InsertParagraphs(caret, text);
  m_reportEdit->setTextCursor(caret);
}

void TForm1::ReportCopy() { m_reportEdit->copy(); }

void TForm1::Paste1Click() { m_reportEdit->paste(); }

bool TForm1::openUrl(const QString& url) {
  const bool opened = m_options.openUrl ? m_options.openUrl(url) : QDesktopServices::openUrl(QUrl(url));
  if (!opened) {
    m_presenter.information("Nothing on this computer could open " + url +
                            ". Open it in your web browser or mail program yourself.");
  }
  return opened;
}

void TForm1::OnWeb() { openUrl(kHomePage); }

void TForm1::Label1Click() { openUrl(QString("mailto:") + kSupportAddress); }

}  // namespace quorvex::app
