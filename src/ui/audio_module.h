#pragma once

#include "platform/sound.h"

#include <string>

namespace tarvelo::ui {

// The audio layer (ui/sdl_sound) is a module of its own, opened at run time
// (ui/program_sound), so that starting the program maps neither SDL nor
// FluidSynth. This is all the program and the module share: the module's
// file name and its one entry point.
inline constexpr char kAudioModuleFile[] = "libtarvelo_audio.so";
inline constexpr char kOpenSoundSymbol[] = "tarvelo_open_sound";

// Opens the audio device and the soundfont. Returns the layer, never null
// (the caller deletes it); `problem` says what keeps it silent, in part or
// whole, and stays empty when everything works.
using OpenSoundFunction = Sound* (*)(std::string& problem);

} // namespace tarvelo::ui
