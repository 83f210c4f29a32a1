// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tform1.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextDocument>
#include <QTextEdit>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <exception>
#include <filesystem>

#include "app/equationlist.h"
#include "app/mediumchoice.h"
#include "app/menukeys.h"
#include "app/pagetables.h"
#include "app/printing.h"
#include "app/recording.h"
#include "formula/equationtext.h"
#include "rtf/rtfreader.h"

namespace quorvex::app {
namespace {

const char* const kHomePage = "https://www.quorvex.example/chemical/index.htm";
// The text colour of an amount Calculate worked out.
const QColor kComputedAmount(128, 128, 128);

void SetTextIfChanged(QLineEdit* edit, const QString& text) {
  if (edit->text() != text) edit->setText(text);
}

// A list of equations, with the breaks it shows between terms.
QString Shown(QPlainTextEdit* edit, const QString& text) {
  auto* list = dynamic_cast<EquationListEdit*>(edit);
  return list ? list->shownText(text) : text;
}

void SetTextIfChanged(QPlainTextEdit* edit, const QString& text) {
  const QString shown = Shown(edit, text);
  if (edit->toPlainText() != shown) edit->setPlainText(shown);
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
  setFixedSize(529, 529);

  for (const std::span<const Control> table : PageTables()) BuildControls(table, *this);
  AddMediumChoice(findChild<QWidget*>("TabSheet1"));
  findControls();
  connect(m_calculator.grid, &QTableWidget::cellChanged, this, &TForm1::onGridEdited);
  m_calculator.grid->setItemDelegateForColumn(
      calc::kAmountColumn,
      new AmountDelegate(m_calculator.grid, [this](int row, int column) { onGridEdited(row, column); }));
  // "Saved ..." stands until the report changes again.
  connect(m_reportEdit->document(), &QTextDocument::modificationChanged, m_reportStatus,
          [this](bool changed) {
            if (!changed) return;
            m_reportStatus->clear();
            m_reportStatus->setToolTip(QString());
          });
  m_tabs->setCurrentIndex(0);
  connect(m_tabs, &QTabWidget::currentChanged, this, &TForm1::OnTabSheetClick);
  // A page chosen from the keyboard leaves the focus on the tabs: the page is
  // entered all the same, as when the focus moves into it.
  connect(m_tabs, &QTabWidget::currentChanged, this, [this] {
    if (m_tabs->currentWidget() == m_calculator.groupCalcEquation->parentWidget()) enterCalculatorLater();
  });
  // The pages in turn from anywhere in the window, before any control
  // (the Searcher's own pages included) takes these keys.
  const std::pair<QList<QKeySequence>, int> kPageKeys[] = {
      {{QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)}, 1},
      // X reports Shift+Tab as Backtab.
      {{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
       -1},
  };
  for (const auto& [keys, step] : kPageKeys) {
    auto* shortcut = new QShortcut(this);
    shortcut->setKeys(keys);
    connect(shortcut, &QShortcut::activated, this, [this, step = step] {
      const int pages = m_tabs->count();
      m_tabs->setCurrentIndex((m_tabs->currentIndex() + step + pages) % pages);
    });
  }
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
  // Focus changes while the widgets are destroyed must not reach this window,
  // nor an amount that an open cell editor commits as it goes, nor a box that
  // finishes its editing as it loses the focus.
  disconnect(qApp, &QApplication::focusChanged, this, &TForm1::onFocusChanged);
  disconnect(m_calculator.grid, nullptr, this, nullptr);
  for (QLineEdit* box : findChildren<QLineEdit*>()) disconnect(box, nullptr, this, nullptr);
  m_calculator.grid->setItemDelegateForColumn(calc::kAmountColumn, nullptr);
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
  // The report's caret waits at its end, where Record adds equations. The
  // report as read is the one that holds no changes, and Undo stops there.
  m_reportEdit->moveCursor(QTextCursor::End);
  m_reportEdit->document()->clearUndoRedoStacks();
  m_reportEdit->document()->setModified(false);
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
  find(m_reportStatus, "ReportStatus");
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
  // A message reads from its first word; one longer than the box is whole in its tool tip.
  QLineEdit* const message = m_balancer.messageBox;
  if (message->text() != FromBytes(t.message)) {
    message->setText(FromBytes(t.message));
    message->setCursorPosition(0);
  }
  const bool fits = message->fontMetrics().horizontalAdvance(message->text()) <
                    message->contentsRect().width() - 2 * message->textMargins().left() - 4;
  message->setToolTip(!t.messageHint.empty() ? FromBytes(t.messageHint)
                      : fits                 ? QString(kMessageBoxHint)
                                             : message->text());
  message->setAccessibleDescription(message->toolTip());
  QPalette palette = m_balancer.messageBox->palette();
  palette.setColor(QPalette::Text, QColor(t.messageColour.red, t.messageColour.green, t.messageColour.blue));
  m_balancer.messageBox->setPalette(palette);
  for (QPlainTextEdit* list : {m_balancer.resultEdit, m_searcher.searchResultEdit}) {
    const QString text = Shown(list, FromBytes(list == m_balancer.resultEdit ? t.boardText : t.foundText));
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
  // Only the facts that are numbers change with the user's separator.
  for (int i = 0; i < workspace::kElementFacts; ++i) {
    m_table.values[i]->setText(m_numbers.shown(t.elementFacts[i]));
  }
  showGrid();
}

void TForm1::showGrid() {
  const calc::CalcTable& table = m_workspace->calcTable();
  m_showingGrid = true;
  for (int r = 0; r < calc::kGridRows; ++r) {
    for (int c = 0; c < calc::kTableColumns; ++c) {
      QTableWidgetItem* item = m_calculator.grid->item(r, c);
      const QString text = r > 0 && c >= 2 ? m_numbers.shown(table.cell(c, r)) : FromBytes(table.cell(c, r));
      if (item->text() != text) item->setText(text);
    }
    if (r == 0) continue;
    // What Calculate worked out stands apart from what the user typed.
    QTableWidgetItem* amount = m_calculator.grid->item(r, calc::kAmountColumn);
    const bool computed = table.amount(r) == calc::Amount::Computed;
    if (amount->font().italic() != computed) {
      QFont font = m_calculator.grid->font();
      font.setItalic(true);
      amount->setData(Qt::FontRole, computed ? QVariant(font) : QVariant());
      amount->setData(Qt::ForegroundRole, computed ? QVariant(kComputedAmount) : QVariant());
    }
  }
  nameGridCells();
  m_showingGrid = false;
}

void TForm1::nameGridCells() {
  // A screen reader hears a cell as its row's formula, its column and its text.
  const calc::CalcTable& table = m_workspace->calcTable();
  for (int r = 1; r < calc::kGridRows; ++r) {
    const QString formula = FromBytes(table.cell(0, r));
    for (int c = 1; c < calc::kTableColumns; ++c) {
      QTableWidgetItem* item = m_calculator.grid->item(r, c);
      QString name;
      if (!formula.isEmpty()) {
        name = formula + ", " + FromBytes(table.cell(c, 0)).trimmed();
        if (!item->text().isEmpty()) name += ": " + item->text();
      }
      if (item->data(Qt::AccessibleTextRole).toString() != name) item->setData(Qt::AccessibleTextRole, name);
    }
  }
}

void TForm1::onGridEdited(int row, int column) {
  if (m_showingGrid || row < 1 || column < 1 || column > calc::kAmountColumn) return;
  const std::string text = m_numbers.typed(m_calculator.grid->item(row, column)->text());
  run([&] { m_workspace->setCalcCell(column, row, text); });
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
  if (page->isAncestorOf(now) && !page->isAncestorOf(old)) enterCalculatorLater();
}

void TForm1::enterCalculatorLater() {
  // A page change and the focus moving into the page are one entry.
  if (m_calculatorEntryQueued) return;
  m_calculatorEntryQueued = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        m_calculatorEntryQueued = false;
        CalculateSheetEnter();
      },
      Qt::QueuedConnection);
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
  m_workspace->setCompletion(ReadMediumChoice(m_balancer.messageBox->parentWidget()));
  run([this] { m_workspace->balance(); });
  if (m_workspace->balancer().outcome() == balance::BalanceOutcome::InvalidCharacters) showInvalidCharacter();
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
bool TForm1::spreadEquation(QLineEdit* box) {
  // Leaving a box for a message window, or a box with one species, changes nothing.
  if (QApplication::activeModalWidget() || !formula::ReadEquationText(ToBytes(box->text()))) return false;
  for (int i = 0; i < 14; ++i) {
    for (const bool product : {false, true}) {
      if ((product ? m_balancer.pr[i] : m_balancer.sp[i]) != box) continue;
      run([this, product, i] { m_workspace->spreadBox(product, i); });
      return true;
    }
  }
  return false;
}

void TForm1::ResetButtonClick() {
  run([this] { m_workspace->resetBoxes(); });
}
void TForm1::ExampleBtClick() {
  run([this] { m_workspace->nextBalanceExample(); });
}
void TForm1::OnResultClear() {
  run([this] { m_workspace->clearResults(); });
}
void TForm1::OnInputBoxClick() {
  run([this] { m_workspace->clearMessage(); });
}

void TForm1::printResultList() {
  printList("Balanced Equations List", NumberedEquations(m_workspace->balancer().board()));
}

void TForm1::Button2Click() {
  run([this] { m_workspace->search(); });
}
void TForm1::BitBtn18Click() {
  run([this] { m_workspace->resetSearch(); });
}
void TForm1::OnClearSchList() {
  run([this] { m_workspace->clearFound(); });
}
void TForm1::OnSearchExamples() {
  run([this] { m_workspace->nextSearchExample(); });
}

void TForm1::printFoundList() {
  printList("Found Equations List", NumberedEquations(m_workspace->searcher().found()));
}

void TForm1::OnSelEquationNext() {
  run([this] { m_workspace->nextBoardEquation(); });
}
void TForm1::OnSelEquationBack() {
  run([this] { m_workspace->previousBoardEquation(); });
}
void TForm1::OnSchSelEquationNext() {
  run([this] { m_workspace->nextFoundEquation(); });
}
void TForm1::OnSchSelEquationBack() {
  run([this] { m_workspace->previousFoundEquation(); });
}
void TForm1::OnAddTolib() {
  run([this] { m_workspace->addToLibrary(); });
}
void TForm1::OnDelFromLib() {
  run([this] { m_workspace->deleteFromLibrary(); });
}
void TForm1::OnTabSheetClick() {
  run([this] { m_workspace->refreshAfterPageChange(); });
}
void TForm1::OnSelEquationEditEnter() {
  run([this] { m_workspace->refillResults(); });
}

void TForm1::OnCalcBack() {
  run([this] { m_workspace->previousCalcEquation(); });
}
void TForm1::OnCalcNext() {
  run([this] { m_workspace->nextCalcEquation(); });
}
void TForm1::BitBtn30Click() {
  run([this] { m_workspace->switchSource(); });
}
void TForm1::CalculateSheetEnter() {
  run([this] { m_workspace->enterCalculator(); });
}
void TForm1::Unit_molClick() {
  run([this] { m_workspace->useMoles(); });
}
void TForm1::Unit_gClick() {
  run([this] { m_workspace->useGrams(); });
}
void TForm1::OnLowPrecisionClick() {
  run([this] { m_workspace->useLowPrecision(); });
}
void TForm1::OnHighPrecisionClick() {
  run([this] { m_workspace->useHighPrecision(); });
}
void TForm1::BitBtn5Click() {
  run([this] { m_workspace->ClearAmout(); });
}
void TForm1::OnSetAccurate() {
  run([this] {
    m_workspace->calculate([this](std::string_view number) { return ToBytes(m_numbers.shown(number)); });
  });
}

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
  connect(m_reportEdit, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { m_reportMenu->exec(m_reportEdit->viewport()->mapToGlobal(at)); });
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
  // One step that Undo takes back.
  QTextCursor caret(m_reportEdit->document());
  caret.beginEditBlock();
  caret.select(QTextCursor::Document);
  caret.removeSelectedText();
  caret.setBlockFormat(BodyBlockFormat());
  caret.setBlockCharFormat(BodyCharFormat());
  caret.endEditBlock();
  m_reportEdit->setTextCursor(caret);
  m_reportEdit->setCurrentCharFormat(BodyCharFormat());
}

void TForm1::BitBtn17Click() { saveReport(); }

bool TForm1::saveReport() {
  // A failure leaves the file and the text in the box as they were; a file that
  // was not read in full is kept, and the report can go to another file.
  QString other;
  m_reportStatus->clear();
  m_reportStatus->setToolTip(QString());
  const bool saved = m_reportFile.save(*m_reportEdit->document(), m_presenter, [this, &other] {
    other = m_options.reportSaveAsPath
                ? m_options.reportSaveAsPath()
                : QFileDialog::getSaveFileName(this, "Save As\u2026", m_options.workingDirectory.path(),
                                               "Rich text documents (*.rtf)");
    return other;
  });
  if (saved) {
    m_reportEdit->document()->setModified(false);
    // Between "Calculator" and "Clear All"; a long name is shortened there and whole in the tool tip.
    const QString text = "Saved " + (other.isEmpty() ? QString("report.rtf") : QFileInfo(other).fileName());
    m_reportStatus->setText(m_reportStatus->fontMetrics().elidedText(text, Qt::ElideMiddle, 168));
    m_reportStatus->setToolTip(text);
  }
  m_reportStatus->adjustSize();
  return saved;
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (m_reportEdit->document()->isModified()) {
    switch (m_presenter.askToSave("The report has changes that are not saved. Save them before closing?")) {
      case MessagePresenter::SaveChoice::Save:
        if (!saveReport()) return event->ignore();
        break;
      case MessagePresenter::SaveChoice::Discard: break;
      case MessagePresenter::SaveChoice::Cancel: return event->ignore();
    }
  }
  event->accept();
}

void TForm1::BitBtn6Click() {
  PrintDocument(*m_reportEdit->document(), "report.rtf", m_presenter,
                [this] { return choosePdfPath("report"); });
}

void TForm1::BitBtn16Click() {
  for (const char* program :
       {"gnome-calculator", "kcalc", "galculator", "mate-calc", "qalculate-gtk", "xcalc"}) {
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
  return WithoutTermBreaks(text);
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
