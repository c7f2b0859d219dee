#pragma once
// The bytes of an HTML file turned into text: a byte-order mark decides first, then a
// <meta charset> or <meta http-equiv="Content-Type"> near the top; a page that says
// nothing is read in the Romanian Windows code page (1250), as the product's pages are.
#include <string>
#include <string_view>

namespace corvan::html {

enum class Charset : unsigned char { Utf8, Utf16Le, Utf16Be, Windows1250, Windows1252, Iso8859_2, Iso8859_16 };

// The character set a label names (as in <meta charset="...">, any case, blanks around);
// false when it names none we read.
bool CharsetFromLabel(std::string_view label, Charset& charset);

// The character set of a file: its byte-order mark, else the first <meta> naming one
// within the first 2048 bytes, else Windows-1250. A <meta> naming UTF-16 means UTF-8
// (the page could not have been read to find it otherwise).
Charset DetectCharset(std::string_view bytes);

// The text of the bytes in that character set (a byte-order mark is dropped). Bytes that
// are not valid UTF-8 become U+FFFD; characters beyond U+FFFF take two units where
// wchar_t has 16 bits.
std::wstring DecodeBytes(std::string_view bytes, Charset charset);

// DetectCharset and DecodeBytes in one.
std::wstring DecodeHtmlFile(std::string_view bytes);

// Appends one code point (a surrogate pair where wchar_t has 16 bits; U+FFFD for
// surrogates and values beyond U+10FFFF).
void AppendCodePoint(std::wstring& out, char32_t cp);

}  // namespace corvan::html
