#pragma once
#include <cstdint>
#include <functional>
#include <string>

class Tpertgra;

// Which colours a picture is drawn in: the print palette on a white ground
// (the default) or the screen palette on its background colour.
enum class TPicturePalette { Print, Screen };

// Lays the network out and writes its drawing to a picture file; the format
// comes from the extension: .png, .jpg/.jpeg and .bmp are images of the
// drawing's size times `scale` pixels, .svg and .pdf vector drawings (the
// PDF one page of the drawing's own size, 96 drawing units to the inch,
// also times `scale`). Without a running Qt application one is made for the
// call on the offscreen platform, so no display is needed. The network's
// current palette is the screen one again afterwards. Returns false with
// the reason in *problem when nothing could be written.
// A PNG picture is drawn in bands of rows, each painted in tiles, and
// written row by row, so its memory does not grow with its size; JPEG and
// BMP pictures are drawn in one piece.
struct TPngBands {
    int32_t rows = 0;       // rows of a band; 0: as many as fill 32 MB
    int32_t columns = 0;    // columns of a tile; 0: 8192
};
bool ExportPicture(Tpertgra& net, const std::string& path,
                   TPicturePalette palette = TPicturePalette::Print, double scale = 1.0,
                   std::string* problem = nullptr, TPngBands bands = {});

// Runs `job` inside a graphical Qt application, made on the offscreen
// platform for the call when none runs (the headless command line). False,
// without running it, when none can be made.
bool WithPictureGui(const std::function<void()>& job);
