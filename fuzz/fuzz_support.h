#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "gamedata/scene_file.h"
#include "services/message_service.h"

namespace pellwise::fuzz {

// A scratch folder for the files the readers are given, one per fuzzing
// process, on a memory file system when there is one; removed at exit.
const std::string& ScratchFolder();
// The scratch path of `name`, with `bytes` written to it.
std::string WriteScratch(const std::string& name, std::string_view bytes);
std::string WriteScratch(const std::string& name, const uint8_t* data, size_t size);

// Answers every question with the preset answer and counts what was shown.
class QuietMessages : public MessageService {
public:
    explicit QuietMessages(int answer = kIdNo) : answer_(answer) {}
    int ShowMessageBox(const std::string&, unsigned flags) override {
        ++shown_;
        return (flags & kMbButtonMask) == kMbYesNo ? answer_ : kIdOk;
    }
    int Shown() const { return shown_; }

private:
    int answer_;
    int shown_ = 0;
};

// A broken promise of the code under test: says what and aborts, so that
// libFuzzer keeps the input as a crash.
[[noreturn]] void Broken(const std::string& what);
inline void Expect(bool condition, const char* what) {
    if (!condition) Broken(what);
}

// Every list, size and unknown section of `a` equals that of `b`; `where` names the check.
void ExpectSameScene(const SceneFile& a, const SceneFile& b, const char* where);

// The model's invariants: every block is exactly its size (at least 6), every
// section's Size is 6 plus its chunks, and TotalSize is the file head (a
// scene read from a file has one, the object store none) plus the head
// chunks plus every section.
void ExpectConsistentScene(const SceneFile& scene, bool fileHead, const char* where);

// Builders for well-formed chunks, for the targets' fixed scenes.
Block MakeChunk(uint16_t id, std::string_view payload);
Block MakeObject(std::string_view name);
Block MakeDefinition(std::string_view name, uint32_t type, std::string_view text);
Block MakeEntryAE51(std::string_view name);
// A scene file image with the given sections (each a list of chunks).
std::string MakeSceneImage(const std::vector<std::pair<uint16_t, std::vector<Block>>>& sections);

}  // namespace pellwise::fuzz
