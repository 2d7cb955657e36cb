#include "drawing/Vanguardlinesetfm.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include "model/Pertgra.h"
#include "platform/qt/Qtdialogkit.h"

Tvanguardlinesetfm::Tvanguardlinesetfm(Tpertgra& net, QWidget* parent)
    : QDialog(parent), net_(net)
{
    setWindowTitle(QStringLiteral("前锋线设置"));
    state_.Load(net);
    checkDate = new QDateEdit(DateOfStamp(state_.checkDate), this);
    checkDate->setCalendarPopup(true);
    checkDate->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    showBox = new QCheckBox(QStringLiteral("是否显示前锋线"), this);
    showBox->setChecked(state_.showProgressLine);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("检查时间："), checkDate);
    form->addRow(QString(), showBox);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &Tvanguardlinesetfm::Confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void Tvanguardlinesetfm::Confirm()
{
    const TVanguardlineset before = state_;
    state_.checkDate = StampOfDate(checkDate->date());
    state_.showProgressLine = showBox->isChecked();
    state_.Apply(net_);
    if (state_.checkDate != before.checkDate || state_.showProgressLine != before.showProgressLine)
        net_.modified = true;
    accept();
}
