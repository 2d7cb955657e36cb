#pragma once
#include <QDialog>
#include <QImage>
#include <functional>
#include <map>
#include <utility>

#include "shell/Printnetwork.h"

class QComboBox;
class QScrollArea;
class QToolBar;
class QWidget;
class Tpertgra;
class IPrinter;

// What the preview's tool bar does to the document besides showing pages;
// the main window binds them to its commands (each an undo step).
struct TPreviewActions {
    std::function<void()> print;
    std::function<void()> printerSetup;
    std::function<void(int)> stretch;           // 0 横向伸长, 1 横向压缩, 2 纵向伸长, 3 纵向压缩
    std::function<void()> settings;             // 图形属性
    std::function<void()> printSettings;        // 打印比例及边距
    std::function<void(bool enlarge)> ratio;    // 放大打印 / 缩小打印
};

// The print preview "预览": the pages the printer would print, side by side
// with 10-pixel gaps and shadows, at a chosen scale. Each page is drawn when
// it comes into view and kept until something changes.
class Tpreviewfm : public QDialog {
public:
    Tpreviewfm(Tpertgra& net, IPrinter& printer, TPreviewActions actions,
               QWidget* parent = nullptr);
    ~Tpreviewfm() override;

    // The view scale s (1.0 = 100%); scrolls to the top left and renders again.
    void SetScale(double s);
    double Scale() const { return scale_; }
    // Measures the pages again (after a change of the network or the printer).
    void Rerender();
    const TSheet& Sheet() const { return sheet_; }
    // The picture of page (col, row), drawn when first asked for.
    const QImage& PageImage(int32_t col, int32_t row);
    // Where page (col, row) stands in the paint box.
    QRect PageRect(int32_t col, int32_t row) const;
    QSize PaintBoxSize() const;
    QToolBar* toolBar = nullptr;
    QComboBox* scaleBox = nullptr;
    QWidget* paintBox = nullptr;

private:
    class TPaintBox;
    void Paint(QPainter& p, const QRect& exposed);

    Tpertgra& net_;
    IPrinter& printer_;
    TPreviewActions actions_;
    double scale_ = 1.0;
    TSheet sheet_;
    QScrollArea* scroll_ = nullptr;
    std::map<std::pair<int32_t, int32_t>, QImage> pages_;
};

// "打印预览": checks the printer, applies the paper and shows the preview
// modally. False when the printer cannot be used or nothing can be printed.
bool Preview(Tpertgra& net, IPrinter& printer, TPreviewActions actions, QWidget* parent);
