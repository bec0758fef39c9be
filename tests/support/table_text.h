// Lookups that the tests share: a text among a word table's rows, the lines of a box's bytes.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "generators/word_tables.h"

// Whether text stands in some row of table.
inline bool inTable(const WordTable& table, std::string_view text) {
    return std::find(table.begin(), table.end(), text) != table.end();
}

// Lines of a box's bytes, each without its CR LF; a last line without CR LF is kept.
inline std::vector<std::string> linesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", from);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(from));
            break;
        }
        lines.push_back(bytes.substr(from, end - from));
        from = end + 2;
    }
    return lines;
}
