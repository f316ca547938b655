// The glowing and moving effect pictures: flashes, puffs, projectiles, energy, blood, fire,
// sparks, aura and whirlwind. Each painter fills a white picture of the right size.
#pragma once

#include "media/picture.h"

namespace media::fx {

void hitFlash(Picture& p, int frame);  // frames 0 … 2
void puff(Picture& p, int frame);      // 0 … 4
void energyBall(Picture& p, int frame);
void energyColumn(Picture& p, int stage);  // 0 … 2
void spiralOrb(Picture& p, int frame);
void blood(Picture& p, int frame);  // 0 … 6
void fire(Picture& p, int frame);   // 0 … 4
void fireball(Picture& p, int frame);
void iceShard(Picture& p, int frame);
void blockSpark(Picture& p, int frame);  // 0 … 2
void thunderBall(Picture& p, int frame);
void flameBurst(Picture& p, int frame);  // 0 … 2
void aura(Picture& p, int frame);        // 0 … 2
void ghostSerpent(Picture& p, int frame);
void ghostComet(Picture& p, int frame);
void whirlwind(Picture& p, int frame);  // 0 … 3

}  // namespace media::fx
