#pragma once

#include "Output.h"

// Each writes one part of the program folder.
void MakeMainSkin(const OutputFolder& out);   // GraphicRes/Main
void MakeWizardSkin(const OutputFolder& out); // GraphicRes/Wizard
void MakeSplashAndIcon(const OutputFolder& out);
void MakeSounds(const OutputFolder& out); // WavRes
// Themes/<name>/, Themes.ini and Res.ini (its theme count is the number of themes written).
void MakeThemes(const OutputFolder& out);
// Albums/Sample/ pictures and Albums/Sample.kpa naming them by their installed absolute paths.
void MakeSampleAlbum(const OutputFolder& out);
