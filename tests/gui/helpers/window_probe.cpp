// Reads the installer's windows from another process for the end-to-end
// suite, printing tab-separated lines in UTF-8:
//   window_probe boxes          every message box: "box", its rectangle, then
//                               "text" lines and "button" lines (label, centre)
//   window_probe controls TITLE the top-level window TITLE: "window", its
//                               rectangle, then one "control" line per child
//                               (class, visible, enabled, rectangle, text) and
//                               for list views a "column" line (the width
//                               of the columns) and one "item" line per item
//                               (index, checked, check box centre, text)
// Rectangles are screen coordinates: left, top, width, height.
#include <windows.h>
// commctrl.h builds on the types of windows.h.
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// One line per record: line breaks inside a text become " | ".
std::string Utf8(const wchar_t* text) {
    char out[8192] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof(out) - 1, nullptr, nullptr);
    std::string flat;
    for (const char* c = out; *c; ++c) {
        if (*c == '\n') {
            flat += " | ";
        } else if (*c != '\r') {
            flat += *c;
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

std::string Fields(std::initializer_list<long> values) {
    std::string out;
    for (long v : values) out.append("\t").append(std::to_string(v));
    return out;
}

std::string Rect(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return Fields({r.left, r.top, r.right - r.left, r.bottom - r.top});
}

void Print(const std::string& line) {
    const std::string out = line + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
}

BOOL CALLBACK Collect(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// Children of parent, or the top-level windows without one.
std::vector<HWND> Windows(HWND parent = nullptr) {
    std::vector<HWND> found;
    if (parent) {
        EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&found));
    } else {
        EnumWindows(Collect, reinterpret_cast<LPARAM>(&found));
    }
    return found;
}

// The list view's messages carry pointers, so they point into a block of
// memory in the list's own process.
void PrintItems(HWND list) {
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return;
    constexpr SIZE_T kTextAt = 1024, kChars = 1024;
    auto* block = static_cast<char*>(VirtualAllocEx(process, nullptr, 8192, MEM_COMMIT, PAGE_READWRITE));
    const int count = block ? static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = 0; i < count; ++i) {
        LVITEMW item = {};
        item.pszText = reinterpret_cast<wchar_t*>(block + kTextAt);
        item.cchTextMax = kChars;
        WriteProcessMemory(process, block, &item, sizeof(item), nullptr);
        SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(block));
        std::vector<wchar_t> text(kChars + 1, L'\0');
        ReadProcessMemory(process, block + kTextAt, text.data(), kChars * sizeof(wchar_t), nullptr);
        RECT bounds = {LVIR_BOUNDS, 0, 0, 0};
        WriteProcessMemory(process, block, &bounds, sizeof(bounds), nullptr);
        SendMessageW(list, LVM_GETITEMRECT, i, reinterpret_cast<LPARAM>(block));
        ReadProcessMemory(process, block, &bounds, sizeof(bounds), nullptr);
        // The check box is the state image at the item's left end.
        POINT box = {bounds.left + 8, (bounds.top + bounds.bottom) / 2};
        ClientToScreen(list, &box);
        const auto state = static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, i, LVIS_STATEIMAGEMASK));
        Print("item" + Fields({i, (state >> 12) == 2, box.x, box.y}) + "\t" + Utf8(text.data()));
    }
    if (block) VirtualFreeEx(process, block, 0, MEM_RELEASE);
    CloseHandle(process);
}

int Boxes() {
    for (HWND window : Windows()) {
        if (!IsWindowVisible(window) || ClassOf(window) != "#32770") continue;
        Print("box" + Rect(window) + "\t" + Utf8(TextOf(window).c_str()));
        for (HWND child : Windows(window)) {
            if (!IsWindowVisible(child)) continue;
            const std::string kind = ClassOf(child);
            const std::string text = Utf8(TextOf(child).c_str());
            if (kind == "Static" && !text.empty()) Print("text\t" + text);
            RECT r = {};
            GetWindowRect(child, &r);
            if (kind == "Button") Print("button\t" + text + Fields({(r.left + r.right) / 2, (r.top + r.bottom) / 2}));
        }
    }
    return 0;
}

int Controls(const std::wstring& title) {
    for (HWND window : Windows()) {
        if (TextOf(window) != title || ClassOf(window) == "#32770") continue;
        Print("window" + Rect(window) + Fields({IsWindowVisible(window) != 0}));
        for (HWND child : Windows(window)) {
            const std::string kind = ClassOf(child);
            Print("control\t" + kind + Fields({IsWindowVisible(child) != 0, IsWindowEnabled(child) != 0}) +
                  Rect(child) + "\t" + Utf8(TextOf(child).c_str()));
            if (kind.find("SysListView32") == std::string::npos) continue;
            Print("column" + Fields({static_cast<long>(SendMessageW(child, LVM_GETCOLUMNWIDTH, 0, 0))}));
            PrintItems(child);
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
