#include "tracking/file_content.h"

#include <algorithm>

#include "web/text_utils.h"
#include "win/handle.h"

namespace radar {

namespace {

constexpr DWORD kRetryStepMs = 20;

std::wstring FolderOf(const std::wstring& pathW) {
    size_t slash = pathW.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L".";
    if (slash == 0 || (slash == 2 && pathW[1] == L':')) return pathW.substr(0, slash + 1); // a drive's root
    return pathW.substr(0, slash);
}

// Deletes the temporary file unless it has taken the target's name.
class TemporaryFile {
public:
    explicit TemporaryFile(std::wstring pathW) : pathW_(std::move(pathW)) {}
    ~TemporaryFile() {
        if (!pathW_.empty()) DeleteFileW(pathW_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::wstring& Path() const { return pathW_; }
    void Keep() { pathW_.clear(); }

private:
    std::wstring pathW_;
};

bool WriteAndFlush(const std::wstring& pathW, std::string_view bytes) {
    KernelHandle file(
        CreateFileW(pathW.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return FlushFileBuffers(file.Get()) != FALSE;
}

// Errors that another program holding the target (an editor, a virus scanner, a backup) gives
// for a while; any other failure is final.
bool WorthRetrying(DWORD error) {
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_ACCESS_DENIED:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
    case ERROR_FILE_NOT_FOUND: // the target vanished between the check and the replace
    case ERROR_ALREADY_EXISTS: // the target appeared between the check and the move
    case ERROR_FILE_EXISTS:
        return true;
    default:
        return false;
    }
}

// One attempt to give the temporary file the target's name.
bool MoveIntoPlace(const std::wstring& temporaryW, const std::wstring& pathW) {
    if (GetFileAttributesW(pathW.c_str()) == INVALID_FILE_ATTRIBUTES)
        return MoveFileExW(temporaryW.c_str(), pathW.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
    return ReplaceFileW(pathW.c_str(), temporaryW.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                        nullptr) != FALSE;
}

} // namespace

bool ReplaceFileContent(const std::wstring& pathW, std::string_view bytes, DWORD retryMs) {
    if (pathW.empty()) return false;
    // A folder of that name is never replaced (Wine would move it aside and leave it there), and
    DWORD attributes = GetFileAttributesW(pathW.c_str());
    // A read-only file stays read-only however long we wait.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return false;
    wchar_t temporaryName[MAX_PATH];
    if (!GetTempFileNameW(FolderOf(pathW).c_str(), L"prd", 0, temporaryName)) return false;
    TemporaryFile temporary(temporaryName);
    if (!WriteAndFlush(temporary.Path(), bytes)) return false;
    const DWORD start = GetTickCount();
    for (;;) {
        if (MoveIntoPlace(temporary.Path(), pathW)) {
            temporary.Keep();
            return true;
        }
        if (!WorthRetrying(GetLastError()) || GetTickCount() - start >= retryMs) return false;
        Sleep(kRetryStepMs);
    }
}

bool ReadFileContent(const std::wstring& pathW, std::string& bytes) {
    bytes.clear();
    KernelHandle file(CreateFileW(pathW.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    char buffer[64 * 1024];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr)) {
            bytes.clear();
            return false;
        }
        if (read == 0) return true;
        bytes.append(buffer, read);
    }
}

std::string ReadTextFile(const std::wstring& pathW) {
    std::string bytes;
    if (!ReadFileContent(pathW, bytes)) return {};
    return TextFromBytes(bytes);
}

} // namespace radar
