#pragma once
#include <cstdint>

class Tpertgra;
class TPrtReader;

// Readers of the bodies older than layout 3: layout 2 (files above 1.54
// whose layout number is 2) and the body of files of 1.54 and older. Both
// throw TPrtFormatError on data that cannot be what it claims.

// Everything after the layout number, the network included.
void ReadLayout2Body(TPrtReader& r, Tpertgra& net);
// The whole body after the version string, the network included, and for
// files below 1.2 the old display settings that follow it.
void ReadOldBody(TPrtReader& r, Tpertgra& net, double version);

// The settings of files older than 1.2 that follow their network, applied as
// the settings dialog's OK step applies its controls.
void ReadOldDisplaySettings(TPrtReader& r, Tpertgra& net);

// 00:00 of the day holding the stored value; the first day of the stored
// range has no midnight inside it, which makes the file corrupt.
int32_t StartOfStoredDay(int32_t stamp);
