// Bytes of the Windows single-byte code pages that RTF documents name (\ansicpg, \fcharset).
// Tables exist for 874, 1250, 1251, 1253 to 1258; any other code page (the double-byte ones
// included) is read as Windows-1252.
#pragma once

namespace vorbix {

// The code page of a font's \fcharset; DEFAULT_CHARSET (1), symbol fonts and unknown character
// sets use the document's code page.
int codePageOfCharset(int charset, int documentCodePage);

// The character of `byte` in `codePage`; a byte the code page leaves undefined stands for the
// character of the same number.
char32_t codePageByteToChar(int codePage, unsigned char byte);

}  // namespace vorbix
