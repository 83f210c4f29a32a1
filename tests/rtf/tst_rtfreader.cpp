// SPDX-License-Identifier: GPL-3.0-or-later
// The RTF reader on hand-made input: text, code pages, destinations, formats, lists,
// and input that is malformed or not RTF at all.
#include <sys/stat.h>

#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include "rtf/rtfreader.h"
#include "tests/rtf/rtftestsupport.h"

using namespace quorvex::rtf;

namespace {

// A document with the font and colour tables the rows refer to.
QByteArray Rtf(const char* body) {
  return QByteArray(
             R"rtf({\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Arial;}{\f1\froman Times;})rtf"
             R"rtf({\f2\fcharset2 Symbol;}{\f3\fcharset2 Wingdings;}{\f4\fcharset161 Arial Greek;})rtf"
             R"rtf({\f5\fcharset204 Arial Cyr;}{\f6\fcharset128 MS Mincho;}{\f7\fcharset134 SimSun;})rtf"
             R"rtf({\f8\fcharset1 Default;}}{\colortbl;\red255\green0\blue0;\red255\green255\blue0;})rtf") +
         body + '}';
}

template <std::size_t N>
QByteArray Bytes(const char (&text)[N]) {  // keeps embedded NULs
  return QByteArray(text, N - 1);
}

QString FormatAt(const QTextDocument& doc, const QString& probe) {
  const qsizetype at = doc.toPlainText().indexOf(probe);
  if (at < 0) return QStringLiteral("<%1 not found>").arg(probe);
  QTextCursor cursor(const_cast<QTextDocument*>(&doc));
  cursor.setPosition(static_cast<int>(at) + 1);
  return test::DescribeChar(cursor.charFormat(), doc);
}

QTextBlock BlockWith(const QTextDocument& doc, const QString& probe) {
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
    if (b.text().contains(probe)) return b;
  return {};
}

}  // namespace

class RtfReaderTest : public QObject {
  Q_OBJECT

 private slots:
  void plainText_data();
  void plainText();
  void tables_data();
  void tables();
  void malformed_data();
  void malformed();
  void notRtf_data();
  void notRtf();
  void charFormat_data();
  void charFormat();
  void blockFormat_data();
  void blockFormat();
  void listGrouping_data();
  void listGrouping();
  void lost_data();
  void lost();
  void longWordWrapsAtWordBoundaries_data();
  void longWordWrapsAtWordBoundaries();
  void replacesContent();
  void readFile();
};

void RtfReaderTest::plainText_data() {
  QTest::addColumn<QByteArray>("input");
  QTest::addColumn<QString>("expected");
  const auto row = [](const char* name, const QByteArray& input, const QString& expected) {
    QTest::newRow(name) << input << expected;
  };
  row("paragraphs", Rtf(R"(\pard one\par two\par)"), "one\ntwo");
  row("final par makes no empty paragraph", Rtf(R"(text\par)"), "text");
  row("empty paragraphs are kept", Rtf(R"(a\par\par b\par\par)"), "a\n\nb\n");
  row("last paragraph without par", Rtf(R"(a\par b)"), "a\nb");
  row("line break and tab", Rtf(R"(a\line b\tab c)"), "a\nb\tc");
  row("page and section breaks end paragraphs", Rtf(R"(a\page b\sect c)"), "a\nb\nc");
  row("backslash before a line feed is a paragraph", Rtf("a\\\nb"), "a\nb");
  row("raw line ends are not text", Rtf("a\r\nb\nc"), "abc");
  row("one space after a control word is eaten", Rtf(R"(\b  two)"), " two");
  row("escaped specials", Rtf(R"(\\ \{ \})"), "\\ { }");
  row("no-break space, no-break and optional hyphens", Rtf(R"(a\~b\_c\-d)"), "a b\u2011cd");
  row("typographic words", Rtf(R"(\emdash\endash\lquote\rquote\ldblquote\rdblquote\bullet)"),
      "\u2014\u2013\u2018\u2019\u201c\u201d\u2022");
  row("cp1252 escapes", Rtf(R"(caf\'e9 \'80 \'93q\'94)"), "caf\u00e9 \u20ac \u201cq\u201d");
  row("ansicpg decides without a font", R"({\rtf1\ansi\ansicpg1253 \'e1\'e2})", "\u03b1\u03b2");
  row("fcharset161 Greek font", Rtf(R"(\f4 \'e1\'e2\f0 \'e1)"), "\u03b1\u03b2\u00e1");
  row("fcharset204 Cyrillic font", Rtf(R"(\f5 \'d5\'e8\'ec\'e8\'ff)"), "\u0425\u0438\u043c\u0438\u044f");
  row("fcharset1 takes the document code page",
      R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset1 X;}{\f1\fcharset0 Y;}}\f0\'e9\f1\'e9})",
      "\u0439\u00e9");
  row("Shift-JIS double bytes", Rtf(R"(\f6 \'82\'a0\'93\'fa)"), "\u3042\u65e5");
  row("GBK double bytes", Rtf(R"(\f7 \'cb\'ae)"), "\u6c34");
  row("cut double-byte character", Rtf(R"(\f6 \'82\f0 x)"), "\ufffdx");
  row("Symbol font", Rtf(R"(\f2 a\'b7\'ae)"), "\u03b1\u2022\u2192");
  row("Wingdings bullet", Rtf(R"(\f3\'a7)"), "\u25aa");
  row("unicode with fallback", Rtf(R"(\u945?\u946?)"), "\u03b1\u03b2");
  row("negative unicode", Rtf(R"(\u-1280?\u-4063?)"), "\ufb00\uf021");
  row("surrogate pair", Rtf(R"(\u-10179?\u-8704?)"), "\U0001F600");
  row("lone surrogate", Rtf(R"(\u55357?x\u56832?)"), "\ufffdx\ufffd");
  row("uc0: no fallback", Rtf(R"(\uc0\u945\u946 x)"), "\u03b1\u03b2x");
  row("uc2: two escapes of fallback", Rtf(R"(\uc2\u27700\'cb\'ae!)"), "\u6c34!");
  row("uc1 fallback is an escape", Rtf(R"(\u233\'e9x)"), "\u00e9x");
  row("uc belongs to its group", Rtf(R"({\uc2\u945 ab}\u946 cd)"), "\u03b1\u03b2d");
  row("fallback stops at a group end", Rtf(R"({\uc3\u945 a}b)"), "\u03b1b");
  row("NUL after the last brace", Bytes("{\\rtf1 text\\par}\0garbage{\\b x}"), "text");
  row("star before a style word keeps the text", Rtf(R"({\i0\*\cs7 The quick brown fox}\par)"),
      "The quick brown fox");
  row("star inside a run skips one word", Rtf(R"({The quick \*\cs7 brown \*\unknownword fox})"),
      "The quick brown fox");
  row("starred style opening a group", Rtf(R"({\*\cs7 fox})"), "fox");
  row("Mac Japanese code page",
      "{\\rtf1\\mac\\ansicpg10001{\\fonttbl{\\f0\\fcharset78 Osaka;}}\\f0 \\'82\\'a0\\'93\\'fa}",
      "\u3042\u65e5");
  row("Mac Cyrillic font", Rtf(R"({\fonttbl{\f9\fcharset89 Mac Cyr;}}\f9 \'8c\'e8\'f0)"),
      "\u041c\u0438\u0440");
  row("Mac Roman document", "{\\rtf1\\mac \\'8e\\'a5}", "\u00e9\u2022");
  row("nonshppict skipped",
      Rtf(R"(a{\*\shppict{\pict\pngblip 89504e47}}{\nonshppict{\pict\wmetafile8 0100}}b)"), "ab");
  row("binN skips raw bytes", Rtf("a{\\pict\\bin6 }}}{{\\}b"), "ab");
  row("binN outside a picture", Rtf(R"(a\bin3 xyzb)"), "ab");
  row("info and stylesheet hold text", Rtf(R"({\info{\title T}{\author A}}{\stylesheet{\s0 Normal;}}x)"),
      "x");
  row("unknown starred destination", Rtf(R"({\*\foo bar}x)"), "x");
  row("unknown control words", Rtf(R"(\foo x\bar12 y\qux-3 z)"), "xyz");
  row("unknown group keeps its text", Rtf(R"({\foo bar})"), "bar");
  row("generator", Rtf(R"({\*\generator Msftedit 5.41;}x)"), "x");
  row("field result only", Rtf(R"({\field{\*\fldinst HYPERLINK "http://x"}{\fldrslt link}})"), "link");
  row("field without result", Rtf(R"({\field{\*\fldinst PAGE}}x)"), "x");
  row("pntext dropped", Rtf(R"({\pntext\f2\'b7\tab}{\*\pn\pnlvlblt\pnf2\pnindent0{\pntxtb\'b7}}item\par)"),
      "item");
  row("listtext dropped", Rtf(R"({\listtext 1.\tab}\ls1 item\par)"), "item");
  row("hidden text", Rtf(R"(a{\v hidden}b)"), "ab");
  row("upr gives its Unicode part", Rtf(R"({\upr{ansi}{\*\ud{\u945?}}})"), "\u03b1");
  row("literal tab character", Rtf("a\tb"), "a\tb");
  row("control characters",
      Rtf("a\x01\x1f"
          R"(\'0d\u0?b)"),
      "ab");
  row("paragraph separator as unicode", Rtf(R"(a\u8233?b)"), "a\nb");
  row("object and frame characters", Rtf(R"(a\u65532?\u-560?\u-559?b)"), "ab");
}

void RtfReaderTest::plainText() {
  QFETCH(QByteArray, input);
  QFETCH(QString, expected);
  QCOMPARE(test::ReadPlainText(input), expected);
}

// Tables as their text shows them: cells of a row joined by "|", a line a row.
void RtfReaderTest::tables_data() {
  QTest::addColumn<QByteArray>("input");
  QTest::addColumn<QString>("expected");
  const auto row = [](const char* name, const QByteArray& input, const QString& expected) {
    QTest::newRow(name) << input << expected;
  };
  row("cellx6803Text: digits end at a letter",
      Rtf(R"(\pard\intbl\trowd\cellx1000\cellx6803Text\cell More\cell\row)"), "\nText|More\n");
  row("table rows end paragraphs",
      Rtf(R"(\trowd\cellx1000\cellx2000\pard\intbl A\cell B\cell\row)"
          R"(\trowd\cellx1000\cellx2000\pard\intbl C\cell D\cell\row\pard after\par)"),
      "\nA|B\nC|D\nafter");
  row("empty cells keep their place", Rtf(R"(\pard\intbl\cell B\cell\cell\row)"), "\n|B|\n");
  row("paragraph mark before cell end leaves an empty paragraph",
      Rtf(R"({\pard\intbl A\par}\cell{\pard\intbl B\par}\cell\intbl\row)"), "\nA\n|B\n\n");
  row("paragraphs in a cell", Rtf(R"(x\par\trowd\cellx900\pard\intbl a\par b\cell c\cell\row\pard y)"),
      "x\na\nb|c\ny");
  row("a wider row widens the rows before",
      Rtf(R"(\trowd\cellx900\intbl a\cell\row\trowd\cellx300\cellx900\intbl b\cell c\cell\row\pard z)"),
      "\na\nb|c\nz");
  row("the cell after a spanning cell takes the column after the span",
      Rtf(R"(\trowd\cellx1000\cellx2000\cellx3000\intbl A\cell B\cell C\cell\row)"
          R"(\trowd\cellx2000\intbl D\cell E\cell\row\pard z)"),
      "\nA|B|C\nD|E\nz");
  row("rows made ahead of need are dropped",
      Rtf(R"(\trowd\cellx900\intbl a\cell\row\intbl b\cell\row\intbl c\cell\row\pard x\par)"
          R"(\trowd\cellx900\intbl d\cell\row\intbl e\cell\row\intbl f\cell\row{\*\x\row\row\row\row})"),
      "\na\nb\nc\nx\nd\ne\nf\n");
}

void RtfReaderTest::tables() {
  QFETCH(QByteArray, input);
  QFETCH(QString, expected);
  QCOMPARE(test::ReadPlainText(input), expected);
}

void RtfReaderTest::malformed_data() {
  QTest::addColumn<QByteArray>("input");
  QTest::addColumn<QString>("expected");
  const QByteArray deep =
      QByteArray("{\\rtf1") + QByteArray(100000, '{') + "x" + QByteArray(100000, '}') + "}";
  QTest::newRow("deep nesting") << deep << "x";
  QTest::newRow("deep nesting never closed")
      << QByteArray("{\\rtf1") + QByteArray("{\\b ").repeated(50000) + "x"
      << "x";
  QTest::newRow("missing closing braces") << QByteArray(R"({\rtf1 {\b bold {\i deeper)") << "bold deeper";
  QTest::newRow("extra closing braces") << QByteArray(R"({\rtf1 a}}}} b)") << "a";
  QTest::newRow("truncated control word") << QByteArray(R"({\rtf1 a\)") << "a";
  QTest::newRow("truncated hex escape") << QByteArray(R"({\rtf1 a\'4)") << "a";
  QTest::newRow("bad hex escape") << QByteArray(R"({\rtf1 a\'zzb})") << "azzb";
  QTest::newRow("huge numbers")
      << QByteArray(R"({\rtf1\ansicpg99999999999999\fs99999999999999999999 \li-99999999999999 )"
                    R"(\cf4294967296 \f12345678901234567890 \tx99999999999 \ls-99999999999 a\par})")
      << "a";
  QTest::newRow("huge unicode") << QByteArray(R"({\rtf1 \u99999999999?\u-99999999999?x})") << "\ufffd\ufffdx";
  QTest::newRow("huge uc") << QByteArray(R"({\rtf1{\uc99999999999\u945 abc}d})") << "\u03b1d";
  QTest::newRow("huge bin") << QByteArray(R"({\rtf1 a\bin99999999999 bcd})") << "a";
  QTest::newRow("negative bin") << QByteArray(R"({\rtf1 \bin-5 x})") << "x";
  QTest::newRow("long control word") << QByteArray("{\\rtf1 \\") + QByteArray(1000, 'a') + " x}"
                                     << "x";
  QTest::newRow("star at the end") << QByteArray(R"({\rtf1 a{\*)") << "a";
  QTest::newRow("NUL in text") << Bytes("{\\rtf1 a\0b}") << "ab";
  QTest::newRow("font table never closed") << QByteArray(R"({\rtf1{\fonttbl{\f0 Arial)") << "";
  QTest::newRow("colours out of range")
      << QByteArray(R"({\rtf1{\colortbl;\red999\green-5\blue300;}\cf1 x\cf7 y})") << "xy";
  QTest::newRow("field parts outside a field") << QByteArray(R"({\rtf1{\fldrslt x}{\pntxtb y}z})") << "z";
  QTest::newRow("group depth beyond the limit keeps text")
      << QByteArray("{\\rtf1") + QByteArray("{\\b ").repeated(300) + "x" + QByteArray(300, '}') + "y}"
      << "xy";
  // `inner`, its first group nested at `depth` ({\rtf1 is at 1).
  const auto nested = [](int depth, const char* inner) {
    return QByteArray("{\\rtf1 kept ") + QByteArray(depth - 2, '{') + inner + QByteArray(depth - 2, '}') +
           " after}";
  };
  QTest::newRow("destination in the deepest group kept whole")
      << nested(256, R"({\*\generator Writer}nested)") << "kept nested after";
  QTest::newRow("destination in the first group past the depth limit")
      << nested(257, R"({\*\generator Writer}nested)") << "kept nested after";
  QTest::newRow("unknown destination beyond the depth limit")
      << nested(300, R"({\*\foo bar}nested)") << "kept nested after";
  QTest::newRow("field beyond the depth limit")
      << nested(300, R"({\field{\*\fldinst HYPERLINK "u"}{\fldrslt link}}nested)") << "kept linknested after";
}

void RtfReaderTest::malformed() {
  QFETCH(QByteArray, input);
  QFETCH(QString, expected);
  QCOMPARE(test::ReadPlainText(input), expected);
}

void RtfReaderTest::notRtf_data() {
  QTest::addColumn<QByteArray>("input");
  QTest::addColumn<bool>("accepted");
  QTest::newRow("empty") << QByteArray() << false;
  QTest::newRow("plain text") << QByteArray("hello {\\rtf1}") << false;
  QTest::newRow("html") << QByteArray("<html><body>x</body></html>") << false;
  QTest::newRow("cut header") << QByteArray("{\\rt") << false;
  QTest::newRow("leading whitespace") << QByteArray(" \r\n\t{\\rtf1 a}") << true;
  QTest::newRow("UTF-8 byte order mark") << QByteArray("\xEF\xBB\xBF{\\rtf1 a}") << true;
}

void RtfReaderTest::notRtf() {
  QFETCH(QByteArray, input);
  QFETCH(bool, accepted);
  QTextDocument doc;
  doc.setPlainText(QStringLiteral("before"));
  QString error;
  QCOMPARE(ReadRtf(input, doc, &error), accepted);
  QCOMPARE(LooksLikeRtf(input), accepted);
  QCOMPARE(error.isEmpty(), accepted);
  QCOMPARE(doc.toPlainText(), accepted ? QStringLiteral("a") : QStringLiteral("before"));
}

void RtfReaderTest::charFormat_data() {
  QTest::addColumn<QByteArray>("input");
  QTest::addColumn<QString>("probe");
  QTest::addColumn<QString>("expected");
  const auto row = [](const char* name, const char* body, const char* probe, const char* expected) {
    QTest::newRow(name) << Rtf(body) << QString::fromUtf8(probe) << QString::fromUtf8(expected);
  };
  row("defaults", "x", "x", "Arial 12pt");
  row("bold on", R"(\b x\b0 y)", "x", "Arial 12pt b");
  row("bold off", R"(\b x\b0 y)", "y", "Arial 12pt");
  row("italic", R"(\i x)", "x", "Arial 12pt i");
  row("underline", R"(\ul x\ulnone y)", "x", "Arial 12pt ul1");
  row("underline off", R"(\ul x\ulnone y)", "y", "Arial 12pt");
  row("dotted underline", R"(\uld x)", "x", "Arial 12pt ul3");
  row("wave underline", R"(\ulwave x)", "x", "Arial 12pt ul6");
  row("underline colour alone", R"(\ulc1 x)", "x", "Arial 12pt");
  row("strike", R"(\strike x\strike0 y)", "x", "Arial 12pt strike");
  row("subscript", R"(CO{\sub 2})", "2", "Arial 12pt sub");
  row("superscript", R"(x\super 2\nosupersub y)", "2", "Arial 12pt super");
  row("nosupersub", R"(x\super 2\nosupersub y)", "y", "Arial 12pt");
  row("dn as subscript", R"(H\dn2 2\dn0 O)", "2", "Arial 12pt sub");
  row("up as superscript", R"(x\up8 2\up0 y)", "2", "Arial 12pt super");
  row("up0 ends it", R"(x\up8 2\up0 y)", "y", "Arial 12pt");
  row("font and size", R"(\f1\fs21 x)", "x", "Times 10.5pt");
  row("unknown font", R"(\f99 x)", "x", "Sans Serif 12pt");
  row("colour", R"(\cf1 x)", "x", "Arial 12pt fg=#ff0000");
  row("cf0 is automatic", R"(\cf1\cf0 x)", "x", "Arial 12pt");
  row("highlight", R"(\highlight2 x)", "x", "Arial 12pt bg=#ffff00");
  row("chcbpat", R"(\chcbpat2 x)", "x", "Arial 12pt bg=#ffff00");
  row("cb", R"(\cb2 x)", "x", "Arial 12pt bg=#ffff00");
  row("plain resets", R"(\f1\fs40\b\i\ul\strike\sub\cf1\highlight2\plain x)", "x", "Arial 12pt");
  row("group end restores", R"({\b\f1 a}x)", "x", "Arial 12pt");
  row("hyperlink", R"({\field{\*\fldinst{HYPERLINK "http://e.org/a b"}}{\fldrslt{\ul link}}})", "link",
      "Arial 12pt ul1 href=http://e.org/a b");
  row("hyperlink to a bookmark", R"({\field{\*\fldinst HYPERLINK \\l "sec" \\o "tip"}{\fldrslt link}})",
      "link", "Arial 12pt href=#sec");
  row("hyperlink escapes", R"({\field{\*\fldinst HYPERLINK "a\\\\b\\"c"}{\fldrslt link}})", "link",
      "Arial 12pt href=a\\b\"c");
  row("no link after the field", R"({\field{\*\fldinst HYPERLINK "u"}{\fldrslt a}}x)", "x", "Arial 12pt");
}

void RtfReaderTest::charFormat() {
  QFETCH(QByteArray, input);
  QFETCH(QString, probe);
  QFETCH(QString, expected);
  QTextDocument doc;
  QVERIFY(ReadRtf(input, doc));
  QCOMPARE(FormatAt(doc, probe), expected);
}

void RtfReaderTest::blockFormat_data() {
  QTest::addColumn<QByteArray>("input");
  QTest::addColumn<QString>("probe");
  QTest::addColumn<QString>("expected");
  const auto row = [](const char* name, const char* body, const char* probe, const char* expected) {
    QTest::newRow(name) << Rtf(body) << QString::fromUtf8(probe) << QString::fromUtf8(expected);
  };
  const char* plain = "left left=0 right=0 top=0 bottom=0 first=0";
  row("defaults", "x", "x", plain);
  row("centre", R"(\qc x\par)", "x", "center left=0 right=0 top=0 bottom=0 first=0");
  row("right", R"(\qr x\par)", "x", "right left=0 right=0 top=0 bottom=0 first=0");
  row("justify", R"(\qj x\par)", "x", "justify left=0 right=0 top=0 bottom=0 first=0");
  row("indents in twips", R"(\li1440\ri720\fi-360 x\par)", "x",
      "left left=96 right=48 top=0 bottom=0 first=-24");
  row("lin and rin", R"(\lin300\rin150 x\par)", "x", "left left=20 right=10 top=0 bottom=0 first=0");
  row("spacing", R"(\sb240\sa120 x\par)", "x", "left left=0 right=0 top=16 bottom=8 first=0");
  row("heading", R"(\outlinelevel1 x\par)", "x", "left left=0 right=0 top=0 bottom=0 h2 first=0");
  row("tab stops", R"(\tx720\tqr\tx2880\tqc\tx3000 x\par)", "x",
      "left left=0 right=0 top=0 bottom=0 tab0@48 tab1@192 tab2@200 first=0");
  row("pard resets", R"(\qc\li720 a\par\pard b\par)", "b", plain);
  row("properties at the paragraph mark count", R"(a\qc\par)", "a",
      "center left=0 right=0 top=0 bottom=0 first=0");
  row("paragraph inside a group", R"({\pard\qc a\par}b\par)", "b", plain);
  row("WordPad bullet",
      R"(\pard{\pntext\f2\'b7\tab}{\*\pn\pnlvlblt\pnf2\pnindent0{\pntxtb\'b7}}\fi-360\li720 item\par)",
      "item", "left left=0 right=0 top=0 bottom=0 list-1/1");
  row("WordPad numbers",
      R"({\pntext\f0 1.\tab}{\*\pn\pnlvlbody\pnf0\pnindent0\pnstart1\pndec{\pntxta .}}\fi-360\li720 item\par)",
      "item", "left left=0 right=0 top=0 bottom=0 list-4/1 \"|.\"");
  row("pn letters in parentheses", R"({\*\pn\pnlvlbody\pnlcltr{\pntxtb (}{\pntxta )}}\li1440 item\par)",
      "item", "left left=0 right=0 top=0 bottom=0 list-5/2 \"(|)\"");
  row("pn level", R"({\*\pn\pnlvl3\pnucrm{\pntxta .}}\li360 item\par)", "item",
      "left left=0 right=0 top=0 bottom=0 list-8/3 \"|.\"");
  row("listtext bullet, second level", R"({\listtext\f2\'b7\tab}\ls1\ilvl1\li1440\fi-360 item\par)", "item",
      "left left=0 right=0 top=0 bottom=0 list-1/2");
  row("listtext number", R"({\listtext 3)\tab}\ls2 item\par)", "item",
      "left left=0 right=0 top=0 bottom=0 list-4/1 \"|)\"");
  row("listtext roman", R"({\listtext iv.\tab}\ls2 item\par)", "item",
      "left left=0 right=0 top=0 bottom=0 list-7/1 \"|.\"");
  row("listtext letter", R"({\listtext B.\tab}\ls2 item\par)", "item",
      "left left=0 right=0 top=0 bottom=0 list-6/1 \"|.\"");
  row("listtext circle", R"({\listtext o\tab}\ls2 item\par)", "item",
      "left left=0 right=0 top=0 bottom=0 list-2/1");
  row("listtext Wingdings square", R"({\listtext\f3\'a7\tab}\ls2 item\par)", "item",
      "left left=0 right=0 top=0 bottom=0 list-3/1");
  row("list margin beyond its level", R"({\listtext 1.\tab}\ls2\li1020 item\par)", "item",
      "left left=20 right=0 top=0 bottom=0 list-4/1 \"|.\"");
}

void RtfReaderTest::blockFormat() {
  QFETCH(QByteArray, input);
  QFETCH(QString, probe);
  QFETCH(QString, expected);
  QTextDocument doc;
  QVERIFY(ReadRtf(input, doc));
  const QTextBlock block = BlockWith(doc, probe);
  QVERIFY(block.isValid());
  QCOMPARE(test::DescribeBlock(block, doc), expected);
}

void RtfReaderTest::listGrouping_data() {
  QTest::addColumn<QByteArray>("input");
  QTest::addColumn<QString>("expected");  // per paragraph: the list it is in, counted from 1, or "-"
  const char* bullet = R"({\*\pn\pnlvlblt\pnf2{\pntxtb\'b7}}\li720 )";
  const char* number = R"({\*\pn\pnlvlbody\pndec{\pntxta .}}\li720 )";
  QTest::newRow("WordPad items share a list")
      << Rtf(QByteArray("\\pard").append(bullet).append("a\\par\\pard").append(bullet).append("b\\par"))
      << "1 1";
  QTest::newRow("a plain paragraph ends WordPad numbering") << Rtf(QByteArray("\\pard")
                                                                       .append(number)
                                                                       .append("a\\par\\pard x\\par\\pard")
                                                                       .append(number)
                                                                       .append("b\\par"))
                                                            << "1 - 2";
  QTest::newRow("another style starts another list")
      << Rtf(QByteArray("\\pard").append(bullet).append("a\\par\\pard").append(number).append("b\\par"))
      << "1 2";
  QTest::newRow("ls lists continue across paragraphs")
      << Rtf(R"({\listtext 1.\tab}\ls1 a\par\pard x\par{\listtext 2.\tab}\ls1 b\par\pard\ls2 c\par)")
      << "1 - 1 2";
  QTest::newRow("ls levels are lists of their own")
      << Rtf(R"(\ls1 a\par\pard\ls1\ilvl1 b\par\pard\ls1 c\par)") << "1 2 1";
}

void RtfReaderTest::listGrouping() {
  QFETCH(QByteArray, input);
  QFETCH(QString, expected);
  QTextDocument doc;
  QVERIFY(ReadRtf(input, doc));
  QList<const QTextList*> lists;
  QStringList seen;
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    const QTextList* list = b.textList();
    if (list && !lists.contains(list)) lists << list;
    seen << (list ? QString::number(lists.indexOf(list) + 1) : QStringLiteral("-"));
  }
  QCOMPARE(seen.join(u' '), expected);
}

void RtfReaderTest::replacesContent() {
  QTextDocument doc;
  QTextCursor(&doc).insertText(QStringLiteral("old text"));
  QVERIFY(doc.isUndoAvailable());
  QVERIFY(ReadRtf(Rtf(R"(new\par)"), doc));
  QCOMPARE(doc.toPlainText(), QStringLiteral("new"));
  QVERIFY(!doc.isModified());
  QVERIFY(!doc.isUndoAvailable());
  QVERIFY(doc.isUndoRedoEnabled());
}

QByteArray ManyFonts(int fonts) {
  QByteArray table = "{\\rtf1{\\fonttbl";
  for (int i = 0; i < fonts; ++i)
    table += "{\\f" + QByteArray::number(i) + " F" + QByteArray::number(i) + ";}";
  return table + "}\\f" + QByteArray::number(fonts - 1) + " x}";
}

void RtfReaderTest::lost_data() {
  QTest::addColumn<QByteArray>("input");
  QTest::addColumn<QStringList>("expected");
  QTest::newRow("metadata, styles and fallbacks")
      << Rtf(R"({\info{\title T}}{\stylesheet{\s0 Normal;}}{\*\generator G;}{\pntext x}a{\*\cs7 b})")
      << QStringList{};
  QTest::newRow("picture and its fallback")
      << Rtf(R"(a{\*\shppict{\pict\pngblip 89}}{\nonshppict{\pict 01}})") << QStringList{"pictures"};
  QTest::newRow("object") << Rtf(R"({\object{\*\objdata 01}{\result x}})") << QStringList{"objects"};
  QTest::newRow("header and footnote")
      << Rtf(R"({\header h}a{\footnote n})") << QStringList{"headers or footers", "footnotes"};
  QTest::newRow("field")
      << Rtf(R"({\field{\*\fldinst PAGE}{\fldrslt 3}}{\field{\*\fldinst HYPERLINK "x"}{\fldrslt x}})")
      << QStringList{"fields other than links (only their text is kept)"};
  QTest::newRow("hidden text") << Rtf(R"(a{\v secret})") << QStringList{"hidden text"};
  QTest::newRow("unknown destination") << Rtf(R"(a{\*\newthing b})") << QStringList{"parts of unknown kind"};
  QTest::newRow("unknown destination with a group")
      << Rtf(R"(a{\*\newthing{\x1}})") << QStringList{"parts of unknown kind"};
  QTest::newRow("starred property without text")
      << Rtf(R"(a{\*\pgdscno0}{\*\updnprop5802;})") << QStringList{};
  QTest::newRow("4096 fonts") << ManyFonts(4096) << QStringList{};
  QTest::newRow("4097 fonts") << ManyFonts(4097) << QStringList{"fonts past the 4096th"};
  QTest::newRow("NUL and line ends after the end")
      << QByteArrayLiteral("{\\rtf1 a}\0\r\n \t") << QStringList{};
  QTest::newRow("second document after the end")
      << QByteArray("{\\rtf1 a}\r\n{\\rtf1 b}") << QStringList{"text after the document's end"};
}

void RtfReaderTest::lost() {
  QFETCH(QByteArray, input);
  QFETCH(QStringList, expected);
  QTextDocument doc;
  QStringList lost{QStringLiteral("stale")};
  QVERIFY(ReadRtf(input, doc, nullptr, &lost));
  QCOMPARE(lost, expected);
}

void RtfReaderTest::longWordWrapsAtWordBoundaries_data() {
  QTest::addColumn<int>("length");
  QTest::addColumn<int>("wrap");
  QTest::newRow("1000 letters") << 1000 << int{QTextOption::WrapAtWordBoundaryOrAnywhere};
  QTest::newRow("1001 letters") << 1001 << int{QTextOption::WordWrap};
}

void RtfReaderTest::longWordWrapsAtWordBoundaries() {
  QFETCH(int, length);
  QFETCH(int, wrap);
  QTextDocument doc;
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  doc.setDefaultTextOption(option);
  QVERIFY(ReadRtf(Rtf(("a b " + QByteArray(length, 'x') + " c").constData()), doc));
  QCOMPARE(int{doc.defaultTextOption().wrapMode()}, wrap);
}

void RtfReaderTest::readFile() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  QTextDocument doc;
  QString error;
  QVERIFY(!ReadRtfFile(dir.filePath(QStringLiteral("missing.rtf")), doc, &error));
  QVERIFY2(error.contains(QStringLiteral("No such file")), qPrintable(error));

  QFile file(dir.filePath(QStringLiteral("help.rtf")));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(Rtf(R"(Help\par)"));
  file.close();
  QVERIFY(ReadRtfFile(file.fileName(), doc, &error));
  QCOMPARE(doc.toPlainText(), QStringLiteral("Help"));

  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("plain words");
  file.close();
  QVERIFY(!ReadRtfFile(file.fileName(), doc, &error));
  QVERIFY2(error.contains(QStringLiteral("not RTF")), qPrintable(error));

  // A FIFO with no writer is refused at once rather than waited on, and a device is not read.
  const QString fifo = dir.filePath(QStringLiteral("report.rtf"));
  QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  for (const QString& path : {fifo, QStringLiteral("/dev/zero")}) {
    QVERIFY(!ReadRtfFile(path, doc, &error));
    QVERIFY2(error.contains(QStringLiteral("not a regular file")), qPrintable(error));
  }
}

QTEST_MAIN(RtfReaderTest)
#include "tst_rtfreader.moc"
