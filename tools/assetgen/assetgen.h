// The generator of the game's external data files: sprite sheets, portraits, stages and music.
// Every file is made in code, deterministically: the same bytes on every run.
#pragma once

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

}  // namespace assetgen
