#include "services/text_codec.h"

#include <array>
#include <cstdint>

namespace pellwise {

namespace {

// Unicode code points of windows-1251 bytes 0x80..0xFF (0 where undefined).
constexpr std::array<char16_t, 128> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0000, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, 0x0410,
    0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D,
    0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A,
    0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444,
    0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

char16_t ToUnicode(uint8_t b) { return b < 0x80 ? b : kHighHalf[b - 0x80]; }

int FromUnicode(char32_t cp) {
    if (cp < 0x80) return static_cast<int>(cp);
    for (size_t i = 0; i < kHighHalf.size(); ++i)
        if (kHighHalf[i] == cp && cp != 0) return static_cast<int>(0x80 + i);
    return -1;
}

// Pairs of windows-1251 capitals and small letters outside the two regular
// ranges (A-Z and 0xC0-0xDF): the letters of the other Cyrillic alphabets.
constexpr std::array<std::array<uint8_t, 2>, 15> kCasePairs = {{
    {0x80, 0x90},
    {0x81, 0x83},
    {0x8A, 0x9A},
    {0x8C, 0x9C},
    {0x8D, 0x9D},
    {0x8E, 0x9E},
    {0x8F, 0x9F},
    {0xA1, 0xA2},
    {0xA3, 0xBC},
    {0xA5, 0xB4},
    {0xA8, 0xB8},
    {0xAA, 0xBA},
    {0xAF, 0xBF},
    {0xB2, 0xB3},
    {0xBD, 0xBE},
}};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at text[i]; a malformed byte decodes as U+FFFD
// and consumes one byte, so hostile input can never stall the loop.
char32_t DecodeUtf8(std::string_view text, size_t& i) {
    const auto b0 = static_cast<uint8_t>(text[i]);
    const int extra = (b0 >> 5) == 6 ? 1 : (b0 >> 4) == 14 ? 2 : (b0 >> 3) == 30 ? 3 : -1;
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    if (extra < 0 || i + static_cast<size_t>(extra) >= text.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t cp = b0 & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<uint8_t>(text[i + static_cast<size_t>(k)]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += static_cast<size_t>(extra) + 1;
    return cp;
}

}  // namespace

char UpperCase1251(char c) {
    const auto b = static_cast<uint8_t>(c);
    if ((b >= 'a' && b <= 'z') || b >= 0xE0) return static_cast<char>(b - 0x20);
    for (const auto& pair : kCasePairs)
        if (pair[1] == b) return static_cast<char>(pair[0]);
    return c;
}

char LowerCase1251(char c) {
    const auto b = static_cast<uint8_t>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDF)) return static_cast<char>(b + 0x20);
    for (const auto& pair : kCasePairs)
        if (pair[0] == b) return static_cast<char>(pair[1]);
    return c;
}

std::string UpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = UpperCase1251(c);
    return out;
}

std::string LowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = LowerCase1251(c);
    return out;
}

std::string Cp1251ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) {
        const char16_t u = ToUnicode(static_cast<uint8_t>(c));
        AppendUtf8(out, u == 0 && c != 0 ? U'?' : u);
    }
    return out;
}

std::string Utf8ToCp1251(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const int b = FromUnicode(DecodeUtf8(text, i));
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

std::u16string Cp1251ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char c : text) {
        const char16_t u = ToUnicode(static_cast<uint8_t>(c));
        out += u == 0 && c != 0 ? u'?' : u;
    }
    return out;
}

std::string Utf16ToCp1251(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char16_t u : text) {
        const int b = FromUnicode(u);
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

}  // namespace pellwise
