#pragma once

namespace lumenpoll {

// Which of the two programs is running; each entry point passes its own.
enum class Edition { Full, Lite };

}  // namespace lumenpoll
