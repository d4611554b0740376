#include "installer/sample/sample_game.h"

#include <algorithm>
#include <cstdio>

#include "installer/engine/folders.h"
#include "installer/engine/mission_list.h"
#include "installer/sample/sample_chunks.h"
#include "installer/sample/sample_parts.h"
#include "services/atomic_file.h"
#include "services/paths.h"

namespace pellwise {

namespace {

const char* const kMissionNames[] = {"FREERIDE",         "MISE01-INTRO",    "mise02 saliery",
                                     "MISE03-AUTODROME", "MISE04-MOTOREST", "MISE05-TAXIDRIVER",
                                     "mise06-oblek",     "MISE07-SALIERY",  "MISE08-HOTEL"};

std::vector<std::string> MissionNamesFor(const SampleOptions& options) {
    if (!options.MissionNames.empty()) return options.MissionNames;
    std::vector<std::string> names;
    for (int i = 0; i < options.Missions; ++i) {
        if (i < static_cast<int>(std::size(kMissionNames))) {
            names.push_back(kMissionNames[i]);
        } else {
            char name[32];
            std::snprintf(name, sizeof name, "MISE%02d-SAMPLE", i + 1);
            names.push_back(name);
        }
    }
    return names;
}

std::string ObjectName(int mission, int k) {
    char name[32];
    std::snprintf(name, sizeof name, "Lamp_%02d_%04d", mission, k);
    return name;
}

void AddChunk(ChunkWriter& w, const std::vector<uint8_t>& chunk, const std::string& name,
              std::vector<SampleChunkInfo>& infos) {
    w.Raw({reinterpret_cast<const char*>(chunk.data()), chunk.size()});
    infos.push_back({name, static_cast<uint32_t>(chunk.size())});
}

// The game's scene head is 154 bytes: the file head, then the view
// distance, the field of view, the clipping planes and the camera.
void WriteHeadChunks(ChunkWriter& w, int mission) {
    w.Begin(0x3200);  // view distance
    w.U32(0x447A0000);
    w.End();
    w.Begin(0x3010);  // field of view
    w.U32(0x3FA00000);
    w.End();
    w.Begin(0x3211);  // clipping planes
    w.U32(0x3DCCCCCD);
    w.U32(0x44BB8000);
    w.End();
    w.Begin(0xAFFF);  // camera: position, rotation and the rest, 27 floats
    for (int i = 0; i < 27; ++i) w.U32(0x3F800000u + static_cast<uint32_t>((mission * 27 + i) % 64) * 0x10000u);
    w.End();
}

void WriteDefinitions(ChunkWriter& w, int mission, SampleMission& m) {
    w.Begin(0xAE20);
    for (int k = 0; k < 6; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "Script_%02d_%d", mission, k);
        char text[96];
        std::snprintf(text, sizeof text, "dim_flt 2\nconsole_addtext %010d\nwait %d\nend\n", 4000 + k, k + 1);
        AddChunk(w, SampleDefinitionChunk(name, k == 5 ? 4 : 5, text), name, m.Definitions);
    }
    w.End();
}

void WriteEntries(ChunkWriter& w, int mission, SampleMission& m) {
    if (mission % 2 == 1) {
        w.Begin(0xAE02);
        for (int k = 0; k < 2; ++k)
            AddChunk(w, SampleEntryAE03(static_cast<uint32_t>(mission * 10 + k)), "NoName", m.EntriesAE02);
        w.End();
    }
    w.Begin(0xAE50);
    for (int k = 0; k < 4; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "Spawn_%02d_%d", mission, k);
        AddChunk(w, SampleEntryAE51(name, k % 2 ? "wait 1\nend\n" : "end\n"), name, m.EntriesAE50);
    }
    w.End();
}

void WriteObjects(ChunkWriter& w, int mission, const SampleOptions& o, size_t budget, SampleMission& m) {
    w.Begin(0x4000);
    const size_t start = w.Size();
    for (int c = 0; c < o.Collisions; ++c) {
        const std::string name = SampleCollisionName(c);
        AddChunk(w, SampleObjectChunk(name, static_cast<uint32_t>(c), 40), name, m.Objects);
    }
    const size_t padding = std::clamp<size_t>(o.SceneSize / 200, 32, 4096);
    for (int k = 0; w.Size() - start < budget || k < 3; ++k) {
        const std::string name = ObjectName(mission, k);
        const auto seed = static_cast<uint32_t>(mission * 100000 + k);
        AddChunk(w, SampleObjectChunk(name, seed, padding), name, m.Objects);
    }
    w.End();
}

std::vector<uint8_t> BuildScene(int mission, const SampleOptions& o, SampleMission& m) {
    ChunkWriter w;
    w.U16(0x4C53);
    w.U32(0);
    WriteHeadChunks(w, mission);
    ChunkWriter tail;  // the sections after the objects, built first to know their size
    SampleMission tailInfo;
    WriteDefinitions(tail, mission, tailInfo);
    WriteEntries(tail, mission, tailInfo);
    const size_t fixed = w.Size() + 6 + tail.Size();
    WriteObjects(w, mission, o, o.SceneSize > fixed ? o.SceneSize - fixed : 0, m);
    w.Raw(tail.View());
    m.Definitions = tailInfo.Definitions;
    m.EntriesAE50 = tailInfo.EntriesAE50;
    m.EntriesAE02 = tailInfo.EntriesAE02;
    std::vector<uint8_t> bytes = w.Bytes();
    const auto total = static_cast<uint32_t>(bytes.size());
    for (int i = 0; i < 4; ++i) bytes[2 + i] = static_cast<uint8_t>(total >> (8 * i));
    m.SceneSize = total;
    return bytes;
}

}  // namespace

bool WriteSampleFile(const std::string& path, std::string_view bytes, std::string& error) {
    MakeFolders(ParentFolder(path));
    if (WriteFileAtomically(path, bytes) == AtomicWriteStatus::Ok) return true;
    error = "cannot write " + path;
    return false;
}

bool GenerateSampleGame(const std::string& folder, const SampleOptions& options, SampleGame& game, std::string& error) {
    game = SampleGame{};
    game.GameDir = WithTrailingSeparator(folder);
    game.ModDir = JoinPath(game.GameDir, "Tarnwick/");
    if (!MakeFolders(game.GameDir)) {
        error = "cannot create " + game.GameDir;
        return false;
    }
    const std::string missionsDir = JoinPath(game.GameDir, "MISSIONS/");
    std::vector<std::string> names = MissionNamesFor(options);
    for (size_t i = 0; i < names.size(); ++i) {
        SampleMission m;
        m.Name = names[i];
        m.ScenePath = ScenePath(missionsDir, m.Name);
        const std::vector<uint8_t> scene = BuildScene(static_cast<int>(i), options, m);
        if (!WriteSampleFile(m.ScenePath, {reinterpret_cast<const char*>(scene.data()), scene.size()}, error))
            return false;
        game.Missions.push_back(std::move(m));
    }
    std::stable_sort(game.Missions.begin(), game.Missions.end(),
                     [](const SampleMission& a, const SampleMission& b) { return MissionNameLess(a.Name, b.Name); });
    // A mission folder without a scene, with a folder where the scene would be.
    game.MissionWithoutScene = "MISE99-NOSCENE";
    MakeFolders(JoinPath(JoinPath(missionsDir, game.MissionWithoutScene), "scene2.bin/"));
    return WriteSampleTextDb(options, game, error) && WriteSampleMod(options, game, error);
}

}  // namespace pellwise
