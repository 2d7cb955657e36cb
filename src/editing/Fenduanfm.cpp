#include "editing/Fenduanfm.h"
#include "platform/qt/Qtmodaldialog.h"

#include <QButtonGroup>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cmath>

namespace {

QDate DateOf(double dateTime)
{
    return QDate(1899, 12, 30).addDays(int64_t(std::floor(dateTime)));
}

QDateEdit* Picker(QWidget* parent)
{
    auto* d = new QDateEdit(parent);
    d->setDisplayFormat(QStringLiteral("yyyy年M月d日"));
    return d;
}

}  // namespace

Tfenduanfm::Tfenduanfm(TFenduan& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setWindowTitle(QString::fromUtf8(TFenduan::kCaption));
    auto* layout = new QVBoxLayout(this);
    editselectbox = new QGroupBox(this);
    auto* choices = new QHBoxLayout(editselectbox);
    fenduanrbtn = new QRadioButton(QStringLiteral("分段"), editselectbox);
    hebinrbtn = new QRadioButton(QStringLiteral("合并"), editselectbox);
    chaifenrbtn = new QRadioButton(QStringLiteral("拆分"), editselectbox);
    auto* group = new QButtonGroup(this);
    group->addButton(fenduanrbtn, int(TSegmentEdit::Divide));
    group->addButton(hebinrbtn, int(TSegmentEdit::Merge));
    group->addButton(chaifenrbtn, int(TSegmentEdit::Separate));
    for (QRadioButton* b : {fenduanrbtn, hebinrbtn, chaifenrbtn}) choices->addWidget(b);
    fenduanrbtn->setChecked(true);
    editselectbox->setVisible(state_.mode == 'e');
    layout->addWidget(editselectbox);
    auto* g = new QGridLayout;
    g->addWidget(new QLabel(QStringLiteral("前段持续时间："), this), 0, 0);
    firstedgeduredit = new QLineEdit(this);
    g->addWidget(firstedgeduredit, 0, 1);
    fenduanscb = new QScrollBar(Qt::Horizontal, this);
    fenduanscb->setPageStep(0);
    fenduanscb->setMinimumWidth(200);
    g->addWidget(fenduanscb, 0, 2);
    g->addWidget(new QLabel(QStringLiteral("后段持续时间："), this), 0, 3);
    secondedgeduredit = new QLineEdit(this);
    g->addWidget(secondedgeduredit, 0, 4);
    g->addWidget(new QLabel(QStringLiteral("当前工作名称："), this), 1, 0);
    worknameedit = new QLineEdit(this);
    worknameedit->setReadOnly(true);
    g->addWidget(worknameedit, 1, 1, 1, 4);
    layout->addLayout(g);

    auto* times = new QGroupBox(QStringLiteral("工作时间"), this);
    times->setEnabled(false);
    auto* t = new QGridLayout(times);
    workstarttimedt = Picker(times);
    dtpfenduantime = Picker(times);
    workendtimedt = Picker(times);
    workduredit = new QLineEdit(times);
    t->addWidget(new QLabel(QStringLiteral("前段开始时间："), times), 0, 0);
    t->addWidget(workstarttimedt, 0, 1);
    t->addWidget(new QLabel(QStringLiteral("后段开始时间："), times), 0, 2);
    t->addWidget(dtpfenduantime, 0, 3);
    t->addWidget(new QLabel(QStringLiteral("后段完成时间："), times), 1, 0);
    t->addWidget(workendtimedt, 1, 1);
    t->addWidget(new QLabel(QStringLiteral("持 续 时 间："), times), 1, 2);
    auto* dur = new QHBoxLayout;
    dur->addWidget(workduredit);
    dur->addWidget(new QLabel(QStringLiteral("天"), times));
    t->addLayout(dur, 1, 3);
    layout->addWidget(times);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    okbtn = new QPushButton(QStringLiteral("确定"), this);
    okbtn->setDefault(true);
    cancalbtn = new QPushButton(QStringLiteral("取消"), this);
    buttons->addWidget(okbtn);
    buttons->addWidget(cancalbtn);
    layout->addLayout(buttons);

    fenduanscb->setRange(0, state_.scrollMax);
    ShowState();
    connect(fenduanscb, &QScrollBar::valueChanged, this, [this](int v) {
        if (showing_) return;
        state_.ScrollTo(v);
        ShowState();
    });
    connect(firstedgeduredit, &QLineEdit::textEdited, this, [this](const QString& s) {
        state_.FirstEdited(s.toStdString());
        ShowState();
    });
    connect(secondedgeduredit, &QLineEdit::textEdited, this, [this](const QString& s) {
        state_.SecondEdited(s.toStdString());
        ShowState();
    });
    connect(group, &QButtonGroup::idClicked, this, [this](int id) {
        state_.editselectbox = TSegmentEdit(id);
        // Only a new division reads the two durations.
        const bool divide = state_.editselectbox == TSegmentEdit::Divide;
        firstedgeduredit->setEnabled(divide);
        secondedgeduredit->setEnabled(divide);
        fenduanscb->setEnabled(divide);
    });
    connect(okbtn, &QPushButton::clicked, this, [this] {
        if (state_.Confirm()) accept();
    });
    connect(cancalbtn, &QPushButton::clicked, this, &QDialog::reject);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void Tfenduanfm::ShowState()
{
    showing_ = true;
    firstedgeduredit->setText(QString::fromStdString(state_.firstedgeduredit));
    secondedgeduredit->setText(QString::fromStdString(state_.secondedgeduredit));
    fenduanscb->setValue(state_.scrollPos);
    worknameedit->setText(QString::fromStdString(state_.worknameedit));
    workstarttimedt->setDate(DateOf(state_.workstarttimedt));
    dtpfenduantime->setDate(DateOf(state_.dtpfenduantime));
    workendtimedt->setDate(DateOf(state_.workendtimedt));
    workduredit->setText(QString::fromStdString(state_.workduredit));
    showing_ = false;
}

std::unique_ptr<IFenduanDialog> MakeFenduanDialog(QWidget* parent)
{
    return std::make_unique<TQtModalDialog<IFenduanDialog, Tfenduanfm, TFenduan>>(parent);
}
