// One JSON line per frame for headless traces: every match variable, both fighters, the live
// effect slots and the sounds of the frame. Numbers are written so that equal states give
// byte-identical lines.
#pragma once

#include <cstdint>
#include <string>

#include "game/state.h"
#include "media/sound.h"

namespace platform {

class TraceWriter {
public:
    TraceWriter();
    // Builds the line of one frame (ending in '\n'); the buffer is reused from frame to frame.
    const std::string& line(const pelea::GameState& g, const media::SoundEvent* sounds,
                            int soundCount, int64_t frame);

private:
    void field(const void* record, const pelea::FieldInfo& f);
    void fighter(const pelea::Lutador& l);
    void efeitos(const pelea::GameState& g);
    void sounds(const media::SoundEvent* sounds, int count);
    void key(const char* name);
    void number(int64_t v);
    void number(double v);
    void string(const char* s, size_t maxLength);

    std::string out_;
};

}  // namespace platform
