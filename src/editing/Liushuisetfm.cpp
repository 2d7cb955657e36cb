#include "editing/Liushuisetfm.h"
#include "platform/qt/Qtmodaldialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

Tliushuisetfm::Tliushuisetfm(TLiushuiset& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setWindowTitle(QString::fromUtf8(TLiushuiset::kCaption));
    auto* layout = new QVBoxLayout(this);
    auto* g = new QGridLayout;
    g->addWidget(new QLabel(QStringLiteral("流水层数："), this), 0, 0);
    liushuicengnumedit = new QLineEdit(QString::fromStdString(state_.liushuicengnumedit), this);
    liushuicengnumedit->setMaxLength(2);
    g->addWidget(liushuicengnumedit, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("流水段数："), this), 1, 0);
    liushuiduannumedit = new QLineEdit(QString::fromStdString(state_.liushuiduannumedit), this);
    liushuiduannumedit->setMaxLength(2);
    g->addWidget(liushuiduannumedit, 1, 1);
    layout->addLayout(g);
    chkcengduanname = new QCheckBox(QStringLiteral("加入层段名"), this);
    chkcengduanname->setChecked(state_.chkcengduanname);
    layout->addWidget(chkcengduanname);
    liushuifxrgp = new QGroupBox(QStringLiteral("流水方向"), this);
    auto* dir = new QHBoxLayout(liushuifxrgp);
    uprbtn = new QRadioButton(QStringLiteral("向上"), liushuifxrgp);
    downrbtn = new QRadioButton(QStringLiteral("向下"), liushuifxrgp);
    dir->addWidget(uprbtn);
    dir->addWidget(downrbtn);
    (state_.liushuifxrgp == 0 ? uprbtn : downrbtn)->setChecked(true);
    layout->addWidget(liushuifxrgp);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    okbut = new QPushButton(QStringLiteral("确定"), this);
    okbut->setDefault(true);
    cancelbut = new QPushButton(QStringLiteral("取消"), this);
    buttons->addWidget(okbut);
    buttons->addWidget(cancelbut);
    layout->addLayout(buttons);

    connect(okbut, &QPushButton::clicked, this, [this] {
        Collect();
        // A long generation shows the hourglass.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const bool done = state_.Confirm();
        QApplication::restoreOverrideCursor();
        if (done) accept();
    });
    connect(cancelbut, &QPushButton::clicked, this, &QDialog::reject);
    adjustSize();
}

void Tliushuisetfm::Collect()
{
    state_.liushuicengnumedit = liushuicengnumedit->text().toStdString();
    state_.liushuiduannumedit = liushuiduannumedit->text().toStdString();
    state_.chkcengduanname = chkcengduanname->isChecked();
    state_.liushuifxrgp = uprbtn->isChecked() ? 0 : 1;
}

std::unique_ptr<ILiushuiDialog> MakeLiushuiDialog(QWidget* parent)
{
    return std::make_unique<TQtModalDialog<ILiushuiDialog, Tliushuisetfm, TLiushuiset>>(parent);
}
