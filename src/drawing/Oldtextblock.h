#pragma once
#include <string>

#include "model/Vqfont.h"

class TPrtReader;

// The text block of old group and annotation records: only its text and font
// are still used, everything around them is read and dropped.
void ReadOldTextBlock(TPrtReader& r, std::string& text, TVqFont& font);
