#pragma once

#include <string>
#include <string_view>

#include "installer/sample/sample_game.h"

// The pieces of the sample generator, one file each.
namespace pellwise {

// Name of the c-th object that the mod brings and every mission has already.
std::string SampleCollisionName(int c);
// Text of the i-th entry of the game's text database (windows-1251).
std::string SampleGameText(int i);

bool WriteSampleFile(const std::string& path, std::string_view bytes, std::string& error);
bool WriteSampleTextDb(const SampleOptions& options, SampleGame& game, std::string& error);
bool WriteSampleMod(const SampleOptions& options, SampleGame& game, std::string& error);

}  // namespace pellwise
