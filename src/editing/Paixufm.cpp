#include "editing/Paixufm.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gantt/Paixuchoice.h"
#include "platform/qt/Qtmodaldialog.h"

Tpaixufm::Tpaixufm(TPaixuChoice& choice, QWidget* parent) : QDialog(parent), choice_(choice)
{
    setWindowTitle(QString::fromUtf8(TPaixuChoice::kCaption));
    auto* layout = new QVBoxLayout(this);
    auto* paixumode = new QGroupBox(QString::fromUtf8(TPaixuChoice::kModeGroup), this);
    paixumode->setObjectName(QStringLiteral("paixumode"));
    auto* modes = new QVBoxLayout(paixumode);
    byStart = new QRadioButton(QString::fromUtf8(TPaixuChoice::kByStart), paixumode);
    byGroup = new QRadioButton(QString::fromUtf8(TPaixuChoice::kByGroup), paixumode);
    modes->addWidget(byStart);
    modes->addWidget(byGroup);
    layout->addWidget(paixumode);
    (choice.paixumode == 1 ? byGroup : byStart)->setChecked(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    okbut = new QPushButton(QStringLiteral("确定"), this);
    okbut->setObjectName(QStringLiteral("okbut"));
    okbut->setDefault(true);
    cancelbut = new QPushButton(QStringLiteral("取消"), this);
    cancelbut->setObjectName(QStringLiteral("cancelbut"));
    buttons->addWidget(okbut);
    buttons->addWidget(cancelbut);
    layout->addLayout(buttons);
    connect(byStart, &QRadioButton::toggled, this, [this](bool on) {
        if (on) choice_.paixumode = 0;
    });
    connect(byGroup, &QRadioButton::toggled, this, [this](bool on) {
        if (on) choice_.paixumode = 1;
    });
    connect(okbut, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelbut, &QPushButton::clicked, this, &QDialog::reject);
}

std::unique_ptr<IPaixuDialog> MakePaixuDialog(QWidget* parent)
{
    return std::make_unique<TQtModalDialog<IPaixuDialog, Tpaixufm, TPaixuChoice>>(parent);
}
