#include "drawing/Setbiaozhufm.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/qt/Qtcanvas.h"
#include "platform/qt/Qtdialogkit.h"
#include "platform/qt/Qtmodaldialog.h"

namespace {

// A colour button shows its colour as the colour of its caption.
void ShowColor(QPushButton* b, int32_t color)
{
    b->setStyleSheet(QStringLiteral("color: %1").arg(QColorOf(color).name()));
}

}  // namespace

TfmSetBiaoZhu::TfmSetBiaoZhu(TSetBiaoZhu& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setWindowTitle(QString::fromUtf8(TSetBiaoZhu::kCaption));
    auto* layout = new QVBoxLayout(this);

    auto* textGroup = new QGroupBox(QStringLiteral("标注内容："), this);
    auto* t = new QGridLayout(textGroup);
    memo = new QPlainTextEdit(textGroup);
    memo->setPlainText(Q(state_.memo));
    memo->setMinimumSize(320, 120);
    t->addWidget(memo, 0, 0, 1, 4);
    fontbut = new QPushButton(QStringLiteral("字体"), textGroup);
    textscreenbut = new QPushButton(QStringLiteral("显示色"), textGroup);
    textprintbut = new QPushButton(QStringLiteral("打印色"), textGroup);
    t->addWidget(fontbut, 1, 0);
    t->addWidget(textscreenbut, 1, 1);
    t->addWidget(textprintbut, 1, 2);
    layout->addWidget(textGroup);

    auto* frameGroup = new QGroupBox(QStringLiteral("边框设置"), this);
    auto* f = new QGridLayout(frameGroup);
    f->addWidget(new QLabel(QStringLiteral("边框线宽度："), frameGroup), 0, 0);
    linewidthedit = new QLineEdit(Q(state_.frameWidthText), frameGroup);
    linewidthedit->setMaximumWidth(70);
    f->addWidget(linewidthedit, 0, 1);
    framescreenbut = new QPushButton(QStringLiteral("显示色"), frameGroup);
    frameprintbut = new QPushButton(QStringLiteral("打印色"), frameGroup);
    f->addWidget(framescreenbut, 0, 2);
    f->addWidget(frameprintbut, 0, 3);
    framechk = new QCheckBox(QStringLiteral("是否显示边框"), frameGroup);
    framechk->setChecked(state_.hasFrame);
    f->addWidget(framechk, 1, 0, 1, 2);
    layout->addWidget(frameGroup);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    okbut = new QPushButton(QStringLiteral("确定"), this);
    okbut->setDefault(true);
    cancelbut = new QPushButton(QStringLiteral("取消"), this);
    buttons->addWidget(okbut);
    buttons->addWidget(cancelbut);
    layout->addLayout(buttons);

    ShowMemoFont();
    ShowColors();
    connect(memo, &QPlainTextEdit::textChanged, this,
            [this] { state_.memo = S(memo->toPlainText()); });
    connect(fontbut, &QPushButton::clicked, this, [this] {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, memo->font(), this);
        if (!ok) return;
        state_.ChooseFont(VqFontOf(chosen, state_.memoFont));
        ShowMemoFont();
    });
    connect(textscreenbut, &QPushButton::clicked, this, [this] { PickColor(state_.textScreenColor); });
    connect(textprintbut, &QPushButton::clicked, this, [this] { PickColor(state_.textPrintColor); });
    connect(framescreenbut, &QPushButton::clicked, this,
            [this] { PickColor(state_.frameScreenColor); });
    connect(frameprintbut, &QPushButton::clicked, this, [this] { PickColor(state_.framePrintColor); });
    connect(linewidthedit, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString shown = Q(state_.FrameWidthEdited(S(text)));
        if (shown != text) linewidthedit->setText(shown);
    });
    connect(framechk, &QCheckBox::toggled, this, [this](bool on) { state_.hasFrame = on; });
    connect(okbut, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelbut, &QPushButton::clicked, this, &QDialog::reject);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfmSetBiaoZhu::ShowMemoFont()
{
    memo->setFont(QFontOf(state_.memoFont));
    QPalette p = memo->palette();
    p.setColor(QPalette::Text, Qt::black);
    memo->setPalette(p);
}

void TfmSetBiaoZhu::ShowColors()
{
    ShowColor(textscreenbut, state_.textScreenColor);
    ShowColor(textprintbut, state_.textPrintColor);
    ShowColor(framescreenbut, state_.frameScreenColor);
    ShowColor(frameprintbut, state_.framePrintColor);
}

void TfmSetBiaoZhu::PickColor(int32_t& color)
{
    const QColor c = QColorDialog::getColor(QColorOf(color), this);
    if (!c.isValid()) return;
    color = StoredColor(c);
    ShowColors();
}

std::unique_ptr<IBiaozhuDialog> MakeBiaozhuDialog(QWidget* parent)
{
    return std::make_unique<TQtModalDialog<IBiaozhuDialog, TfmSetBiaoZhu, TSetBiaoZhu>>(parent);
}
