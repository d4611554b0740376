// The two shipped programs read back as Windows sees them: the manifest it
// reads at start and the version information of the file's properties.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "services/win32_handles.h"

namespace pellwise {
namespace {

constexpr const char* kPrograms[] = {"pellwise.exe", "pellwise-cli.exe"};

// The build folder as Wine's Z: drive shows it.
std::string ProgramPath(const std::string& name) {
    std::string path = std::string("Z:") + PELLWISE_BINARY_DIR + "/" + name;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string ManifestOf(const std::string& path) {
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return {};
    std::string text;
    if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
        const void* bytes = LockResource(LoadResource(module, found));
        if (bytes) text.assign(static_cast<const char*>(bytes), SizeofResource(module, found));
    }
    FreeLibrary(module);
    return text;
}

// One string of the version information, or "(none)".
std::string VersionText(const std::vector<char>& info, const std::string& key) {
    char* value = nullptr;
    UINT length = 0;
    const std::string query = "\\StringFileInfo\\040904B0\\" + key;
    if (info.empty() || !VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
        return "(none)";
    return value;
}

std::vector<char> VersionOf(const std::string& path) {
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeA(path.c_str(), &ignored));
    if (!info.empty() && !GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()))
        info.clear();
    return info;
}

// What a program printed on its standard output, started directly rather than
// through cmd.exe: under Wine the shell in between now and then gave back
// nothing at all, which hid whether the program itself had failed.
struct ProgramRun {
    std::string Output;
    std::string Failure;  // empty when the program ran and ended with 0
};

ProgramRun RunProgram(const std::string& program, const std::string& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return {{}, "CreatePipe failed, error " + std::to_string(GetLastError())};
    KernelHandle reader(readEnd);
    KernelHandle writer(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::string command = "\"" + program + "\" " + arguments;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &started))
        return {{}, "CreateProcess failed, error " + std::to_string(GetLastError())};
    KernelHandle process(started.hProcess);
    KernelHandle thread(started.hThread);
    writer.Reset();  // the pipe ends when the program's copy of it closes

    ProgramRun run;
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(reader.Get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) run.Output.append(buffer, got);
    DWORD exitCode = 1;
    if (WaitForSingleObject(process.Get(), 30000) != WAIT_OBJECT_0)
        run.Failure = "the program did not end";
    else if (!GetExitCodeProcess(process.Get(), &exitCode) || exitCode != 0)
        run.Failure = "the program ended with " + std::to_string(exitCode);
    return run;
}

std::string FirstLine(const std::string& text) {
    std::string line = text.substr(0, text.find('\n'));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

TEST(ProgramResources, BothProgramsCarryTheManifestAsResource24Id1) {
    for (const char* program : kPrograms) {
        const std::string manifest = ManifestOf(ProgramPath(program));
        ASSERT_FALSE(manifest.empty()) << program;
        EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos) << program;
        EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos)
            << program;
        EXPECT_NE(manifest.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos) << program;
        // Windows 7, 8, 8.1, and 10 with 11.
        for (const char* id : {"35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                               "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"})
            EXPECT_NE(manifest.find(id), std::string::npos) << program << " " << id;
        EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos) << program;
        EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos) << program;
        EXPECT_EQ(manifest.find("activeCodePage"), std::string::npos) << program;
    }
}

TEST(ProgramResources, BothProgramsCarryTheVersionTheConsolePrints) {
    const ProgramRun version = RunProgram(ProgramPath("pellwise-cli.exe"), "--version");
    EXPECT_EQ(version.Failure, "");
    EXPECT_EQ(FirstLine(version.Output), std::string("pellwise ") + PELLWISE_VERSION);
    std::vector<std::string> descriptions;
    for (const char* program : kPrograms) {
        const std::vector<char> info = VersionOf(ProgramPath(program));
        ASSERT_FALSE(info.empty()) << program;
        EXPECT_EQ(VersionText(info, "ProductName"), "Pellwise") << program;
        EXPECT_EQ(VersionText(info, "ProductVersion"), PELLWISE_VERSION) << program;
        EXPECT_EQ(VersionText(info, "FileVersion"), PELLWISE_VERSION) << program;
        EXPECT_EQ(VersionText(info, "OriginalFilename"), program);
        EXPECT_NE(VersionText(info, "LegalCopyright").find("Copyright"), std::string::npos) << program;
        descriptions.push_back(VersionText(info, "FileDescription"));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length)) << program;
        EXPECT_EQ(std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                      std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                      std::to_string(HIWORD(fixed->dwFileVersionLS)),
                  PELLWISE_VERSION)
            << program;
    }
    EXPECT_NE(descriptions[0], descriptions[1]) << "each program says what it is";
}

}  // namespace
}  // namespace pellwise
