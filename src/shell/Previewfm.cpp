#include "shell/Previewfm.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "drawing/Displaycommands.h"
#include "drawing/Displaysettings.h"
#include "drawing/Pertdrawmode.h"
#include "model/Pertgra.h"
#include "platform/Messagebox.h"
#include "platform/Printer.h"
#include "platform/qt/Qtcanvas.h"

namespace {

constexpr int kGap = 10;
constexpr int kShadow = 4;
// Largest side of one page's picture; a larger page is drawn at this size.
constexpr int kMaxPageSide = 8000;

}

class Tpreviewfm::TPaintBox : public QWidget {
public:
    TPaintBox(Tpreviewfm& owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

protected:
    void paintEvent(QPaintEvent* e) override
    {
        QPainter p(this);
        owner_.Paint(p, e->rect());
    }

private:
    Tpreviewfm& owner_;
};

Tpreviewfm::Tpreviewfm(Tpertgra& net, IPrinter& printer, TPreviewActions actions, QWidget* parent)
    : QDialog(parent), net_(net), printer_(printer), actions_(std::move(actions))
{
    setWindowTitle(QStringLiteral("预览"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    toolBar = new QToolBar(this);
    layout->addWidget(toolBar);
    auto button = [this](const char* caption, std::function<void()> run) {
        QAction* a = toolBar->addAction(QString::fromUtf8(caption));
        connect(a, &QAction::triggered, this, [this, run] {
            if (run) run();
            Rerender();
        });
        return a;
    };
    connect(toolBar->addAction(QStringLiteral("退出")), &QAction::triggered, this, &QDialog::accept);
    button("打印", [this] { if (actions_.print) actions_.print(); });
    button("打印设置", [this] { if (actions_.printerSetup) actions_.printerSetup(); });
    toolBar->addSeparator();
    const char* stretch[] = {"横向伸长", "横向压缩", "纵向伸长", "纵向压缩"};
    for (int i = 0; i < 4; ++i)
        button(stretch[i], [this, i] { if (actions_.stretch) actions_.stretch(i); });
    toolBar->addSeparator();
    button("图形属性", [this] { if (actions_.settings) actions_.settings(); });
    button("打印比例及边距", [this] { if (actions_.printSettings) actions_.printSettings(); });
    button("放大打印", [this] { if (actions_.ratio) actions_.ratio(true); });
    button("缩小打印", [this] { if (actions_.ratio) actions_.ratio(false); });
    scaleBox = new QComboBox(toolBar);
    for (int p = 100; p >= 10; p -= 10) scaleBox->addItem(QStringLiteral("%1%").arg(p));
    toolBar->addWidget(scaleBox);
    connect(scaleBox, &QComboBox::currentIndexChanged, this,
            [this](int i) { SetScale((100 - 10 * i) / 100.0); });

    scroll_ = new QScrollArea(this);
    scroll_->setBackgroundRole(QPalette::Dark);
    paintBox = new TPaintBox(*this, scroll_);
    scroll_->setWidget(paintBox);
    layout->addWidget(scroll_, 1);
    resize(1000, 720);
    Rerender();
}

Tpreviewfm::~Tpreviewfm() = default;

void Tpreviewfm::SetScale(double s)
{
    scale_ = std::clamp(s, 0.1, 1.0);
    const int index = int(std::lround((1.0 - scale_) * 10));
    if (scaleBox->currentIndex() != index) {
        QSignalBlocker block(scaleBox);
        scaleBox->setCurrentIndex(index);
    }
    Rerender();
    scroll_->horizontalScrollBar()->setValue(0);
    scroll_->verticalScrollBar()->setValue(0);
}

void Tpreviewfm::Rerender()
{
    pages_.clear();
    ApplyPaper(printer_, net_.displaySettings.paperSize, net_.displaySettings.orientation);
    const TPrintGeometry g = PrintGeometry(net_, printer_);
    sheet_ = g.problem.empty() ? PreviewSheet(g, scale_) : TSheet{};
    if (!g.problem.empty()) sheet_.across = sheet_.down = 0;
    paintBox->resize(PaintBoxSize());
    paintBox->update();
}

QRect Tpreviewfm::PageRect(int32_t col, int32_t row) const
{
    const int w = int(sheet_.width);
    const int h = int(sheet_.height);
    return QRect(col * (w + kGap), row * (h + kGap), w, h);
}

QSize Tpreviewfm::PaintBoxSize() const
{
    return QSize(std::max(1, (int(sheet_.width) + kGap) * sheet_.across),
                 std::max(1, (int(sheet_.height) + kGap) * sheet_.down));
}

const QImage& Tpreviewfm::PageImage(int32_t col, int32_t row)
{
    auto it = pages_.find({col, row});
    if (it != pages_.end()) return it->second;
    const int w = std::clamp(int(sheet_.width), 1, kMaxPageSide);
    const int h = std::clamp(int(sheet_.height), 1, kMaxPageSide);
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        TQtCanvas canvas(&image);
        DrawSheet(net_, canvas, sheet_, col, row);
    }
    // The document window keeps showing the screen palette.
    LoadPalette(net_, dkScreen);
    return pages_.emplace(std::make_pair(col, row), std::move(image)).first->second;
}

void Tpreviewfm::Paint(QPainter& p, const QRect& exposed)
{
    p.fillRect(exposed, palette().color(QPalette::Dark));
    for (int32_t row = 0; row < sheet_.down; ++row) {
        for (int32_t col = 0; col < sheet_.across; ++col) {
            const QRect r = PageRect(col, row);
            if (!r.adjusted(0, 0, kShadow, kShadow).intersects(exposed)) continue;
            p.fillRect(r, Qt::white);
            p.drawImage(r.topLeft(), PageImage(col, row));
            p.setPen(QPen(Qt::black, kShadow));
            p.drawLine(r.right() + kShadow / 2, r.top() + kShadow, r.right() + kShadow / 2,
                       r.bottom() + kShadow / 2);
            p.drawLine(r.left() + kShadow, r.bottom() + kShadow / 2, r.right() + kShadow / 2,
                       r.bottom() + kShadow / 2);
        }
    }
}

bool Preview(Tpertgra& net, IPrinter& printer, TPreviewActions actions, QWidget* parent)
{
    if (!PrinterReady(printer)) return false;
    ApplyPaper(printer, net.displaySettings.paperSize, net.displaySettings.orientation);
    const TPrintGeometry g = PrintGeometry(net, printer);
    if (!g.problem.empty()) {
        ShowWarning(g.problem);
        return false;
    }
    Tpreviewfm window(net, printer, std::move(actions), parent);
    window.exec();
    LoadPalette(net, dkScreen);
    return true;
}
