#include <gtest/gtest.h>
#include <windows.h>

#include "services/text_codec.h"
#include "services/win32_text.h"

namespace pellwise {
namespace {

// What Windows itself makes of one windows-1251 byte: decoded with that code
// page, cased by CharUpperBuffW / CharLowerBuffW and encoded back; a letter
// whose other case has no windows-1251 byte stays as it was.
char WindowsCase(char c, bool upper) {
    wchar_t wide = 0;
    if (MultiByteToWideChar(1251, MB_ERR_INVALID_CHARS, &c, 1, &wide, 1) != 1) return c;
    if (upper) {
        CharUpperBuffW(&wide, 1);
    } else {
        CharLowerBuffW(&wide, 1);
    }
    char back = 0;
    BOOL lossy = FALSE;
    if (WideCharToMultiByte(1251, WC_NO_BEST_FIT_CHARS, &wide, 1, &back, 1, nullptr, &lossy) != 1 || lossy) return c;
    return back;
}

TEST(TextCodecOnWindows, CaseMappingGivesWhatWindowsGivesForEveryByte) {
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        EXPECT_EQ(UpperCase1251(c), WindowsCase(c, true)) << "byte " << b;
        EXPECT_EQ(LowerCase1251(c), WindowsCase(c, false)) << "byte " << b;
    }
}

// The program's own table decides, not the system's code page (Western under
// Wine here), and the system's conversion agrees with it byte for byte.
TEST(TextCodecOnWindows, TheProgramsTextsConvertByItsOwnTableWhateverTheSystem) {
    std::string every;
    for (int b = 1; b < 256; ++b)
        if (b != 0x98) every.push_back(static_cast<char>(b));  // the one byte windows-1251 leaves unassigned
    const std::wstring wide = WidenFrom(every, kCodePage1251);
    std::wstring system(every.size(), L'\0');
    MultiByteToWideChar(1251, 0, every.data(), static_cast<int>(every.size()), system.data(),
                        static_cast<int>(system.size()));
    EXPECT_EQ(wide, system);
    EXPECT_EQ(NarrowTo(wide, kCodePage1251), every);
    EXPECT_EQ(WidenFrom(Ru("Мафия"), kCodePage1251), L"\u041C\u0430\u0444\u0438\u044F");
}

}  // namespace
}  // namespace pellwise
