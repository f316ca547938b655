// Softer flashes also calm the screen shake: the picture shown is moved back by half of what a
// shake moved the view this frame, so the stage and the fighters move half as far on the screen.
// Only the picture moves; the game's view (and so everything it decides) is the game's own.
#pragma once

#include "platform/common/frame_pipeline.h"

namespace options {

class SoftShake : public platform::LoopWatcher {
public:
    // The largest move a shake gives the view on either axis; anything larger was not a shake
    // (a reset, a rewind) and leaves the picture where it is.
    static constexpr int kLargestShake = 10;

    void keyDown(int /*virtualKey*/) override {}
    void frameDone(const pelea::TForm1& /*form*/) override {}
    void draw(pelea::TForm1& form) override;
    void loopEnds(const pelea::TForm1& /*form*/) override {}

    // How far the last picture was moved, in pixels (tests).
    int movedX() const { return movedX_; }
    int movedY() const { return movedY_; }

private:
    // Where the view would be this frame without a shake, worked out once the frame before was
    // done, and whether a shake was running then.
    bool calmKnown_ = false, shaking_ = false;
    int calmX_ = 0, calmY_ = 0;
    int movedX_ = 0, movedY_ = 0;
};

// Moves the picture by (dx, dy), the uncovered edge black.
void movePicture(media::Surface& surface, int dx, int dy);

}  // namespace options
