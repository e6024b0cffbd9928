#include "win/hot_keys.h"

#include <mutex>
#include <set>

#include "win/messages.h"

namespace radar {

namespace {

std::mutex g_mutex;
std::set<int> g_handedOut;

} // namespace

int RegisterGlobalHotKey(HWND window, UINT modifiers, UINT virtualKey) {
    std::lock_guard lock(g_mutex);
    int id = kFirstHotKeyId;
    while (g_handedOut.count(id))
        ++id;
    if (!RegisterHotKey(window, id, modifiers, virtualKey)) return 0;
    g_handedOut.insert(id);
    return id;
}

void UnregisterGlobalHotKey(HWND window, int id) {
    if (id == 0) return;
    UnregisterHotKey(window, id);
    std::lock_guard lock(g_mutex);
    g_handedOut.erase(id);
}

bool IsHandedOutHotKeyId(int id) {
    std::lock_guard lock(g_mutex);
    return g_handedOut.count(id) != 0;
}

} // namespace radar
