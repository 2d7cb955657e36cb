#include "entry/Worknamefm.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Messagebox.h"
#include "platform/qt/Qtdialogkit.h"

Tfmworkname::Tfmworkname(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("常用工作名称"));
    memo = new QPlainTextEdit(this);
    memo->setMinimumSize(320, 360);
    okButton = new QPushButton(QStringLiteral("确定"), this);
    cancelButton = new QPushButton(QStringLiteral("取消"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memo);
    layout->addLayout(buttons);

    state_.Load();
    loading_ = true;
    memo->setPlainText(Q(state_.text));
    loading_ = false;
    connect(memo, &QPlainTextEdit::textChanged, this, [this] {
        if (loading_) return;
        state_.text = S(memo->toPlainText());
        state_.modified = true;
    });
    connect(okButton, &QPushButton::clicked, this, &Tfmworkname::Confirm);
    connect(cancelButton, &QPushButton::clicked, this, &Tfmworkname::Cancel);
}

void Tfmworkname::Confirm()
{
    if (!state_.Confirm()) {
        ShowWarning("不能保存工作名称列表！");
        return;
    }
    done(1);
}

void Tfmworkname::Cancel()
{
    state_.Cancel();
    done(2);
}
