#include "drawing/Scalesetfm.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "model/Pertgra.h"
#include "platform/qt/Qtdialogkit.h"

namespace {

QDateEdit* DatePicker(int32_t stamp, QWidget* parent)
{
    auto* d = new QDateEdit(DateOfStamp(stamp), parent);
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    return d;
}

}  // namespace

Tfmscalebiliset::Tfmscalebiliset(Tpertgra& net, std::function<void()> redraw, QWidget* parent)
    : QDialog(parent), net_(net), redraw_(std::move(redraw))
{
    setWindowTitle(QStringLiteral("标尺比例设置"));
    state_.Load(net);

    list = new QTreeWidget(this);
    list->setRootIsDecorated(false);
    list->setHeaderLabels({QStringLiteral("开始时间"), QStringLiteral("结束时间")});
    list->setMinimumWidth(260);
    spanStart = DatePicker(net.projectStart, this);
    spanEnd = DatePicker(net.projectStart, this);
    auto* add = new QPushButton(QStringLiteral("添加"), this);
    auto* change = new QPushButton(QStringLiteral("修改"), this);
    auto* remove = new QPushButton(QStringLiteral("删除"), this);
    auto* stretch = new QPushButton(QStringLiteral("伸长"), this);
    auto* shrink = new QPushButton(QStringLiteral("压缩"), this);
    auto* pickers = new QFormLayout;
    pickers->addRow(QStringLiteral("开始时间"), spanStart);
    pickers->addRow(QStringLiteral("结束时间"), spanEnd);
    auto* spanButtons = new QGridLayout;
    spanButtons->addWidget(add, 0, 0);
    spanButtons->addWidget(change, 0, 1);
    spanButtons->addWidget(remove, 0, 2);
    spanButtons->addWidget(stretch, 1, 0);
    spanButtons->addWidget(shrink, 1, 1);
    auto* side = new QVBoxLayout;
    side->addLayout(pickers);
    side->addLayout(spanButtons);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(list);
    top->addLayout(side);

    auto* range = new QGroupBox(QStringLiteral("设置局部显示的时间范围："), this);
    rangeStart = DatePicker(state_.rangeStart, range);
    rangeEnd = DatePicker(state_.rangeEnd, range);
    auto* showAll = new QPushButton(QStringLiteral("全部显示"), range);
    auto* rl = new QHBoxLayout(range);
    rl->addWidget(rangeStart);
    rl->addWidget(rangeEnd);
    rl->addWidget(showAll);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(range);
    layout->addWidget(buttons);

    connect(add, &QPushButton::clicked, this, [this] {
        if (state_.AddSpan(net_, StampOfDate(spanStart->date()), StampOfDate(spanEnd->date())))
            Reload();
    });
    connect(change, &QPushButton::clicked, this, [this] {
        if (state_.ChangeSpan(net_, Selected(), StampOfDate(spanStart->date()),
                              StampOfDate(spanEnd->date())))
            Reload();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (state_.DeleteSpan(Selected())) Reload();
    });
    connect(stretch, &QPushButton::clicked, this, [this] {
        const int32_t i = Selected();
        if (!state_.StretchSpan(net_, i)) return;
        if (redraw_) redraw_();
        Reload();
    });
    connect(shrink, &QPushButton::clicked, this, [this] {
        const int32_t i = Selected();
        if (!state_.ShrinkSpan(net_, i)) return;
        if (redraw_) redraw_();
        Reload();
    });
    connect(showAll, &QPushButton::clicked, this, [this] {
        state_.ShowAll(net_);
        rangeStart->setDate(DateOfStamp(state_.rangeStart));
        rangeEnd->setDate(DateOfStamp(state_.rangeEnd));
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &Tfmscalebiliset::Confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &Tfmscalebiliset::reject);
    Reload();
}

int32_t Tfmscalebiliset::Selected() const
{
    QTreeWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? list->indexOfTopLevelItem(item) : -1;
}

void Tfmscalebiliset::Reload()
{
    const int32_t keep = Selected();
    list->clear();
    for (const auto& [from, to] : state_.Lines(net_))
        list->addTopLevelItem(new QTreeWidgetItem(QStringList{Q(from), Q(to)}));
    if (keep >= 0 && keep < list->topLevelItemCount())
        list->setCurrentItem(list->topLevelItem(keep));
}

void Tfmscalebiliset::Confirm()
{
    state_.rangeStart = StampOfDate(rangeStart->date());
    state_.rangeEnd = StampOfDate(rangeEnd->date());
    state_.Apply(net_);
    accept();
}

void Tfmscalebiliset::reject()
{
    state_.Cancel(net_);
    QDialog::reject();
}
