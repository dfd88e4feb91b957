#include <gtest/gtest.h>

#include <string>

#include "ui/win32/OpenFileDialog.h"

namespace {

using namespace std::string_literals;

TEST(Win32OpenFileDialog, FilterTextIsNulSeparatedWithADoubleNulAtTheEnd) {
    const struct {
        const char* name;
        std::vector<ui::NameFilter> filters;
        std::wstring text;
    } cases[] = {
        {"one entry", {{"Všechny soubory (*.*)", {"*.*"}}}, L"Všechny soubory (*.*)\0*.*\0\0"s},
        {"several patterns and entries",
         {{"Soubor CRC (*.CRC)", {"*.CRC", "*.crc"}}, {"Vše", {"*"}}},
         L"Soubor CRC (*.CRC)\0*.CRC;*.crc\0Vše\0*\0\0"s},
        {"none", {}, L"\0"s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ui::win32::filterText(c.filters), c.text) << c.name;
    }
}

}  // namespace
