// The two shipped programs read back as Windows sees them: the manifest it
// reads at start and the version information of the file's properties.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

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

struct VersionInfo {
    std::vector<char> Data;
    std::string Text(const char* key) {
        char* value = nullptr;
        UINT length = 0;
        const std::string query = std::string("\\StringFileInfo\\040904B0\\") + key;
        if (Data.empty() || !VerQueryValueA(Data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
            return "(none)";
        return std::string(value);
    }
    VS_FIXEDFILEINFO Fixed() {
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        if (Data.empty() || !VerQueryValueA(Data.data(), "\\", reinterpret_cast<void**>(&fixed), &length)) return {};
        return *fixed;
    }
};

VersionInfo VersionOf(const std::string& path) {
    DWORD ignored = 0;
    VersionInfo info;
    info.Data.resize(GetFileVersionInfoSizeA(path.c_str(), &ignored));
    if (!info.Data.empty() &&
        !GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(info.Data.size()), info.Data.data()))
        info.Data.clear();
    return info;
}

std::string FirstLineOf(const std::string& command) {
    FILE* pipe = _popen(command.c_str(), "r");
    if (!pipe) return {};
    char line[256] = {};
    if (!std::fgets(line, sizeof(line), pipe)) line[0] = '\0';
    _pclose(pipe);
    std::string text = line;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
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
        EXPECT_EQ(Count(manifest, "<supportedOS "), 4u) << program;
        for (const char* id : {"35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                               "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"})
            EXPECT_NE(manifest.find(id), std::string::npos) << program << " " << id;
        EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos) << program;
        EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos) << program;
        EXPECT_EQ(manifest.find("activeCodePage"), std::string::npos) << program;
    }
}

TEST(ProgramResources, BothProgramsCarryTheVersionTheConsolePrints) {
    EXPECT_EQ(FirstLineOf(ProgramPath("pellwise-cli.exe") + " --version"), std::string("pellwise ") + PELLWISE_VERSION);
    std::vector<std::string> descriptions;
    for (const char* program : kPrograms) {
        VersionInfo info = VersionOf(ProgramPath(program));
        ASSERT_FALSE(info.Data.empty()) << program;
        EXPECT_EQ(info.Text("ProductName"), "Pellwise") << program;
        EXPECT_EQ(info.Text("ProductVersion"), PELLWISE_VERSION) << program;
        EXPECT_EQ(info.Text("FileVersion"), PELLWISE_VERSION) << program;
        EXPECT_EQ(info.Text("OriginalFilename"), program);
        EXPECT_NE(info.Text("LegalCopyright").find("Copyright"), std::string::npos) << program;
        descriptions.push_back(info.Text("FileDescription"));
        const VS_FIXEDFILEINFO fixed = info.Fixed();
        const std::string numbers = std::to_string(HIWORD(fixed.dwFileVersionMS)) + "." +
                                    std::to_string(LOWORD(fixed.dwFileVersionMS)) + "." +
                                    std::to_string(HIWORD(fixed.dwFileVersionLS));
        EXPECT_EQ(numbers, PELLWISE_VERSION) << program;
    }
    EXPECT_NE(descriptions[0], descriptions[1]) << "each program says what it is";
}

}  // namespace
}  // namespace pellwise
