#include "editing/Deletefm.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "editing/Deletechoice.h"
#include "platform/qt/Qtmodaldialog.h"

TDeletefm::TDeletefm(TDeleteChoice& choice, QWidget* parent) : QDialog(parent), choice_(choice)
{
    setWindowTitle(QString::fromUtf8(TDeleteChoice::kCaption));
    auto* layout = new QVBoxLayout(this);

    auto* workGroup = new QGroupBox(QString::fromUtf8(TDeleteChoice::kWorkGroup), this);
    auto* workLayout = new QVBoxLayout(workGroup);
    chkedge = new QCheckBox(QString::fromStdString(choice.edgeCaption), workGroup);
    workLayout->addWidget(chkedge);
    layout->addWidget(workGroup);

    auto* linkGroup = new QGroupBox(QString::fromUtf8(TDeleteChoice::kLinkGroup), this);
    auto* linkLayout = new QVBoxLayout(linkGroup);
    chkbacklink = new QCheckBox(QString::fromUtf8(TDeleteChoice::kBackLinkText), linkGroup);
    chkbacklink->setStyleSheet(QStringLiteral("color: red"));
    chkfrontlink = new QCheckBox(QString::fromUtf8(TDeleteChoice::kFrontLinkText), linkGroup);
    chkfrontlink->setStyleSheet(QStringLiteral("color: blue"));
    linkLayout->addWidget(chkbacklink);
    linkLayout->addWidget(chkfrontlink);
    layout->addWidget(linkGroup);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    okbut = new QPushButton(QStringLiteral("确定"), this);
    okbut->setDefault(true);
    cancelbut = new QPushButton(QStringLiteral("取消"), this);
    buttons->addWidget(okbut);
    buttons->addWidget(cancelbut);
    layout->addLayout(buttons);

    // The boxes follow the choice: the work box and the link boxes exclude each other.
    connect(chkedge, &QCheckBox::clicked, this, [this] {
        choice_.ClickEdge();
        ShowChoice();
    });
    connect(chkbacklink, &QCheckBox::clicked, this, [this] {
        choice_.ClickBackLink();
        ShowChoice();
    });
    connect(chkfrontlink, &QCheckBox::clicked, this, [this] {
        choice_.ClickFrontLink();
        ShowChoice();
    });
    connect(okbut, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelbut, &QPushButton::clicked, this, &QDialog::reject);
    ShowChoice();
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

void TDeletefm::ShowChoice()
{
    chkedge->setChecked(choice_.chkedge);
    chkbacklink->setChecked(choice_.chkbacklink);
    chkfrontlink->setChecked(choice_.chkfrontlink);
}

std::unique_ptr<IDeleteDialog> MakeDeleteDialog(QWidget* parent)
{
    return std::make_unique<TQtModalDialog<IDeleteDialog, TDeletefm, TDeleteChoice>>(parent);
}
