#pragma once
#include "model/Vqbrush.h"

class TPrtWriter;
class TPrtReader;

// The brush record: int32 2, style, colour. A version below 2 leaves the brush as it is.
void WriteBrushRecord(TPrtWriter& w, const TVqBrush& b);
void ReadBrushRecord(TPrtReader& r, TVqBrush& b);
// Files up to 1.54: style and colour without version.
void ReadBrushOld(TPrtReader& r, TVqBrush& b);
