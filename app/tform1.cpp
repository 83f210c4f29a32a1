#include "app/tform1.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMenu>
#include <QProcess>
#include <QProxyStyle>
#include <QStandardPaths>
#include <QUrl>
#include <QFile>
#include <QFileDialog>
#include <QLocale>
#include <QTextDocument>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QThread>

#include <algorithm>
#include <exception>
#include <filesystem>

#include "app/pictures.h"
#include "app/printing.h"
#include "app/recording.h"
#include "formula/charset.h"
#include "formula/notation.h"
#include "app/rtf/rtfreader.h"
#include "app/rtf/rtfwriter.h"

namespace quorvex::app {
namespace {

constexpr const char* kMessageBoxHint =
    "This box will tell you the general result.For detail, you must see the result board.";

// Typed or pasted notation is written as formulas at once, so the box shows
// what will be balanced. The text goes to the core as UTF-8 and comes back.
void NormaliseWhileTyping(QLineEdit* box) {
  QObject::connect(box, &QLineEdit::textEdited, box, [box](const QString& text) {
    const std::string normal = quorvex::formula::NormaliseSpecies(text.toUtf8().toStdString());
    const QString shown = QString::fromUtf8(normal.data(), static_cast<qsizetype>(normal.size()));
    if (shown == text) return;
    const int fromEnd = static_cast<int>(text.size()) - box->cursorPosition();
    box->setText(shown);
    box->setCursorPosition(std::max(0, static_cast<int>(shown.size()) - fromEnd));
  });
}

// Every control gets its object name and its place in pixels.
template <class W>
W* Place(W* widget, const char* name, int left, int top, int width, int height) {
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(left, top, width, height);
  return widget;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, int left, int top,
                    int width = 75, int height = 25, const QString& hint = {}) {
  auto* b = Place(new QPushButton(caption, parent), name, left, top, width, height);
  if (!hint.isEmpty()) b->setToolTip(hint);
  b->setAutoDefault(false);
  return b;
}

QLabel* Label(QWidget* parent, const char* name, const QString& caption, int left, int top) {
  auto* l = new QLabel(caption, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->move(left, top);
  l->adjustSize();
  return l;
}

QPlainTextEdit* ListBox(QWidget* parent, const char* name, int left, int top, int width,
                        int height) {
  auto* box = Place(new QPlainTextEdit(parent), name, left, top, width, height);
  box->setReadOnly(true);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  return box;
}

const char* const kHomePage = "https://www.quorvex.example/chemical/index.htm";
const char* const kSupportAddress = "support@quorvex.example";

// Ctrl+C, Ctrl+R and Ctrl+P in the boxes that carry a pop-up menu. The boxes'
// own key handling would copy their own selection, so the keys are taken
// before it.
class MenuKeys : public QObject {
 public:
  MenuKeys(QObject* parent, std::function<bool(QObject* box, int key)> onKey)
      : QObject(parent), m_onKey(std::move(onKey)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->modifiers() == Qt::ControlModifier) {
        if (event->type() == QEvent::ShortcutOverride) {
          // Let the key reach this filter as a key press.
          if (m_onKey(watched, -key->key())) {
            event->accept();
            return true;
          }
        } else if (m_onKey(watched, key->key())) {
          return true;
        }
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<bool(QObject*, int)> m_onKey;  // a negative key asks only whether it is taken
};

// Keeps row 0 and column 0 of a grid in view while it scrolls, as fixed rows
// and columns of a string grid stay: three views of the same model lie over
// the grid's edges, follow its scrolling and its viewport's size.
class FrozenEdges : public QObject {
 public:
  explicit FrozenEdges(QTableWidget* grid) : QObject(grid), m_grid(grid) {
    grid->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    grid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_row = overlay("CalculateGridFixedRow", true, false);
    m_column = overlay("CalculateGridFixedColumn", false, true);
    m_corner = overlay("CalculateGridFixedCorner", true, true);
    connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, m_row->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, m_column->verticalScrollBar(),
            &QScrollBar::setValue);
    grid->viewport()->installEventFilter(this);
    place();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move) place();
    return QObject::eventFilter(watched, event);
  }

 private:
  QTableView* overlay(const char* name, bool rowOnly, bool columnOnly) {
    auto* view = new QTableView(m_grid);
    view->setObjectName(QString::fromLatin1(name));
    view->setStyle(m_grid->style());  // cells drawn as the grid draws them
    view->setModel(m_grid->model());
    view->setFocusPolicy(Qt::NoFocus);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->horizontalHeader()->setMinimumSectionSize(10);
    view->verticalHeader()->setMinimumSectionSize(10);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setFrameShape(QFrame::NoFrame);
    view->setWordWrap(false);
    view->setTextElideMode(Qt::ElideNone);
    // Pixel scrolling on both sides keeps the scroll values the same positions.
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    for (int c = 0; c < m_grid->columnCount(); ++c) {
      view->setColumnWidth(c, m_grid->columnWidth(c));
      if (columnOnly && c > 0) view->setColumnHidden(c, true);
    }
    for (int r = 0; r < m_grid->rowCount(); ++r) {
      view->setRowHeight(r, m_grid->rowHeight(r));
      if (rowOnly && r > 0) view->setRowHidden(r, true);
    }
    return view;
  }

  void place() {
    const QRect area = m_grid->viewport()->geometry();
    const int columnWidth = m_grid->columnWidth(0) + (m_grid->showGrid() ? 1 : 0);
    const int rowHeight = m_grid->rowHeight(0) + (m_grid->showGrid() ? 1 : 0);
    m_row->setGeometry(area.left(), area.top(), area.width(), rowHeight);
    m_column->setGeometry(area.left(), area.top(), columnWidth, area.height());
    m_corner->setGeometry(area.left(), area.top(), columnWidth, rowHeight);
    m_row->horizontalScrollBar()->setValue(m_grid->horizontalScrollBar()->value());
    m_column->verticalScrollBar()->setValue(m_grid->verticalScrollBar()->value());
    for (QTableView* view : {m_row, m_column, m_corner}) view->raise();
  }

  QTableWidget* m_grid;
  QTableView* m_row = nullptr;
  QTableView* m_column = nullptr;
  QTableView* m_corner = nullptr;
};

// A cell's text keeps one pixel from the cell's edges instead of three.
class NarrowCellStyle : public QProxyStyle {
 public:
  // Kept by the application: a widget's style must outlive the widget.
  NarrowCellStyle() : QProxyStyle(QApplication::style()->name()) { setParent(qApp); }
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_FocusFrameHMargin) return 0;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

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

// Clicks into the input and search boxes.
class ClickFilter : public QObject {
 public:
  ClickFilter(QObject* parent, std::function<void()> onClick)
      : QObject(parent), m_onClick(std::move(onClick)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress) m_onClick();
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> m_onClick;
};

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

  auto* banner = Place(new QLabel(this), "Image1", 0, -1, 543, 41);
  banner->setPixmap(BannerPicture());

  m_tabs = Place(new QTabWidget(this), "TapSheet1", 0, 34, 531, 497);
  m_tabs->addTab(createBalancerPage(), "Balancer");
  m_tabs->addTab(createSearcherPage(), "Searcher");
  m_tabs->addTab(createCalculatorPage(), "Calculator");
  m_tabs->addTab(createReportPage(), "Report");
  m_tabs->addTab(createPeriodicTablePage(), "Periodic Table");
  m_tabs->addTab(createHelpPage(), "Help");
  // A page's hint shows over its tab and over the page itself.
  const std::pair<int, const char*> hints[] = {
      {0, "Input Pannel"}, {2, "Equation and Calculation Table."}, {4, "Periodic Table"},
      {5, "Help Documents"}};
  for (const auto& [index, hint] : hints) {
    m_tabs->setTabToolTip(index, hint);
    m_tabs->widget(index)->setToolTip(hint);
  }
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

QWidget* TForm1::createBalancerPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheet1");

  Place(new QLabel(page), "Image2", 11, 5, 94, 22)->setPixmap(PagePicture());

  auto* message = Place(new QLineEdit(page), "MessageBox", 104, 6, 409, 19);
  message->setReadOnly(true);
  message->setToolTip(kMessageBoxHint);
  m_balancer.messageBox = message;

  auto* reactants = Place(new QGroupBox("Reactants", page), "GroupBox1", 9, 28, 250, 191);
  auto* products = Place(new QGroupBox("Products", page), "GroupBox2", 263, 28, 250, 191);
  // Sp1..Sp6 and Sp8 down the left column, Sp7 and Sp9..Sp14 down the right.
  static constexpr int kSpColumn[14] = {0, 0, 0, 0, 0, 0, 1, 0, 1, 1, 1, 1, 1, 1};
  static constexpr int kSpRow[14] = {0, 1, 2, 3, 4, 5, 0, 6, 1, 2, 3, 4, 5, 6};
  auto* filter = new ClickFilter(this, [this] { OnInputBoxClick(); });
  for (int i = 0; i < 14; ++i) {
    const QByteArray spName = "Sp" + QByteArray::number(i + 1);
    const QByteArray prName = "Pr" + QByteArray::number(i + 1);
    m_balancer.sp[i] = Place(new QLineEdit(reactants), spName.constData(),
                             kSpColumn[i] == 0 ? 8 : 128, 16 + 24 * kSpRow[i], 110, 19);
    m_balancer.pr[i] = Place(new QLineEdit(products), prName.constData(), i < 7 ? 8 : 128,
                             16 + 24 * (i % 7), 110, 19);
    m_balancer.sp[i]->installEventFilter(filter);
    m_balancer.pr[i]->installEventFilter(filter);
    connect(m_balancer.sp[i], &QLineEdit::returnPressed, this, &TForm1::Input_BalanceClick);
    connect(m_balancer.pr[i], &QLineEdit::returnPressed, this, &TForm1::Input_BalanceClick);
    NormaliseWhileTyping(m_balancer.sp[i]);
    NormaliseWhileTyping(m_balancer.pr[i]);
  }
  m_balancer.sp[0]->setToolTip("Input reactant");
  for (int i = 0; i + 1 < 14; ++i) QWidget::setTabOrder(m_balancer.sp[i], m_balancer.sp[i + 1]);
  QWidget::setTabOrder(m_balancer.sp[13], m_balancer.pr[0]);
  for (int i = 0; i + 1 < 14; ++i) QWidget::setTabOrder(m_balancer.pr[i], m_balancer.pr[i + 1]);

  Label(page, "Label9", "Balanced Equations List", 8, 224);
  auto* banner = Label(page, "Label7", "Balanced Equations List", 8, 257);
  QFont bold = banner->font();
  bold.setBold(true);
  banner->setFont(bold);
  banner->setAutoFillBackground(true);
  QPalette bannerPalette = banner->palette();
  bannerPalette.setColor(QPalette::Window, QColor(113, 113, 255));
  bannerPalette.setColor(QPalette::WindowText, Qt::white);
  banner->setPalette(bannerPalette);
  banner->adjustSize();

  m_balancer.resultEdit = ListBox(page, "ResultEdit", 8, 243, 504, 185);
  QFont listFont = m_balancer.resultEdit->font();
  listFont.setPixelSize(12);
  m_balancer.resultEdit->setFont(listFont);
  // The caption strip sits behind the list, as on the other list pages.
  banner->lower();

  connect(Button(page, "ClearBt", "Reset", 8, 435, 75, 25, "Reset reactants and products"),
          &QPushButton::clicked, this, &TForm1::ResetButtonClick);
  connect(Button(page, "ExampleBt", "Examples", 81, 435, 75, 25, "Click to show examples"),
          &QPushButton::clicked, this, &TForm1::ExampleBtClick);
  auto* balance = Button(page, "BalanceBt", "Balance", 155, 435, 75, 25, "Balance the equation");
  connect(balance, &QPushButton::clicked, this, &TForm1::Input_BalanceClick);
  connect(Button(page, "BitBtn15", "Clear List", 356, 435, 75, 25, "Clear all balanced equations"),
          &QPushButton::clicked, this, &TForm1::OnResultClear);
  connect(Button(page, "BitBtn2", "Print List", 431, 435, 75, 25, "Print the balanced equations"),
          &QPushButton::clicked, this, &TForm1::PrintResultList);
  auto* hiddenSearch = Button(page, "SearchBt", "Search", 600, 435);
  hiddenSearch->hide();
  connect(hiddenSearch, &QPushButton::clicked, this, &TForm1::Button2Click);
  return page;
}

QWidget* TForm1::createSearcherPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheet2");
  auto* inner = Place(new QTabWidget(page), "PageControl1", 0, 0, 521, 465);

  auto* search = new QWidget;
  search->setObjectName("TabSheet3");
  auto* reactants = Place(new QGroupBox("Reactants", search), "GroupBox10", 9, 3, 245, 93);
  auto* products = Place(new QGroupBox("Products", search), "GroupBox8", 263, 3, 246, 93);
  auto* filter = new ClickFilter(this, [this] { OnInputBoxClick(); });
  for (int i = 0; i < 12; ++i) {
    const QByteArray name = "SearchEdit" + QByteArray::number(i + 1);
    const int k = i % 6;
    m_searcher.searchEdits[i] = Place(new QLineEdit(i < 6 ? reactants : products),
                                      name.constData(), k < 3 ? 8 : 128, 16 + 24 * (k % 3), 110, 19);
    m_searcher.searchEdits[i]->installEventFilter(filter);
    connect(m_searcher.searchEdits[i], &QLineEdit::returnPressed, this, &TForm1::Button2Click);
  }
  Label(search, "Label19", "Found Equations List", 9, 101);
  m_searcher.searchResultEdit = ListBox(search, "m_SearchResultEdit", 8, 121, 499, 280);
  connect(Button(search, "BitBtn18", "Reset", 7, 407), &QPushButton::clicked, this,
          &TForm1::BitBtn18Click);
  connect(Button(search, "BitBtn14", "Examples", 82, 407), &QPushButton::clicked, this,
          &TForm1::OnSearchExamples);
  connect(Button(search, "BitBtn13", "Search", 156, 407), &QPushButton::clicked, this,
          &TForm1::Button2Click);
  connect(Button(search, "BitBtn19", "Clear List", 359, 407), &QPushButton::clicked, this,
          &TForm1::OnClearSchList);
  connect(Button(search, "BitBtn21", "Print List", 434, 407), &QPushButton::clicked, this,
          &TForm1::PrintFoundList);
  auto* hiddenBalance = Button(search, "BitBtn12", "Balance", 600, 407);
  hiddenBalance->hide();
  connect(hiddenBalance, &QPushButton::clicked, this, &TForm1::Input_BalanceClick);
  inner->addTab(search, "Search in the library");

  auto* maintenance = new QWidget;
  maintenance->setObjectName("TabSheet5");
  QPalette navy = maintenance->palette();
  navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
  maintenance->setPalette(navy);
  m_searcher.equationNumberLabel =
      Label(maintenance, "EquationNumberLabel",
            "There are total 217 equations in your library currently.", 128, 8);
  Label(maintenance, "StaticText1", "Add a new balanced equation to the library:", 11, 46);
  auto* add = Place(new QGroupBox("Select one in the Balanced Equations List in the balalancer",
                                  maintenance),
                    "GroupBox14", 8, 65, 505, 153);
  m_searcher.addToLibEdit = ListBox(add, "AddToLibEdit", 8, 16, 489, 97);
  connect(Button(add, "BitBtn22", "Back", 8, 120, 90, 25, "Slect last equation in the result board."),
          &QPushButton::clicked, this, &TForm1::OnSelEquationBack);
  connect(Button(add, "BitBtn23", "Next", 104, 120, 90, 25, "Slect next equation in the result board."),
          &QPushButton::clicked, this, &TForm1::OnSelEquationNext);
  connect(Button(add, "BitBtn24", "Add To Lib", 407, 120, 90, 25,
                 "Add current equation to your equation library."),
          &QPushButton::clicked, this, &TForm1::OnAddTolib);
  Label(maintenance, "StaticText2", "Remove an equation from the library:", 8, 248);
  auto* remove = Place(new QGroupBox("Select one in the Found Equations List in the searcher",
                                     maintenance),
                       "GroupBox15", 8, 265, 505, 153);
  m_searcher.removeEquationEdit = ListBox(remove, "RemoveEquationEdit", 8, 16, 489, 97);
  connect(Button(remove, "BitBtn28", "Back", 8, 120, 90, 25, "Slect last equation in the result board."),
          &QPushButton::clicked, this, &TForm1::OnSchSelEquationBack);
  connect(Button(remove, "BitBtn29", "Next", 104, 120, 90, 25, "Slect next equation in the result board."),
          &QPushButton::clicked, this, &TForm1::OnSchSelEquationNext);
  connect(Button(remove, "BitBtn26", "Del From Lib", 407, 120, 90, 25,
                 "Remove current equation from your equation library."),
          &QPushButton::clicked, this, &TForm1::OnDelFromLib);
  inner->addTab(maintenance, "Libray Maintenance");
  inner->tabBar()->setTabTextColor(1, QColor(0, 0, 128));
  return page;
}

QWidget* TForm1::createCalculatorPage() {
  auto* page = new QWidget;
  page->setObjectName("CalculateSheet");
  m_calculator.groupCalcEquation =
      Place(new QGroupBox("Select an equation from the Blancer result list", page),
            "GroupCalcEquation", 8, 8, 505, 153);
  m_calculator.selEquationEdit =
      ListBox(m_calculator.groupCalcEquation, "SelEquationEdit", 8, 16, 489, 97);
  QGroupBox* const pick = m_calculator.groupCalcEquation;
  connect(Button(pick, "BitBtn30", "Switch List...", 8, 120, 90, 25, "Switch equation lists"),
          &QPushButton::clicked, this, &TForm1::BitBtn30Click);
  connect(Button(pick, "BitBtn3", "Prev", 320, 120, 85, 25, "Select the previous equation"),
          &QPushButton::clicked, this, &TForm1::OnCalcBack);
  connect(Button(pick, "BitBtn4", "Next", 409, 120, 85, 25, "Select the next equation"),
          &QPushButton::clicked, this, &TForm1::OnCalcNext);
  auto* hiddenAdd = Button(pick, "BitBtn10", "Add To Lib", 600, 120);
  hiddenAdd->hide();
  connect(hiddenAdd, &QPushButton::clicked, this, &TForm1::OnAddTolib);
  auto* hiddenDelete = Button(pick, "BitBtn11", "Del From Lib", 600, 120);
  hiddenDelete->hide();
  connect(hiddenDelete, &QPushButton::clicked, this, &TForm1::OnDelFromLib);

  auto* table = Place(new QGroupBox("Calculation Table", page), "GroupBox4", 8, 160, 505, 305);
  auto* grid = Place(new QTableWidget(61, 30, table), "CalculateGrid", 8, 16, 489, 225);
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  // One pixel of margin beside a cell's text, so that "Total Molecular Weight"
  // shows whole in its 112 pixels.
  grid->setStyle(new NarrowCellStyle);
  // The minimum first: a default below the minimum in force (which the font
  // sets) is raised to it.
  grid->horizontalHeader()->setMinimumSectionSize(10);
  grid->verticalHeader()->setMinimumSectionSize(10);
  grid->horizontalHeader()->setDefaultSectionSize(80);
  grid->verticalHeader()->setDefaultSectionSize(16);
  static constexpr int kWidths[7] = {80, 73, 85, 112, 96, 94, 91};
  for (int c = 0; c < 7; ++c) grid->setColumnWidth(c, kWidths[c]);
  grid->setRowHeight(6, 15);
  // No editing on a click into the selected cell: its editor would open after
  // a delay and lose the keys typed before it.
  grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                        QAbstractItemView::AnyKeyPressed | QAbstractItemView::CurrentChanged);
  grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
  grid->setTabKeyNavigation(true);
  grid->setTextElideMode(Qt::ElideNone);
  grid->setWordWrap(false);
  m_calculator.grid = grid;

  auto* unit = Place(new QGroupBox("Calculating", table), "GroupBox13", 8, 246, 200, 50);
  m_calculator.unitMol = Place(new QRadioButton("amount (mole)", unit), "Unit_mol", 6, 18, 100, 22);
  m_calculator.unitGram = Place(new QRadioButton("mass (gram)", unit), "Unit_g", 108, 18, 90, 22);
  m_calculator.unitMol->setChecked(true);
  auto* precision = Place(new QGroupBox("Precision", table), "GroupBox12", 214, 246, 110, 50);
  m_calculator.low = Place(new QRadioButton("low", precision), "RadioButton1", 8, 18, 45, 22);
  m_calculator.high = Place(new QRadioButton("high", precision), "RadioButton2", 56, 18, 50, 22);
  m_calculator.low->setChecked(true);
  // The handlers run when a button becomes selected, not when it is pressed again.
  const auto onSelected = [this](QRadioButton* button, void (TForm1::*handler)()) {
    connect(button, &QRadioButton::toggled, this, [this, handler](bool checked) {
      if (checked) (this->*handler)();
    });
  };
  onSelected(m_calculator.unitMol, &TForm1::Unit_molClick);
  onSelected(m_calculator.unitGram, &TForm1::Unit_gClick);
  onSelected(m_calculator.low, &TForm1::OnLowPrecisionClick);
  onSelected(m_calculator.high, &TForm1::OnHighPrecisionClick);
  connect(Button(table, "CalculateBt", "Calculate", 336, 262, 75, 25, "Solve selected equation."),
          &QPushButton::clicked, this, &TForm1::OnSetAccurate);
  connect(Button(table, "BitBtn5", "Clear All", 420, 262, 75, 25, "Clear the table."),
          &QPushButton::clicked, this, &TForm1::BitBtn5Click);
  // Row 0 and column 0 are fixed: sky blue and not editable. Only the amounts
  // are typed: the table and Calculate use nothing else typed into the grid.
  for (int r = 0; r < grid->rowCount(); ++r) {
    for (int c = 0; c < grid->columnCount(); ++c) {
      auto* item = new QTableWidgetItem;
      if (r == 0 || c == 0) {
        item->setFlags(Qt::ItemIsEnabled);
        item->setBackground(QColor(166, 202, 240));
      } else if (c != calc::kAmountColumn) {
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      }
      grid->setItem(r, c, item);
    }
  }
  connect(grid, &QTableWidget::cellChanged, this, &TForm1::onGridEdited);
  new FrozenEdges(grid);
  return page;
}

QWidget* TForm1::createReportPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheet4");
  auto* group = Place(new QGroupBox("Report", page), "GroupBox5", 4, 2, 513, 456);
  group->setToolTip("Write your report here.");
  m_reportEdit = Place(new QTextEdit(group), "ReportEdit", 8, 16, 497, 401);
  m_reportEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  connect(Button(group, "BitBtn6", "Print", 8, 424), &QPushButton::clicked, this,
          &TForm1::BitBtn6Click);
  connect(Button(group, "BitBtn17", "Save", 90, 424), &QPushButton::clicked, this,
          &TForm1::BitBtn17Click);
  connect(Button(group, "BitBtn16", "Calculator", 172, 424), &QPushButton::clicked, this,
          &TForm1::BitBtn16Click);
  connect(Button(group, "BitBtn1", "Clear All", 430, 424), &QPushButton::clicked, this,
          &TForm1::BitBtn1Click);
  return page;
}

QWidget* TForm1::createPeriodicTablePage() {
  auto* page = new QWidget;
  page->setObjectName("TableTabSheet");
  auto* group = Place(new QGroupBox(page), "GroupBox6", 16, 8, 489, 313);

  struct Row {
    int top;
    int firstColumn;
    const char* symbols;  // blank-separated, "." for an empty column
  };
  static const Row kRows[] = {
      {56, 1, "H . . . . . . . . . . . . . . . . He"},
      {81, 1, "Li Be . . . . . . . . . . B C N O F Ne"},
      {106, 1, "Na Mg . . . . . . . . . . Al Si P S Cl Ar"},
      {131, 1, "K Ca Sc Ti V Cr Mn Fe Co Ni Cu Zn Ga Ge As Se Br Kr"},
      {156, 1, "Rb Sr Y Zr Nb Mo Tc Ru Rh Pd Ag Cd In Sn Sb Te I Xe"},
      {181, 1, "Cs Ba La Hf Ta W Re Os Ir Pt Au Hg Tl Pb Bi Po At Rn"},
      {206, 1, "Fr Ra Ac Rf Db Sg Bh Hs Mt Uun Uuu Uub"},
      {238, 3, "Ce Pr Nd Pm Sm Eu Gd Tb Dy Ho Er Tm Yb Lu"},
      {263, 3, "Th Pa U Np Pu Am Cm Bk Cf Es Fm Md No Lr"},
  };
  static const QStringList kRed = {"H",  "He", "C",  "N",  "O",  "F",  "Ne", "P",  "S",
                                   "Cl", "Ar", "Se", "Br", "Kr", "I",  "Xe", "Rn"};
  static const QStringList kPurple = {"B", "Al", "Si", "Ge", "As", "Sb", "Te", "Po", "At"};
  const QColor green(0, 128, 0);
  const QColor purple(128, 0, 128);
  const QColor red(255, 0, 0);
  for (const Row& row : kRows) {
    const QStringList symbols = QString::fromLatin1(row.symbols).split(' ');
    for (int i = 0; i < symbols.size(); ++i) {
      if (symbols[i] == ".") continue;
      const int column = row.firstColumn + i;
      const int left = column <= 16 ? 19 + 25 * (column - 1) : (column == 17 ? 420 : 445);
      auto* b = new QPushButton(symbols[i], group);
      b->setObjectName("Element" + symbols[i]);
      b->setGeometry(left, row.top, column == 16 ? 26 : 25, 25);
      b->setFocusPolicy(Qt::NoFocus);
      b->setCursor(Qt::ArrowCursor);
      QFont f = b->font();
      f.setBold(true);
      b->setFont(f);
      const QColor colour =
          kRed.contains(symbols[i]) ? red : (kPurple.contains(symbols[i]) ? purple : green);
      b->setStyleSheet(QString("QPushButton { color: %1; padding: 0px; }").arg(colour.name()));
      connect(b, &QPushButton::clicked, this, &TForm1::OnElementClick);
    }
  }
  // The legend strip.
  const struct {
    const char* swatch;
    const char* caption;
    QColor colour;
    int left;
  } legend[] = {{"LegendMetal", "Metal", green, 19},
                {"LegendMetalloid", "Metalloid", purple, 119},
                {"LegendNonMetal", "Non-Metal", red, 239}};
  for (const auto& item : legend) {
    auto* swatch = Place(new QLabel(group), item.swatch, item.left, 24, 12, 12);
    swatch->setAutoFillBackground(true);
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, item.colour);
    swatch->setPalette(palette);
    Label(group, (QByteArray(item.swatch) + "Label").constData(), item.caption, item.left + 17, 23);
  }

  auto* facts = Place(new QGroupBox(page), "GroupBox9", 16, 337, 489, 121);
  static const char* const kCaptions[10] = {"Name",          "Symbol",        "Type",
                                            "Atomic Number", "Atomic Weight", "Natural State",
                                            "Melting Point", "Boiling Point", "ElectroNagativity",
                                            "Lonization Energy"};
  static const char* const kNames[10] = {"ETName",   "ETSymbol", "ETeType", "ETnumber", "ETweight",
                                         "ETstate",  "ETMelt",   "ETBoil",  "ETnag",    "ETEnergy"};
  for (int i = 0; i < 10; ++i) {
    const int left = i < 5 ? 10 : 250;
    const int top = 12 + 21 * (i % 5);
    Label(facts, (QByteArray("Caption") + kNames[i]).constData(), kCaptions[i], left, top);
    auto* value = Place(new QLabel("N/A", facts), kNames[i], left + 110, top, 120, 16);
    QPalette palette = value->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    value->setPalette(palette);
    m_table.values[i] = value;
  }
  return page;
}

QWidget* TForm1::createHelpPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheet7");
  auto* group = Place(new QGroupBox(page), "GroupBox11", 4, 2, 513, 462);
  Place(new QLabel(group), "Image3", 12, 20, 16, 16)->setPixmap(HomeIcon());
  auto* home = Label(group, "Label2", "Home Page", 32, 21);
  Place(new QLabel(group), "Image4", 180, 20, 16, 16)->setPixmap(MailIcon());
  auto* mail = Label(group, "Label1", kSupportAddress, 200, 21);
  home->installEventFilter(new ClickFilter(home, [this] { OnWeb(); }));
  mail->installEventFilter(new ClickFilter(mail, [this] { Label1Click(); }));
  for (QLabel* link : {home, mail}) {
    QFont f = link->font();
    f.setUnderline(true);
    link->setFont(f);
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    link->setPalette(palette);
    link->setCursor(Qt::PointingHandCursor);
    link->adjustSize();
  }
  m_helpEdit = Place(new QTextEdit(group), "HelpRichEdit", 8, 48, 497, 409);
  m_helpEdit->setReadOnly(true);
  m_helpEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  return page;
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

void TForm1::printList(const QString& heading, const std::string& displayText) {
  QStringList lines;
  for (const QString& line : FromBytes(displayText).split('\n')) {
    if (line.startsWith('|')) lines << line;
  }
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
  printList("Balanced Equations List", m_workspace->balancer().board().displayText());
}

void TForm1::Button2Click() { run([this] { m_workspace->search(); }); }
void TForm1::BitBtn18Click() { run([this] { m_workspace->resetSearch(); }); }
void TForm1::OnClearSchList() { run([this] { m_workspace->clearFound(); }); }
void TForm1::OnSearchExamples() { run([this] { m_workspace->nextSearchExample(); }); }

void TForm1::PrintFoundList() {
  printList("Found Equations List", m_workspace->searcher().found().displayText());
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
  if (!rtf::ReadRtfFile(path, *into->document(), &error)) {
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
