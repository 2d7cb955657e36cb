#include "drawing/Timedatasetfm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/Pertgra.h"

TTimedatasetFm::TTimedatasetFm(Tpertgra& net, QWidget* parent) : QDialog(parent), net_(net)
{
    setWindowTitle(QStringLiteral("时间参数设置"));
    state_.Load(net);
    showBox = new QCheckBox(QStringLiteral("显示工作时间参数"), this);
    showBox->setChecked(state_.showTimeLabels);
    auto* content = new QGroupBox(QStringLiteral("显示内容"), this);
    auto* cl = new QVBoxLayout(content);
    const char* names[6] = {"最早开始时间（ES）", "最早完成时间（EF）", "最迟开始时间（LS）",
                            "最迟完成时间（LF）", "总时差（TF）",       "自由时差（FF）"};
    for (int i = 0; i < 6; ++i) {
        itemBoxes[size_t(i)] = new QCheckBox(QString::fromUtf8(names[i]), content);
        itemBoxes[size_t(i)]->setChecked(state_.show[size_t(i)]);
        cl->addWidget(itemBoxes[size_t(i)]);
    }
    auto* how = new QGroupBox(QStringLiteral("显示方式"), this);
    auto* hl = new QVBoxLayout(how);
    nonCriticalBox = new QCheckBox(QStringLiteral("只显示非关键线路时间参数"), how);
    connectBox = new QCheckBox(QStringLiteral("显示工作与参数的连线"), how);
    nonCriticalBox->setChecked(state_.nonCriticalOnly);
    connectBox->setChecked(state_.connectLine);
    hl->addWidget(nonCriticalBox);
    hl->addWidget(connectBox);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(showBox);
    layout->addWidget(content);
    layout->addWidget(how);
    layout->addWidget(buttons);
    connect(showBox, &QCheckBox::toggled, this, &TTimedatasetFm::Enable);
    connect(buttons, &QDialogButtonBox::accepted, this, &TTimedatasetFm::Confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Enable();
}

void TTimedatasetFm::Enable()
{
    const bool on = showBox->isChecked();
    for (QCheckBox* b : itemBoxes) b->setEnabled(on);
    nonCriticalBox->setEnabled(on);
    connectBox->setEnabled(on);
}

void TTimedatasetFm::Confirm()
{
    state_.showTimeLabels = showBox->isChecked();
    for (size_t i = 0; i < 6; ++i) state_.show[i] = itemBoxes[i]->isChecked();
    state_.nonCriticalOnly = nonCriticalBox->isChecked();
    state_.connectLine = connectBox->isChecked();
    state_.Apply(net_);
    net_.modified = true;
    accept();
}
