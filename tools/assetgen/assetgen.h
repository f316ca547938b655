// The generator of the game's external data files: sprite sheets, portraits, stages and music.
// Every file is made in code, deterministically: the same bytes on every run.
#pragma once

#include <cstdio>
#include <string>

namespace assetgen {

// Each writer puts its files into dir (which exists) and returns false, after one stderr line,
// when a file cannot be written.
bool writeFighters(const std::string& dir);   // "C01.bmp" … "C12.bmp"
bool writePortraits(const std::string& dir);  // "R01-a.bmp" … "R12-b.bmp"
bool writeStages(const std::string& dir);     // "Cenario-01.bmp" … "Cenario-08.bmp"
bool writeMusic(const std::string& dir);      // "Musica-01.wav" … "Musica-03.wav"
// One PNG contact sheet per character, every frame labelled, anchor column marked.
bool writePreview(const std::string& dir);
// For every frame of every sheet: its squeeze, its spill, the body box and the reaching tip
// relative to the anchor, one line each.
void printMeasures(std::FILE* out);
// The contact and attack tables of a slot with their areas measured afresh on its sheet: the
// body of each contact row's frame, and the reaching fist or foot (or the body) of the frame each
// attack row strikes on.
void printAreas(std::FILE* out, int slot);

}  // namespace assetgen
