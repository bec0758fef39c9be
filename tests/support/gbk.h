// Test-side conversion between UTF-8 literals and GBK bytes, independent of the program's own.
#pragma once

#include <string>
#include <string_view>

// Converts with the C library's iconv; a character that the target cannot hold fails the test.
std::string utf8ToGbk(std::string_view utf8);
std::string gbkToUtf8(std::string_view gbk);

// "C8 CB" for the bytes of 人: two upper-case hex digits per byte, separated by blanks.
std::string hexBytes(std::string_view bytes);
