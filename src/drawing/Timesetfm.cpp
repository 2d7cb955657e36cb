#include "drawing/Timesetfm.h"

#include <algorithm>

#include <QCalendarWidget>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTextCharFormat>
#include <QVBoxLayout>

#include "model/Pertgra.h"
#include "platform/qt/Qtdialogkit.h"

namespace {

const char* const kMonths[] = {"全部", "一", "二", "三", "四",  "五", "六",
                               "七",   "八", "九", "十", "十一", "十二"};
// In the order the box offers them; the value is the weekday (0 Sunday).
const char* const kWeekdays[] = {"星期日", "星期六", "星期五", "星期四",
                                 "星期三", "星期二", "星期一"};
const int32_t kWeekdayValues[] = {0, 6, 5, 4, 3, 2, 1};
// The brush styles in their stored order.
const char* const kBrushStyleNames[] = {"实心", "透明", "横线", "竖线",
                                        "斜线", "反斜线", "十字线", "斜十字线"};

}  // namespace

Tfmtimeset::Tfmtimeset(Tpertgra& net, QWidget* parent) : QDialog(parent), net_(net)
{
    setWindowTitle(QStringLiteral("休息日设置"));
    state_.Load(net);

    calendar = new QCalendarWidget(this);
    calendar->setLocale(QLocale(QLocale::Chinese, QLocale::China));
    calendar->setMinimumDate(DateOfStamp(net.projectStart));
    // The calendar opens where the plan is: at its first rest day, else its start.
    calendar->setSelectedDate(DateOfStamp(state_.days.empty() ? net.projectStart : state_.days.front()));
    calendar->setGridVisible(true);
    auto* addPicked = new QPushButton(QStringLiteral("加入"), this);
    auto* left = new QVBoxLayout;
    left->addWidget(calendar);
    left->addWidget(addPicked);

    list = new QListWidget(this);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* remove = new QPushButton(QStringLiteral("除去"), this);
    auto* removeAll = new QPushButton(QStringLiteral("全部删除"), this);
    auto* middle = new QVBoxLayout;
    middle->addWidget(new QLabel(QStringLiteral("休息时间列表："), this));
    middle->addWidget(list);
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(remove);
    listButtons->addWidget(removeAll);
    middle->addLayout(listButtons);

    auto* autoGroup = new QGroupBox(QStringLiteral("自动设置时间"), this);
    yearEdit = new QLineEdit(QString::number(DateOfStamp(net.projectStart).year()), autoGroup);
    monthBox = new QComboBox(autoGroup);
    for (const char* m : kMonths) monthBox->addItem(QString::fromUtf8(m));
    weekdayBox = new QComboBox(autoGroup);
    for (const char* w : kWeekdays) weekdayBox->addItem(QString::fromUtf8(w));
    auto* autoAdd = new QPushButton(QStringLiteral("加入"), autoGroup);
    auto* autoRemove = new QPushButton(QStringLiteral("除去"), autoGroup);
    auto* af = new QFormLayout(autoGroup);
    af->addRow(QStringLiteral("年："), yearEdit);
    af->addRow(QStringLiteral("月："), monthBox);
    af->addRow(QStringLiteral("星期："), weekdayBox);
    auto* ab = new QHBoxLayout;
    ab->addWidget(autoAdd);
    ab->addWidget(autoRemove);
    af->addRow(ab);

    auto* fillGroup = new QGroupBox(QStringLiteral("休息日显示设置"), this);
    screenColor = new TColorButton(fillGroup);
    printColor = new TColorButton(fillGroup);
    screenColor->SetColor(state_.screenColor);
    printColor->SetColor(state_.printColor);
    styleBox = new QComboBox(fillGroup);
    for (const char* s : kBrushStyleNames) styleBox->addItem(QString::fromUtf8(s));
    styleBox->setCurrentIndex(std::clamp(state_.fillStyle, 0, 7));
    auto* ff = new QFormLayout(fillGroup);
    ff->addRow(QStringLiteral("显示填充色："), screenColor);
    ff->addRow(QStringLiteral("打印填充色："), printColor);
    ff->addRow(QStringLiteral("填充样式："), styleBox);

    auto* right = new QVBoxLayout;
    right->addWidget(autoGroup);
    right->addWidget(fillGroup);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(middle);
    top->addLayout(right);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);

    connect(calendar, &QCalendarWidget::clicked, this, &Tfmtimeset::TogglePicked);
    connect(addPicked, &QPushButton::clicked, this, &Tfmtimeset::AddPicked);
    connect(remove, &QPushButton::clicked, this, &Tfmtimeset::RemoveHighlighted);
    connect(removeAll, &QPushButton::clicked, this, &Tfmtimeset::RemoveAll);
    connect(autoAdd, &QPushButton::clicked, this, &Tfmtimeset::AutoAdd);
    connect(autoRemove, &QPushButton::clicked, this, &Tfmtimeset::AutoRemove);
    connect(buttons, &QDialogButtonBox::accepted, this, &Tfmtimeset::Confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Reload();
}

void Tfmtimeset::TogglePicked(const QDate& d)
{
    const int32_t s = StampOfDate(d);
    QTextCharFormat f;
    if (picked.erase(s) == 0) {
        picked.insert(s);
        f.setBackground(palette().highlight());
        f.setForeground(palette().highlightedText());
    }
    calendar->setDateTextFormat(d, f);
}

void Tfmtimeset::AddPicked()
{
    if (picked.empty()) picked.insert(StampOfDate(calendar->selectedDate()));
    state_.Add(std::vector<int32_t>(picked.begin(), picked.end()));
    picked.clear();
    calendar->setDateTextFormat(QDate(), QTextCharFormat());
    Reload();
}

void Tfmtimeset::RemoveHighlighted()
{
    std::vector<int32_t> rows;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected()) rows.push_back(i);
    if (state_.Remove(rows)) Reload();
}

void Tfmtimeset::RemoveAll()
{
    state_.RemoveAll();
    Reload();
}

int32_t Tfmtimeset::WeekdayOfBox() const
{
    return kWeekdayValues[std::clamp(weekdayBox->currentIndex(), 0, 6)];
}

void Tfmtimeset::AutoAdd()
{
    if (state_.AutoAdd(S(yearEdit->text().trimmed()), monthBox->currentIndex(), WeekdayOfBox()))
        Reload();
}

void Tfmtimeset::AutoRemove()
{
    if (state_.AutoRemove(S(yearEdit->text().trimmed()), monthBox->currentIndex(), WeekdayOfBox()))
        Reload();
}

void Tfmtimeset::Reload()
{
    list->clear();
    for (const std::string& t : state_.Texts()) list->addItem(Q(t));
}

void Tfmtimeset::Confirm()
{
    state_.screenColor = screenColor->Color();
    state_.printColor = printColor->Color();
    state_.fillStyle = styleBox->currentIndex();
    state_.Apply(net_);
    accept();
}
