#pragma once

// Child control IDs of the client window; the window-driving test finds the
// controls by them.

namespace chat::control {

inline constexpr int Address = 101;
inline constexpr int Nickname = 102;
inline constexpr int Connect = 103;
inline constexpr int Transcript = 104;
inline constexpr int Input = 105;
inline constexpr int Send = 106;

}  // namespace chat::control
