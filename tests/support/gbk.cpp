// Test-side GBK conversion over iconv.
#include "gbk.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <cstdio>

namespace {

std::string convert(std::string_view input, const char* from, const char* to) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "iconv_open " << from << " -> " << to;
        return {};
    }
    std::string output(input.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    if (iconv(cd, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
        ADD_FAILURE() << "iconv " << from << " -> " << to << " failed on " << hexBytes(input);
    }
    iconv_close(cd);
    output.resize(output.size() - outLeft);
    return output;
}

}  // namespace

std::string utf8ToGbk(std::string_view utf8) { return convert(utf8, "UTF-8", "GBK"); }
std::string gbkToUtf8(std::string_view gbk) { return convert(gbk, "GBK", "UTF-8"); }

std::string hexBytes(std::string_view bytes) {
    std::string hex;
    for (const unsigned char byte : bytes) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X", byte);
        if (!hex.empty()) {
            hex += ' ';
        }
        hex += digits;
    }
    return hex;
}
