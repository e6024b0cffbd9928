// Saving the number list: exact bytes, atomic replacement, a target held by another program,
// and a target that cannot be written.
#include "tracking/number_list_file.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

#include "tracking/file_content.h"
#include "win/code_page.h"
#include "win/handle.h"

namespace radar {
namespace {

std::wstring ListPathW() {
    return ToWide(NumberListPath());
}

std::wstring FolderOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L'\\'));
}

std::string FileBytes(const std::wstring& path) {
    std::string bytes;
    EXPECT_TRUE(ReadFileContent(path, bytes));
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    KernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(file && WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
}

// Temporary files of a save ("prd*.tmp") in the folder.
int TemporaryFilesIn(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\prd*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do {
        ++count;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

class NumberListSaveTest : public ::testing::Test {
protected:
    void SetUp() override { Remove(); }
    void TearDown() override {
        EXPECT_EQ(0, TemporaryFilesIn(FolderOf(ListPathW()))) << "a save left a temporary file";
        Remove();
    }
    static void Remove() {
        SetFileAttributesW(ListPathW().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(ListPathW().c_str());
    }
};

TEST_F(NumberListSaveTest, FileHoldsExactlyTheBoxText) {
    const std::string cases[] = {
        "123456",
        "123456\r\n7700123\r\n",            // the box's own line ends, a last one included
        "中通快递\r\nYT1234567\r\n韵达",    // GBK, no byte-order mark
        std::string(100000, '7') + "\r\n8", // longer than one buffer of the reader
        "",                                 // an empty box empties the file
    };
    for (const std::string& text : cases) {
        ASSERT_TRUE(SaveNumberListFile(text)) << text.size();
        EXPECT_EQ(text, FileBytes(ListPathW())) << text.substr(0, 20);
        EXPECT_EQ(text, ReadNumberListFile());
    }
    // Golden bytes: GBK, nothing before or after.
    ASSERT_TRUE(SaveNumberListFile("中通\r\n1"));
    EXPECT_EQ(std::string("\xD6\xD0\xCD\xA8\r\n1"), FileBytes(ListPathW()));
}

TEST_F(NumberListSaveTest, ReplacesALongerOlderFileWhole) {
    WriteBytes(ListPathW(), std::string(5000, 'x') + "\r\nold");
    ASSERT_TRUE(SaveNumberListFile("12\r\n34"));
    EXPECT_EQ("12\r\n34", FileBytes(ListPathW()));
}

TEST_F(NumberListSaveTest, FirstSaveCreatesTheFile) {
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(ListPathW().c_str()));
    ASSERT_TRUE(SaveNumberListFile("998877"));
    EXPECT_EQ("998877", FileBytes(ListPathW()));
}

// An editor or scanner holds the file without sharing it; once it lets go, the save goes through.
TEST_F(NumberListSaveTest, WaitsBrieflyForAFileHeldByAnotherProgram) {
    WriteBytes(ListPathW(), "old");
    KernelHandle holder(CreateFileW(ListPathW().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    std::atomic<bool> released{false};
    std::thread other([&] {
        // Lets go as soon as the save has begun (its temporary file exists) and not before.
        const std::wstring folder = FolderOf(ListPathW());
        const DWORD start = GetTickCount();
        while (TemporaryFilesIn(folder) == 0 && GetTickCount() - start < 10000)
            Sleep(1);
        holder.Reset();
        released = true;
    });
    bool saved = SaveNumberListFile("new\r\n123");
    other.join();
    ASSERT_TRUE(released);
    EXPECT_TRUE(saved);
    EXPECT_EQ("new\r\n123", FileBytes(ListPathW()));
}

TEST_F(NumberListSaveTest, FileHeldLongerThanTheRetriesKeepsItsContent) {
    WriteBytes(ListPathW(), "old list");
    KernelHandle holder(CreateFileW(ListPathW().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    EXPECT_FALSE(SaveNumberListFile("new"));
    holder.Reset();
    EXPECT_EQ("old list", FileBytes(ListPathW()));
}

TEST_F(NumberListSaveTest, ReadOnlyFileKeepsItsContent) {
    WriteBytes(ListPathW(), "kept");
    ASSERT_TRUE(SetFileAttributesW(ListPathW().c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(SaveNumberListFile("lost"));
    EXPECT_EQ("kept", FileBytes(ListPathW()));
}

class ReplaceFileContentTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        folder_ = std::wstring(base) + L"radar-replace-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
    }
    void TearDown() override {
        EXPECT_EQ(0, TemporaryFilesIn(folder_));
        RemoveDirectoryW((folder_ + L"\\快递单号.txt").c_str());
        DeleteFileW((folder_ + L"\\快递单号.txt").c_str());
        EXPECT_TRUE(RemoveDirectoryW(folder_.c_str())) << "nothing else was left in the folder";
    }
    std::wstring folder_;
};

TEST_F(ReplaceFileContentTest, AFolderInTheFilesPlaceIsNotReplaced) {
    const std::wstring target = folder_ + L"\\快递单号.txt";
    ASSERT_TRUE(CreateDirectoryW(target.c_str(), nullptr));
    EXPECT_FALSE(ReplaceFileContent(target, "123", 0));
    EXPECT_NE(0u, GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(ReplaceFileContentTest, MissingFolderWritesNothing) {
    EXPECT_FALSE(ReplaceFileContent(folder_ + L"\\no such folder\\快递单号.txt", "123", 0));
}

TEST(ReadFileContentTest, MissingFileIsNoContent) {
    std::string bytes = "stale";
    EXPECT_FALSE(ReadFileContent(L"Z:\\no\\such\\file.txt", bytes));
    EXPECT_EQ("", bytes);
}

} // namespace
} // namespace radar
