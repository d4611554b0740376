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
    EXPECT_EQ(FirstLineOf(ProgramPath("pellwise-cli.exe") + " --version"), std::string("pellwise ") + PELLWISE_VERSION);
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
