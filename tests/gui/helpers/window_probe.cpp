// Reads the installer's windows from another process for the end-to-end
// suite, printing tab-separated lines in UTF-8:
//   window_probe boxes          every message box: "box", its rectangle, then
//                               "text" lines and "button" lines (label, centre)
//   window_probe controls TITLE the top-level window TITLE: "window", its
//                               rectangle, then one "control" line per child
//                               (class, visible, enabled, rectangle, text) and
//                               for list views one "item" line per item
//                               (index, checked, check box centre, text)
// Rectangles are screen coordinates: left, top, width, height.
#include <windows.h>
// commctrl.h builds on the types of windows.h.
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    // One line per record: line breaks inside a text become " | ".
    std::string flat;
    for (char c : out) {
        if (c == '\r') continue;
        if (c == '\n') {
            flat += " | ";
        } else {
            flat += c;
        }
    }
    return flat;
}

std::wstring TextOf(HWND window) {
    wchar_t buffer[2048] = {};
    GetWindowTextW(window, buffer, 2047);
    return buffer;
}

std::string ClassOf(HWND window) {
    char name[128] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

std::string Rect(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return std::to_string(r.left) + "\t" + std::to_string(r.top) + "\t" + std::to_string(r.right - r.left) + "\t" +
           std::to_string(r.bottom - r.top);
}

void Print(const std::string& line) {
    const std::string out = line + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> found;
    EnumWindows(
        [](HWND window, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Memory in the list's process for the messages that carry pointers.
class RemoteBlock {
public:
    explicit RemoteBlock(HWND window) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_) block_ = VirtualAllocEx(process_, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBlock() {
        if (block_) VirtualFreeEx(process_, block_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    bool Ok() const { return block_ != nullptr; }
    char* At(size_t offset) const { return static_cast<char*>(block_) + offset; }
    void Write(size_t offset, const void* data, size_t size) const {
        WriteProcessMemory(process_, At(offset), data, size, nullptr);
    }
    void Read(size_t offset, void* data, size_t size) const {
        ReadProcessMemory(process_, At(offset), data, size, nullptr);
    }

    static constexpr size_t kSize = 8192;

private:
    HANDLE process_ = nullptr;
    void* block_ = nullptr;
};

void PrintItems(HWND list) {
    RemoteBlock remote(list);
    if (!remote.Ok()) return;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    constexpr size_t kTextAt = 1024;
    constexpr int kTextChars = 1024;
    for (int i = 0; i < count; ++i) {
        LVITEMW item = {};
        item.pszText = reinterpret_cast<wchar_t*>(remote.At(kTextAt));
        item.cchTextMax = kTextChars;
        remote.Write(0, &item, sizeof(item));
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote.At(0)));
        std::vector<wchar_t> text(kTextChars + 1, L'\0');
        remote.Read(kTextAt, text.data(), kTextChars * sizeof(wchar_t));
        RECT bounds = {LVIR_BOUNDS, 0, 0, 0};
        remote.Write(0, &bounds, sizeof(bounds));
        SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote.At(0)));
        remote.Read(0, &bounds, sizeof(bounds));
        // The check box is the state image at the item's left end.
        POINT box = {bounds.left + 8, (bounds.top + bounds.bottom) / 2};
        ClientToScreen(list, &box);
        const LRESULT state = SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_STATEIMAGEMASK);
        const bool checked = (static_cast<UINT>(state) >> 12) == 2;
        Print("item\t" + std::to_string(i) + "\t" + (checked ? "1" : "0") + "\t" + std::to_string(box.x) + "\t" +
              std::to_string(box.y) + "\t" + Utf8(text.data()));
    }
}

int Boxes() {
    for (HWND window : TopLevelWindows()) {
        if (!IsWindowVisible(window) || ClassOf(window) != "#32770") continue;
        Print("box\t" + Rect(window) + "\t" + Utf8(TextOf(window)));
        for (HWND child : Children(window)) {
            if (!IsWindowVisible(child)) continue;
            const std::string kind = ClassOf(child);
            const std::string text = Utf8(TextOf(child));
            if (kind == "Static" && !text.empty()) Print("text\t" + text);
            if (kind == "Button") {
                RECT r = {};
                GetWindowRect(child, &r);
                Print("button\t" + text + "\t" + std::to_string((r.left + r.right) / 2) + "\t" +
                      std::to_string((r.top + r.bottom) / 2));
            }
        }
    }
    return 0;
}

int Controls(const std::wstring& title) {
    for (HWND window : TopLevelWindows()) {
        if (TextOf(window) != title || ClassOf(window) == "#32770") continue;
        Print("window\t" + Rect(window) + "\t" + (IsWindowVisible(window) ? "1" : "0"));
        for (HWND child : Children(window)) {
            const std::string kind = ClassOf(child);
            Print("control\t" + kind + "\t" + (IsWindowVisible(child) ? "1" : "0") + "\t" +
                  (IsWindowEnabled(child) ? "1" : "0") + "\t" + Rect(child) + "\t" + Utf8(TextOf(child)));
            if (kind.find("SysListView32") != std::string::npos) PrintItems(child);
        }
        return 0;
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "boxes") return Boxes();
    if (command == "controls" && argc > 2) {
        const std::string title = argv[2];
        return Controls(std::wstring(title.begin(), title.end()));  // ASCII titles only
    }
    std::fputs("usage: window_probe boxes | controls TITLE\n", stderr);
    return 2;
}
