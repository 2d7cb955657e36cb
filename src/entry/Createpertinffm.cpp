#include "entry/Createpertinffm.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/Pertgra.h"
#include "platform/qt/Qtdialogkit.h"

TfmCreatePertInf::TfmCreatePertInf(Tpertgra& net, QWidget* parent) : QDialog(parent), net_(net)
{
    setWindowTitle(QStringLiteral("工程信息"));
    state_.Load(net);
    auto* group = new QGroupBox(QStringLiteral("工程信息"), this);
    auto* form = new QFormLayout(group);
    edtPertprjname = new QLineEdit(Q(state_.networkTitle), group);
    edtGanttprjname = new QLineEdit(Q(state_.ganttTitle), group);
    dtpStart = new QDateEdit(DateOfStamp(state_.start), group);
    dtpStart->setCalendarPopup(true);
    dtpStart->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edtPertprjname->setMinimumWidth(260);
    form->addRow(QStringLiteral("网络图名称："), edtPertprjname);
    form->addRow(QStringLiteral("横道图名称："), edtGanttprjname);
    form->addRow(QStringLiteral("开工时间："), dtpStart);
    btnOk = new QPushButton(QStringLiteral("确定"), this);
    btnCancel = new QPushButton(QStringLiteral("取消"), this);
    btnOk->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    connect(btnOk, &QPushButton::clicked, this, &TfmCreatePertInf::Confirm);
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(2); });
}

int TfmCreatePertInf::Run()
{
    const int r = exec();
    return r == 1 ? 1 : 2;
}

void TfmCreatePertInf::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    edtPertprjname->setFocus();
}

void TfmCreatePertInf::Confirm()
{
    state_.networkTitle = S(edtPertprjname->text());
    state_.ganttTitle = S(edtGanttprjname->text());
    state_.start = StampOfDate(dtpStart->date());
    state_.Apply(net_);
    done(1);
}
