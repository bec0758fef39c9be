// Conversion between the program's GBK byte strings and Qt's strings: the one place that does it.
#pragma once

#include <QString>
#include <string>
#include <string_view>

// GBK bytes to a QString. Used for every text of the layout and of the handlers.
QString decodeGbk(std::string_view gbk);

// A QString as GBK bytes. Characters that GBK cannot hold come out as '?'; callers that must not
// lose text check gbkCanEncode first or use the result-box encoding.
std::string encodeGbk(const QString& text);

// Whether every character of text has a GBK encoding.
bool gbkCanEncode(const QString& text);

// The number of bytes of text in GBK, or -1 if a character has none.
qsizetype gbkByteLength(const QString& text);

// The text of a multi-line box and its bytes. GB18030 is byte-identical to GBK on every GBK
// character but two, and encodes all of Unicode, so a user's text survives the round trip
// whatever it holds. The two are GBK's one-byte 0x80 (the euro sign) and 0xFF, which GB18030
// lacks: both ways they are taken as in GBK, so that GBK text reads back byte for byte whoever
// typed it. Lines are separated by CR LF in the bytes and by '\n'
// in the QString.
QString decodeBoxText(std::string_view bytes);
std::string encodeBoxText(const QString& text);

// Whether bytes decode as whole characters, with no sequence cut short at either end; a text
// that passes can be decoded on its own and joined to another such text.
bool isWholeBoxText(std::string_view bytes);
