#include "resources/Tresyongliangfm.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/qt/Qtdialogkit.h"

Tresyongliangfm::Tresyongliangfm(const Tpertgra& net, QWidget* parent) : QDialog(parent), net_(net)
{
    setWindowTitle(QStringLiteral("资源用量"));
    state_.Load(net);
    auto* group = new QGroupBox(QStringLiteral("资源用量分析："), this);
    auto* form = new QFormLayout(group);
    list_ = new QTableWidget(int(state_.rows.size()), 3, group);
    list_->setHorizontalHeaderLabels(
        {QStringLiteral("编号"), QStringLiteral("资源名称"), QStringLiteral("单位")});
    list_->verticalHeader()->setVisible(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int i = 0; i < int(state_.rows.size()); ++i) {
        const Tresourceusage::TRow& r = state_.rows[size_t(i)];
        list_->setItem(i, 0, new QTableWidgetItem(Q(r.number)));
        list_->setItem(i, 1, new QTableWidgetItem(Q(r.name)));
        list_->setItem(i, 2, new QTableWidgetItem(Q(r.unit)));
    }
    start_ = new QDateEdit(DateOfStamp(state_.startDate), group);
    end_ = new QDateEdit(DateOfStamp(state_.endDate), group);
    for (QDateEdit* e : {start_, end_}) {
        e->setCalendarPopup(true);
        e->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    auto box = [group] {
        auto* e = new QLineEdit(group);
        e->setReadOnly(true);
        return e;
    };
    total_ = box();
    period_ = box();
    ratio_ = box();
    auto* compute = new QPushButton(QStringLiteral("计算用量"), group);
    form->addRow(QStringLiteral("选择资源："), list_);
    form->addRow(QStringLiteral("该资源总用量："), total_);
    form->addRow(QStringLiteral("开始时间："), start_);
    form->addRow(QStringLiteral("结束时间："), end_);
    form->addRow(QString(), compute);
    form->addRow(QStringLiteral("该时间段资源用量："), period_);
    form->addRow(QStringLiteral("用量比例："), ratio_);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(close, 0, Qt::AlignRight);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(list_, &QTableWidget::itemSelectionChanged, this, [this] {
        state_.Select(net_, Selected());
        Show();
    });
    connect(compute, &QPushButton::clicked, this, [this] {
        state_.startDate = StampOfDate(start_->date());
        state_.endDate = StampOfDate(end_->date());
        if (state_.Compute(net_, Selected())) Show();
    });
}

int Tresyongliangfm::Selected() const
{
    return list_->selectedItems().isEmpty() ? -1 : list_->currentRow();
}

void Tresyongliangfm::Show()
{
    total_->setText(Q(state_.totalText));
    period_->setText(Q(state_.periodText));
    ratio_->setText(Q(state_.ratioText));
}
