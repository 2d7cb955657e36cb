#pragma once
#include <cstdint>

class Tpertgra;
class TPrtReader;

// "设置默认值": fonts, title gap, pens, the three display blocks, the frame,
// the resource brushes, the time scale (width 10, no spans) and the Gantt
// charts' settings back to their defaults; marks the network modified. The
// caller lays out and redraws.
void ResetDisplaySettings(Tpertgra& net);

// Loads the palette of the current display block for a pass of the kind:
// from the print block for printing and preview (background white) and on
// screen when useScreenPalette is off, from the screen block otherwise;
// the work font takes the matching text colour and the frame the matching
// colour set.
void LoadPalette(Tpertgra& net, int32_t kind);

// Colour of node numbers in a pass of the kind: the screen block's on
// screen, the print block's for printing, preview and on screen without
// useScreenPalette, black for drag feedback.
int32_t NodeNumberColor(const Tpertgra& net, int32_t kind);

// The settings that files older than 1.2 keep after their network, read from
// the file and applied as the settings dialog's OK step applies its controls
// (the reading lives with the other old layouts of the project file).
void ConvertOldSettings(Tpertgra& net, TPrtReader& file);
