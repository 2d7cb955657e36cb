#include "editing/Timedicfm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

#include "schedule/Calendar.h"

namespace {

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

QLineEdit* ReadOnly(QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setReadOnly(true);
    return e;
}

}  // namespace

Ttimedicfm::Ttimedicfm(TTimedic& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setWindowTitle(QString::fromUtf8(TTimedic::kCaption));
    auto* layout = new QVBoxLayout(this);

    diceditgbx = new QGroupBox(this);
    auto* g = new QGridLayout(diceditgbx);
    g->addWidget(new QLabel(QStringLiteral("工作名称："), diceditgbx), 0, 0);
    worknameedit = ReadOnly(diceditgbx);
    g->addWidget(worknameedit, 0, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("持续时间："), diceditgbx), 1, 0);
    workduredit = new QLineEdit(diceditgbx);
    g->addWidget(workduredit, 1, 1, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("天"), diceditgbx), 1, 3);
    leftdicedit = ReadOnly(diceditgbx);
    leftdicud = new QSpinBox(diceditgbx);
    leftdicud->setMinimum(0);
    diceditscb = new QScrollBar(Qt::Horizontal, diceditgbx);
    diceditscb->setMinimumWidth(220);
    rightdicedit = ReadOnly(diceditgbx);
    auto* row = new QHBoxLayout;
    row->addWidget(leftdicedit);
    row->addWidget(leftdicud);
    row->addWidget(diceditscb, 1);
    row->addWidget(rightdicedit);
    g->addLayout(row, 2, 0, 1, 4);
    layout->addWidget(diceditgbx);

    auto* times = new QGroupBox(QStringLiteral("工作时间"), this);
    auto* t = new QGridLayout(times);
    const char* labels[6] = {"计划开始时间：", "计划完成时间：", "最早开始时间：",
                             "最早完成时间：", "最迟开始时间：", "最迟完成时间："};
    for (int i = 0; i < 6; ++i) {
        t->addWidget(new QLabel(QString::fromUtf8(labels[i]), times), i / 2, (i % 2) * 2);
        dates[i] = ReadOnly(times);
        t->addWidget(dates[i], i / 2, (i % 2) * 2 + 1);
    }
    layout->addWidget(times);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    okbut = new QPushButton(QStringLiteral("确定"), this);
    okbut->setDefault(true);
    cancelbut = new QPushButton(QStringLiteral("取消"), this);
    buttons->addWidget(okbut);
    buttons->addWidget(cancelbut);
    layout->addLayout(buttons);

    leftdicud->setMaximum(state_.scrollMax);
    diceditscb->setRange(0, state_.scrollMax);
    diceditscb->setPageStep(1);
    ShowState();

    connect(diceditscb, &QScrollBar::valueChanged, this, [this](int v) {
        if (showing_) return;
        state_.ScrollTo(v);
        ShowState();
    });
    connect(leftdicud, &QSpinBox::valueChanged, this, [this](int v) {
        if (showing_) return;
        state_.UpDownTo(v);
        ShowState();
    });
    connect(workduredit, &QLineEdit::textEdited, this, [this](const QString& s) {
        state_.DurationEdited(s.toStdString());
        ShowState();
    });
    connect(okbut, &QPushButton::clicked, this, [this] {
        state_.Confirm();
        accept();
    });
    connect(cancelbut, &QPushButton::clicked, this, &QDialog::reject);
}

void Ttimedicfm::ShowState()
{
    showing_ = true;
    diceditgbx->setTitle(Q(state_.diceditgbx));
    worknameedit->setText(Q(state_.worknameedit));
    if (!workduredit->hasFocus()) workduredit->setText(Q(state_.workduredit));
    leftdicedit->setText(Q(state_.leftdicedit));
    rightdicedit->setText(Q(state_.rightdicedit));
    leftdicud->setValue(state_.scrollPos);
    diceditscb->setValue(state_.scrollPos);
    const double values[6] = {state_.planStart, state_.planFinish, state_.esStart,
                              state_.esFinish,  state_.lsStart,    state_.lsFinish};
    for (int i = 0; i < 6; ++i) dates[i]->setText(Q(DateText(values[i])));
    showing_ = false;
}

namespace {

class TQtTimedicDialog : public ITimedicDialog {
public:
    TQtTimedicDialog(QWidget* parent, std::function<void()> refresh)
        : parent_(parent), refresh_(std::move(refresh))
    {
    }
    bool Show(TTimedic& state) override
    {
        Ttimedicfm d(state, parent_);
        return d.exec() == QDialog::Accepted;
    }
    std::function<void()> Refresher() override { return refresh_; }

private:
    QWidget* parent_;
    std::function<void()> refresh_;
};

}  // namespace

std::unique_ptr<ITimedicDialog> MakeTimedicDialog(QWidget* parent, std::function<void()> refresh)
{
    return std::make_unique<TQtTimedicDialog>(parent, std::move(refresh));
}
