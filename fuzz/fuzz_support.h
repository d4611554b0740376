#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "gamedata/scene_file.h"
#include "services/message_service.h"

namespace pellwise::fuzz {

// A scratch folder for the files the readers are given, one per fuzzing
// process, on a memory file system when there is one; removed at exit.
const std::string& ScratchFolder();
// The scratch path of `name`, with `bytes` written to it.
std::string WriteScratch(const std::string& name, const uint8_t* data, size_t size);

// Answers every question with the preset answer and counts what was shown.
class QuietMessages : public MessageService {
public:
    explicit QuietMessages(int answer = kIdNo) : answer_(answer) {}
    int ShowMessageBox(const MessageText&, unsigned flags) override {
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
void Expect(bool condition, const char* what);

// Loads the input, written to the scratch file `name`, with `load`: a failed
// load says why, once; one that succeeds says nothing.
template <class Model>
bool LoadInput(Model& model, bool (*load)(Model&, const std::string&, MessageService&), const char* name,
               const uint8_t* data, size_t size) {
    QuietMessages messages;
    const bool loaded = load(model, WriteScratch(name, data, size), messages);
    Expect(messages.Shown() == (loaded ? 0 : 1), "a load shows one message when it fails, none otherwise");
    return loaded;
}

// The scene saves (the writer refuses a model whose sizes disagree with its
// chunks), and what it saved reads back and saves again to the same bytes.
void ExpectSceneRoundTrip(const SceneFile& scene);

}  // namespace pellwise::fuzz
