// SPDX-License-Identifier: GPL-3.0-or-later
// Code pages: which one a run of 8-bit RTF text is in (document, font table, charsets) and its decoding to
// Unicode.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringView>

#include <map>
#include <optional>

namespace quorvex::rtf::detail {

// Windows' code page number for the Symbol font (\fcharset2 with a font named Symbol).
inline constexpr int kSymbolCodePage = 42;
// Any other \fcharset2 font (Wingdings and the like); not a Windows code page.
inline constexpr int kDingbatsCodePage = -2;

// Code page of an \fcharsetN value; 0 when the font uses the document's code page.
int CodePageForCharset(int charset);

// The cp1252 byte for a character at or above U+0080, if cp1252 has one.
std::optional<unsigned char> Cp1252Byte(char16_t c);

// Decodes runs of 8-bit text in a Windows code page, the Symbol font or a dingbat font.
// Code pages Qt cannot convert are read as cp1252. Each run is decoded on its own, so a
// truncated double-byte character becomes U+FFFD instead of swallowing later text.
class ByteDecoder {
 public:
  QString decode(int codePage, QByteArrayView bytes);

 private:
  QStringDecoder& decoderFor(int codePage);
  std::map<int, QStringDecoder> m_decoders;
};

// 8-bit text waiting to be decoded: bytes in one code page gather until text in another
// one comes or the text is needed, so that a double-byte character written as two \'hh
// escapes decodes whole.
class PendingBytes {
 public:
  bool isEmpty() const { return m_bytes.isEmpty(); }
  // Whether bytes in another code page than `codePage` wait: they must be taken first.
  bool holdsOtherThan(int codePage) const { return !m_bytes.isEmpty() && codePage != m_codePage; }
  void add(char byte, int codePage);
  // The bytes gathered, decoded; none wait afterwards.
  QString take();

 private:
  ByteDecoder m_decoder;
  QByteArray m_bytes;
  int m_codePage = 0;
};

struct Font {
  QString name;
  int codePage = 0;  // 0: the document's code page
};

// The fonts a document defines in its {\fonttbl}, read entry by entry, and the code page
// the text in each of them is in.
class FontTable {
 public:
  void setDocumentCodePage(int codePage) { m_docCodePage = codePage; }
  void setDefaultFont(int id) { m_defaultFont = id; }

  // \fN in the font table: an entry starts; call finishEntry for the one before it first.
  void startEntry(int id);
  void setEntryCharset(int charset) { m_entryCharset = charset; }
  void setEntryCodePage(int codePage) { m_entryCodePage = codePage; }
  void appendToEntryName(QStringView text);
  // Adds the open entry, if any, to the table. False when the table is full and the entry
  // is dropped; its text is then shown in the default font.
  bool finishEntry();

  // The font with the id; a negative id is the document's default font. nullptr if none.
  const Font* font(int id) const;
  // The code page of text in the font with the id.
  int codePageOf(int fontId) const;
  // The code page of the name in the entry being read: never a symbol font's own.
  int entryNameCodePage() const;

 private:
  int entryCodePage() const;

  int m_docCodePage = 1252;
  int m_defaultFont = 0;
  std::map<int, Font> m_fonts;
  bool m_entryOpen = false;
  int m_entryId = 0;
  int m_entryCharset = -1;
  int m_entryCodePage = 0;
  QString m_entryName;
};

}  // namespace quorvex::rtf::detail
