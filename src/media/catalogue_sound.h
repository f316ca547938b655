// The built-in sounds, synthesised in code: the sound effects and the victory voices. Each is
// made as the bytes of an 8-bit mono 22050 Hz RIFF WAVE file, then read like any sound file.
#pragma once

#include <cstdint>
#include <vector>

namespace media {

enum class BuiltinSounds { Snd, Vitoria };

// The WAVE bytes of item `index` of the sound-effect or victory-voice list; the same bytes on
// every call. An index outside the list gives no bytes.
std::vector<uint8_t> builtinSoundWav(BuiltinSounds list, int index);

}  // namespace media
