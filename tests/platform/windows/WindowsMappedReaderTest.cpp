#include <gtest/gtest.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/windows/UniqueHandle.h"
#include "platform/windows/WindowsFileSystem.h"
#include "platform/windows/WindowsMappedReader.h"
#include "tests/support/TempFolder.h"

namespace {

using platform::MappedPass;

constexpr std::size_t kWindow = 2 * 65536;

// What the system raises when it cannot read a page of a view: its address second.
void raisePageError(const std::byte* address) {
    const ULONG_PTR information[] = {0, reinterpret_cast<ULONG_PTR>(address),
                                     static_cast<ULONG_PTR>(0xC000009CL)};
    ::RaiseException(EXCEPTION_IN_PAGE_ERROR, 0, 3, information);
}

// Sees the in-page errors no handler before it took, and lets the raiser go on.
thread_local int passedOn = 0;
LONG CALLBACK countPassedOn(EXCEPTION_POINTERS* exception) {
    if (exception->ExceptionRecord->ExceptionCode != EXCEPTION_IN_PAGE_ERROR) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    ++passedOn;
    return EXCEPTION_CONTINUE_EXECUTION;
}

class WindowsMappedReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (std::size_t i = 0; i < contents.size(); ++i) {
            contents[i] = static_cast<char>(i * 7 + i / 251);
        }
        const std::string path = folder.writeFile("data.bin", contents);
        file = platform::UniqueHandle(::CreateFileW(platform::apiPath(path).c_str(), GENERIC_READ,
                                                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                                    nullptr));
        ASSERT_TRUE(file.valid());
        last = ::AddVectoredExceptionHandler(0, countPassedOn);
        passedOn = 0;
    }
    void TearDown() override { ::RemoveVectoredExceptionHandler(last); }

    MappedPass pass(std::uint64_t offset, const platform::MappedConsumer& consume,
                    std::uint64_t& consumed) {
        return platform::consumeMappedFile(file.get(), offset, contents.size(), kWindow, consume,
                                           consumed);
    }

    testing_support::TempFolder folder;
    std::string contents = std::string(3 * kWindow + 1234, '\0');
    platform::UniqueHandle file;
    void* last = nullptr;
};

// Views start on the allocation granularity, so an offset inside one still gets its own bytes.
TEST_F(WindowsMappedReaderTest, HandsOnEveryByteFromAnyOffset) {
    for (const std::uint64_t offset : {std::uint64_t{0}, std::uint64_t{70000}, 3 * kWindow + 1}) {
        SCOPED_TRACE(offset);
        std::string seen;
        std::uint64_t consumed = 0;
        const MappedPass result = pass(
            offset,
            [&](std::span<const std::byte> bytes) {
                seen.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
                return bytes.size();
            },
            consumed);
        EXPECT_EQ(result, MappedPass::End);
        EXPECT_EQ(consumed, contents.size() - offset);
        EXPECT_TRUE(seen == contents.substr(offset)) << "the bytes of the file, in order";
    }
}

TEST_F(WindowsMappedReaderTest, AnInPageErrorInAViewEndsThePassAsAFailedRead) {
    int calls = 0;
    std::uint64_t consumed = 0;
    const MappedPass result = pass(
        0,
        [&](std::span<const std::byte> bytes) {
            if (++calls == 2) {
                raisePageError(bytes.data() + 100);
            }
            return bytes.size();
        },
        consumed);
    EXPECT_EQ(result, MappedPass::ReadFailed);
    EXPECT_EQ(calls, 2) << "nothing after the error";
    EXPECT_EQ(consumed, kWindow) << "only what the first view handed on";
    EXPECT_EQ(passedOn, 0);

    raisePageError(nullptr);
    EXPECT_EQ(passedOn, 1) << "after the pass its handler is gone";
}

TEST_F(WindowsMappedReaderTest, AnInPageErrorOutsideTheViewIsNotOurs) {
    std::byte elsewhere{};
    std::uint64_t consumed = 0;
    const MappedPass result = pass(
        0,
        [&](std::span<const std::byte> bytes) {
            raisePageError(&elsewhere);
            return bytes.size();
        },
        consumed);
    EXPECT_EQ(result, MappedPass::End);
    EXPECT_EQ(consumed, contents.size());
    EXPECT_EQ(passedOn, 4) << "once per view, each passed on";
}

// The stream moves past what was mapped, so read() takes up after it, and a failed pass
// marks the stream failed.
TEST_F(WindowsMappedReaderTest, TheStreamReadsOnAfterTheMappedBytes) {
    platform::WindowsFileSystem files;
    const std::string path = folder.programPath() + "data.bin";
    auto stream = files.openRead(path);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->consumeMapped(kWindow, [](auto bytes) { return bytes.size() / 2; }),
              MappedPass::Stopped);
    std::string rest(contents.size(), '\0');
    const std::size_t got = stream->read(std::as_writable_bytes(std::span(rest)));
    EXPECT_EQ(got, contents.size() - kWindow / 2);
    EXPECT_TRUE(rest.substr(0, got) == contents.substr(kWindow / 2));
    EXPECT_FALSE(stream->failed());

    stream = files.openRead(path);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->consumeMapped(kWindow,
                                    [](auto bytes) -> std::size_t {
                                        raisePageError(bytes.data());
                                        return bytes.size();
                                    }),
              MappedPass::ReadFailed);
    EXPECT_TRUE(stream->failed());
}

}  // namespace
