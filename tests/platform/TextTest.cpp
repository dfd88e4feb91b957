#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Text.h"

namespace {

// Expected bytes are those of the published Windows-1250 chart.
TEST(Text, ConvertsWindows1250ByteExactBothWays) {
    struct Case {
        const char* name;
        std::string utf8;
        std::string ansi;
    };
    const Case cases[] = {
        {"Czech pangram", "Příliš žluťoučký kůň úpěl ďábelské ódy",
         "P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2 \xFAp\xECl \xEF\xE1"
         "belsk\xE9 \xF3"
         "dy"},
        {"Czech pangram in capitals", "PŘÍLIŠ ŽLUŤOUČKÝ KŮŇ ÚPĚL ĎÁBELSKÉ ÓDY",
         "P\xD8\xCDLI\x8A \x8ELU\x8DOU\xC8K\xDD K\xD9\xD2 \xDAP\xCCL \xCF\xC1"
         "BELSK\xC9 \xD3"
         "DY"},
        {"punctuation in 0x80..0x9F", "„Ano“ – 100 € … ‰",
         "\x84"
         "Ano\x93 \x96 100 \x80 \x85 \x89"},
        {"other Central European letters", "Łódź Śląsk, Ťažký Ő Ű ˇ˘˙",
         "\xA3\xF3"
         "d\x9F \x8Cl\xB9sk, \x8D"
         "a\x9Ek\xFD \xD5 \xDB \xA1\xA2\xFF"},
        {"bytes the code page leaves undefined", "\u0081\u0083\u0088\u0090\u0098",
         "\x81\x83\x88\x90\x98"},
        {"ASCII with controls", std::string("a\0\r\n\x7F", 5), std::string("a\0\r\n\x7F", 5)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::ansiToUtf8(c.ansi), c.utf8) << c.name;
        EXPECT_EQ(platform::utf8ToAnsi(c.utf8), c.ansi) << c.name;
    }
}

TEST(Text, EveryByteSurvivesTheTripThroughUtf8) {
    for (int value = 0; value < 256; ++value) {
        const std::string byte(1, static_cast<char>(value));
        EXPECT_EQ(platform::utf8ToAnsi(platform::ansiToUtf8(byte)), byte)
            << "byte " << value << " should come back unchanged";
    }
}

TEST(Text, TextWithoutAWindows1250FormHasNone) {
    const struct {
        const char* name;
        std::string utf8;
    } cases[] = {
        {"Japanese", "日本語"},
        {"Czech followed by Japanese", "čá日"},
        {"Latin-1 letter missing from the code page", "ÿ"},
        {"C1 control whose byte holds the euro sign", "\u0080"},
        {"character beyond the BMP", "\U0001F600"},
        {"truncated sequence", "\xC4"},
        {"stray continuation byte", "a\x8A"},
        {"overlong slash", "\xC0\xAF"},
        {"UTF-16 surrogate", "\xED\xA0\x80"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80"},
        {"raw Windows-1250 byte", "\xE8"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::utf8ToAnsi(c.utf8), std::nullopt) << c.name;
    }
}

TEST(Text, ChangesLetterCaseOfLatinLetters) {
    const struct {
        const char* name;
        std::string lower;
        std::string upper;
    } cases[] = {
        {"ASCII and its neighbours", "az @[`{ 09", "AZ @[`{ 09"},
        {"Czech", "příliš žluťoučký kůň úpěl ďábelské ódy",
         "PŘÍLIŠ ŽLUŤOUČKÝ KŮŇ ÚPĚL ĎÁBELSKÉ ÓDY"},
        {"Polish, Slovak, Hungarian, Romanian", "łódź ąęśćńż ľĺŕ őű ţşă", "ŁÓDŹ ĄĘŚĆŃŻ ĽĹŔ ŐŰ ŢŞĂ"},
        {"Latin-1 letters", "àéîõøüýþ", "ÀÉÎÕØÜÝÞ"},
        {"y with diaeresis across blocks", "ÿ", "Ÿ"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::toUpper(c.lower), c.upper) << c.name;
        EXPECT_EQ(platform::toLower(c.upper), c.lower) << c.name;
    }
}

TEST(Text, LeavesCharactersWithoutASimplePartnerAlone) {
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"sharp s", "ß"},
        {"multiplication and division signs", "×÷"},
        {"micro sign", "µ"},
        {"Turkish dotted and dotless i", "İı"},
        {"Greek and Cyrillic", "ωΩжЖ"},
        {"malformed UTF-8", "\xE8\xFF\xC3"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::toUpper(c.text), c.text) << c.name;
        EXPECT_EQ(platform::toLower(c.text), c.text) << c.name;
    }
}

TEST(Text, PairsEveryLetterOfWindows1250) {
    // Capital and small letter bytes as the code page chart pairs them.
    std::vector<std::pair<int, int>> pairs = {
        {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F},
        {0xA3, 0xB3}, {0xA5, 0xB9}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xBC, 0xBE}};
    for (int capital = 0xC0; capital <= 0xDE; ++capital) {
        if (capital != 0xD7) {
            pairs.emplace_back(capital, capital + 0x20);
        }
    }
    for (const auto& [capital, small] : pairs) {
        const auto upper = platform::ansiToUtf8(std::string(1, static_cast<char>(capital)));
        const auto lower = platform::ansiToUtf8(std::string(1, static_cast<char>(small)));
        EXPECT_EQ(platform::toLower(upper), lower) << "small form of byte " << capital;
        EXPECT_EQ(platform::toUpper(lower), upper) << "capital form of byte " << small;
    }
}

}  // namespace
