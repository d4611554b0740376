#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "gamedata/scene_file.h"
#include "services/recording_message_service.h"

// Builders for the chunks and files the scene tests feed to the model, the
// reader and the writer, and the files and message boxes they meet.
namespace pellwise::scene_test {

using Bytes = std::vector<uint8_t>;

inline void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

inline Bytes Le16(uint16_t v) { return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)}; }

inline Bytes Le32(uint32_t v) {
    return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
            static_cast<uint8_t>(v >> 24)};
}

inline Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

inline Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) Append(out, p);
    return out;
}

// A chunk whose size field is right for its payload.
inline Bytes Chunk(uint16_t id, const Bytes& payload) {
    return Join({Le16(id), Le32(static_cast<uint32_t>(payload.size() + 6)), payload});
}

// An object chunk named by a leading 0x0010 chunk, with some filler after it.
inline Bytes Object(const std::string& name, size_t filler = 0) {
    Bytes nameField = Text(name);
    nameField.push_back(0);
    return Chunk(kChunkObject, Join({Chunk(0x0010, nameField), Chunk(0x0012, Bytes(filler, 0xCD))}));
}

inline Bytes Definition(const std::string& name) {
    Bytes nameField = Text(name);
    nameField.push_back(0);
    return Chunk(kChunkDefinition, Join({Chunk(0xAE22, nameField), Chunk(0xAE23, {1, 2, 3})}));
}

inline Bytes EntryAE51(const std::string& name) {
    return Chunk(kChunkAE51, Join({{7}, Le32(static_cast<uint32_t>(name.size())), Text(name), {9, 9}}));
}

inline Bytes EntryAE03() { return Chunk(kChunkAE03, {4, 5, 6, 7}); }

inline Bytes Section(uint16_t id, std::initializer_list<Bytes> chunks) { return Chunk(id, Join(chunks)); }

// A file head with the right total size in front of `body`.
inline Bytes SceneBytes(const Bytes& body) {
    return Join({Le16(kSceneSignature), Le32(static_cast<uint32_t>(body.size() + 6)), body});
}

// A fresh folder per test, removed afterwards.
class SceneFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::temp_directory_path() /
               (std::string("pellwise-") + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    std::string Write(const std::string& name, const Bytes& bytes) const {
        std::ofstream(dir_ / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return PathOf(name);
    }

    static Bytes ReadBack(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_))
            names.push_back(entry.path().filename().string());
        return names;
    }

    std::filesystem::path dir_;
    RecordingMessageService messages_;
};

}  // namespace pellwise::scene_test
