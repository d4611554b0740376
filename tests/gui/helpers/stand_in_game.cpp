// Stands in for the game: writes game-ran.txt beside itself with the folder
// it was started in, so a test can see that the installer started it.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string record(path);
    record = record.substr(0, record.find_last_of('\\') + 1) + "game-ran.txt";
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    FILE* file = std::fopen(record.c_str(), "wb");
    if (!file) return 1;
    std::fprintf(file, "started in %s\r\n", current);
    return std::fclose(file) == 0 ? 0 : 1;
}
