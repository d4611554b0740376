#pragma once

namespace pellwise {

// The answer to a yes/no question of the run, or none yet: Ask means the
// question is still to be asked (or, given as a preset, that it shall be).
enum class Answer { Ask, Yes, No };

}  // namespace pellwise
