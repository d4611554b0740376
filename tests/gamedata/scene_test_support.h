#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gamedata/game_context.h"
#include "gamedata/scene_file.h"
#include "gamedata/text_db.h"
#include "gamedata/text_references.h"
#include "services/settings_file.h"
#include "tests/services/temp_folder.h"
#include "tests/support/recording_message_service.h"

// Builders for the chunks and files the game-data tests use, and a fresh
// folder for every test to put the files in.
namespace pellwise::scene_test {

using Bytes = std::vector<uint8_t>;

inline Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}
inline Bytes Le16(uint16_t v) { return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)}; }
inline Bytes Le32(uint32_t v) { return Join({Le16(static_cast<uint16_t>(v)), Le16(static_cast<uint16_t>(v >> 16))}); }
inline Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }
inline Bytes Sz(const std::string& s) { return Join({Text(s), {0}}); }

inline Bytes Chunk(uint16_t id, const Bytes& payload) {
    return Join({Le16(id), Le32(static_cast<uint32_t>(payload.size() + 6)), payload});
}
inline Bytes Section(uint16_t id, std::initializer_list<Bytes> chunks) { return Chunk(id, Join(chunks)); }

// An object chunk named by a leading 0x0010 chunk; 18 + name + 1 + filler bytes.
inline Bytes Object(const std::string& name, size_t filler = 0) {
    return Chunk(kChunkObject, Join({Chunk(0x0010, Sz(name)), Chunk(0x0012, Bytes(filler, 0xCD))}));
}
// A definition named by its name chunk, of a type that holds no text.
inline Bytes Definition(const std::string& name) {
    return Chunk(kChunkDefinition, Join({Chunk(kDefinitionNameChunk, Sz(name)), Chunk(kDefinitionTypeChunk, Le32(4))}));
}
inline Bytes EntryAE51(const std::string& name) {
    return Chunk(kChunkAE51, Join({{7}, Le32(static_cast<uint32_t>(name.size())), Text(name), {9}}));
}
inline Bytes EntryAE03() { return Chunk(kChunkAE03, {4, 5, 6, 7}); }

// A data chunk whose text starts 14 bytes into its payload.
inline Bytes DataChunk(const std::string& text) {
    return Chunk(kDefinitionDataChunk, Join({Bytes(14, 0x11), Text(text), {0}}));
}
// A definition as the mod ships it: name chunk, type chunk, data chunk.
inline Bytes ScriptDefinition(const std::string& name, const std::string& text, uint32_t type = kScriptDefinition) {
    return Chunk(kChunkDefinition, Join({Chunk(kDefinitionNameChunk, Sz(name)), Chunk(kDefinitionTypeChunk, Le32(type)),
                                         DataChunk(text)}));
}

// A file head with the right total size in front of `body`.
inline Bytes SceneBytes(const Bytes& body) {
    return Join({Le16(kSceneSignature), Le32(static_cast<uint32_t>(body.size() + 6)), body});
}

// A scene larger than the reader takes in one read: a few thousand chunks of
// uneven sizes, whose edges fall anywhere, and one chunk larger than a read.
// `offsets` receives where each object chunk starts in the file.
inline Bytes LargeScene(std::vector<size_t>* offsets = nullptr) {
    const Bytes head = Chunk(0x0001, {1});
    Bytes objects;
    for (int i = 0; i < 3002; ++i) {
        if (offsets) offsets->push_back(6 + head.size() + 6 + objects.size());
        const Bytes object = i == 3000   ? Object("huge", 2000000)
                             : i == 3001 ? Object("after")
                                         : Object("object" + std::to_string(i), 97 + i % 13);
        objects.insert(objects.end(), object.begin(), object.end());
    }
    return SceneBytes(Join({head, Chunk(kSectionObjects, objects), Section(kSectionDefinitions, {Definition("d")}),
                            Section(kSectionAE50, {EntryAE51("e")}), Chunk(0x7777, Bytes(300000, 0x77))}));
}

inline const Bytes kSmallestScene = {0x53, 0x4C, 0x18, 0, 0, 0, 0x00, 0x40, 6, 0, 0, 0,
                                     0x20, 0xAE, 6,    0, 0, 0, 0x50, 0xAE, 6, 0, 0, 0};

class SceneFileTest : public ::testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return folder_.Path(name); }

    std::string Write(const std::string& name, const Bytes& bytes) const {
        testing::WriteBytes(PathOf(name), std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        return PathOf(name);
    }

    static Bytes ReadBack(const std::string& path) {
        const std::string bytes = testing::ReadBytes(path);
        return Bytes(bytes.begin(), bytes.end());
    }

    // The one message shown since the last check: an error box with this text.
    // The message as it was, then the system's reason on a line of its own.
    static void ExpectReasonAdded(const MessageText& message, const std::string& text, const std::string& reason) {
        const std::string bytes = message.Bytes();
        EXPECT_EQ(bytes.substr(0, text.size()), text);
        EXPECT_EQ(bytes.substr(text.size(), 10 + reason.size()), "\rReason = " + reason) << bytes;
    }

    void ExpectOneError(const std::string& text) {
        ASSERT_EQ(messages_.Count(), 1);
        EXPECT_EQ(messages_.Messages()[0].text, text);
        EXPECT_EQ(messages_.Messages()[0].flags, kMbOk | kMbIconError);
        messages_.Clear();
    }

    testing::TempFolder folder_;
    const std::filesystem::path dir_ = folder_.Path();
    RecordingMessageService messages_;
};

// A game database and a mod's NewTexts.ini for the import and the rewrite.
class GameContextTest : public SceneFileTest {
protected:
    void SetUp() override {
        newTexts.emplace(Write("NewTexts.ini", Text("[other]\n#@$&000001=wrong\n"
                                                    "[texts]\n#@$&000001=Hello\n#@$&000002=Hello\n"
                                                    "#@$&000003=game text\n")));
        db.Append("game text", 10);
        db.Append("end", 20);
        context.TextDb = &db;
        context.NewTexts = &*newTexts;
        context.OverwriteQuestion = "Overwrite?\rReally?";
    }

    std::optional<SettingsFile> newTexts;
    TextDB db;
    GameContext context{messages_, nullptr, nullptr, {}, {}};
};

}  // namespace pellwise::scene_test
