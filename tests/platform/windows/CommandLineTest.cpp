#include <gtest/gtest.h>

#include <string>

#include "platform/windows/CommandLine.h"

namespace {

TEST(WindowsCommandLine, TakesTheTextAfterTheProgramsOwnPath) {
    const struct {
        std::wstring line;
        std::wstring rest;
    } cases[] = {
        {L"sumora.exe /Auto /SourceFile:C:\\a b.txt", L"/Auto /SourceFile:C:\\a b.txt"},
        {L"\"C:\\Program Files\\Sumora\\sumora.exe\" C:\\x.CRC", L"C:\\x.CRC"},
        {L"\"C:\\Program Files\\Sumora\\sumora.exe\"/Help", L"/Help"},
        {L"C:\\Sumora\\sumora.exe \t  \"C:\\a b.CRC\"  ", L"\"C:\\a b.CRC\"  "},
        {L"sumora.exe", L""},
        {L"sumora.exe   ", L""},
        {L"\"C:\\unclosed quote\\sumora.exe /Help", L""},
        {L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::afterProgramPath(c.line), c.rest)
            << std::string(c.line.begin(), c.line.end());
    }
}

}  // namespace
