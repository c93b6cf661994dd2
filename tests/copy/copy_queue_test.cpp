#include "platform/copy_queue.h"
#include "platform/errors.h"
#include "platform/win.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testing_support::ReadFileBytes;
using testing_support::TempDir;
using testing_support::WriteFileBytes;

// Takes every copy's outcome in order; the subjects of the failed ones.
std::vector<std::wstring> FinishAll(rt::CopyQueue& queue, std::size_t count) {
    std::vector<std::wstring> failed;
    rt::ErrorBlock previous = rt::ERRORBLOCK([](const rt::Error& error) { rt::BREAK(error); });
    for (std::size_t i = 0; i < count; ++i) {
        try {
            queue.finishNext();
        } catch (const rt::BreakSignal& signal) {
            failed.push_back(signal.error.subject);
        }
    }
    rt::ERRORBLOCK(std::move(previous));
    return failed;
}

TEST(CopyQueue, ManyCopiesToOneTargetEndWithTheLastOne) {
    TempDir root;
    const int kSources = 40;
    for (int i = 0; i < kSources; ++i) WriteFileBytes(root / (L"q" + std::to_wstring(i)), std::string(5000 + i, 'a' + i % 26));
    rt::CopyQueue queue(4);
    for (int i = 0; i < kSources; ++i) queue.submit(root / (L"q" + std::to_wstring(i)), root / L"ZIEL");
    EXPECT_TRUE(FinishAll(queue, kSources).empty());
    EXPECT_EQ(ReadFileBytes(root / L"ziel"), std::string(5000 + kSources - 1, 'a' + (kSources - 1) % 26));
}

// A copy reads what an earlier copy in the queue wrote.
TEST(CopyQueue, ACopyOfAFreshlyCopiedFileSeesItsNewContent) {
    TempDir root;
    WriteFileBytes(root / L"a", std::string(200000, 'n'));
    WriteFileBytes(root / L"b", "alt");
    rt::CopyQueue queue(4);
    queue.submit(root / L"a", root / L"b");
    queue.submit(root / L"b", root / L"c");
    queue.submit(root / L"c", root / L"d");
    EXPECT_TRUE(FinishAll(queue, 3).empty());
    EXPECT_EQ(ReadFileBytes(root / L"d"), std::string(200000, 'n'));
}

TEST(CopyQueue, FailuresComeOutInTheOrderTheCopiesWereAskedFor) {
    TempDir root;
    std::vector<std::wstring> expected;
    rt::CopyQueue queue(3);
    for (int i = 0; i < 30; ++i) {
        const std::wstring source = root / (L"q" + std::to_wstring(i));
        if (i % 4 == 1) expected.push_back(source);
        else WriteFileBytes(source, "x");
        queue.submit(source, root / (L"z" + std::to_wstring(i)));
    }
    EXPECT_EQ(FinishAll(queue, 30), expected);
    EXPECT_EQ(ReadFileBytes(root / L"z28"), "x");
}

}  // namespace
