#include "entry/Worktablefm1.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDateEdit>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>

#include "entry/Worknamefm.h"
#include "model/Pertgra.h"
#include "platform/qt/Qtcanvas.h"
#include "platform/qt/Qtdialogkit.h"

namespace {

// Date-time numbers count days from 1899-12-30.
const QDate kDateBase(1899, 12, 30);

QDate DateOf(double dateTime)
{
    return kDateBase.addDays(static_cast<qint64>(std::floor(dateTime)));
}

double DateNumber(const QDate& d)
{
    return double(kDateBase.daysTo(d));
}

// A combo box that refills its list just before the list opens.
class TRefillingCombo : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> beforePopup;
    void showPopup() override
    {
        if (beforePopup) beforePopup();
        QComboBox::showPopup();
    }
};

QDateEdit* DatePicker(QWidget* parent, bool editable)
{
    auto* d = new QDateEdit(parent);
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    d->setMinimumDate(QDate(1752, 9, 14));
    d->setEnabled(editable);
    return d;
}

QButtonGroup* RadioGroup(QWidget* parent, const QString& caption, const QStringList& items,
                         QGroupBox*& box)
{
    box = new QGroupBox(caption, parent);
    auto* layout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* r = new QRadioButton(items[i], box);
        group->addButton(r, i);
        layout->addWidget(r);
    }
    return group;
}

void SetText(QLineEdit* e, const std::string& s)
{
    const QString t = Q(s);
    if (e->text() != t) e->setText(t);
}

void SetComboText(QComboBox* c, const std::string& s)
{
    const QString t = Q(s);
    if (c->currentText() != t) c->setEditText(t);
}

void SetItems(QComboBox* c, const std::vector<std::string>& items)
{
    const QString text = c->currentText();
    c->clear();
    for (const std::string& s : items) c->addItem(Q(s));
    c->setEditText(text);
}

const QStringList kUnits = {QStringLiteral("m3"), QStringLiteral("m2"), QStringLiteral("t"),
                            QStringLiteral("kg"), QStringLiteral("m"),  QStringLiteral("座"),
                            QStringLiteral("个"), QStringLiteral("台次"), QStringLiteral("台"),
                            QStringLiteral("站")};
const QStringList kResourceKinds = {QStringLiteral("人力资源"), QStringLiteral("材料资源"),
                                    QStringLiteral("机具资源"), QStringLiteral("其他资源")};

}  // namespace

Tworktablefm::Tworktablefm(Tpertgra& net, const TAddAnchors& anchors, IBudgetItemSource* items,
                           QWidget* parent)
    : QDialog(parent)
{
    state_.OpenAdd(net, anchors, items);
    Build();
}

Tworktablefm::Tworktablefm(Tpertgra& net, Tedge* work, IBudgetItemSource* items, QWidget* parent)
    : QDialog(parent)
{
    state_.OpenEdit(net, work, items);
    Build();
}

Tworktablefm::~Tworktablefm()
{
    if (!closed_) state_.Close();
}

void Tworktablefm::Build()
{
    setWindowTitle(Q(state_.caption));
    pages = new QTabWidget(this);
    pages->addTab(BuildMainPage(), QStringLiteral("主要信息"));
    pages->addTab(BuildSettingsPage(), QStringLiteral("工作设置"));
    pages->addTab(BuildResourcePage(), QStringLiteral("资源"));
    pages->addTab(BuildStatisticsPage(), QStringLiteral("统计"));
    okButton = new QPushButton(QStringLiteral("确定"), this);
    cancelButton = new QPushButton(QStringLiteral("取消"), this);
    okButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addLayout(buttons);
    ShowAll();
    Connect();
}

QWidget* Tworktablefm::BuildMainPage()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout;

    auto* names = new TRefillingCombo(page);
    names->beforePopup = [this] {
        state_.NameListOpened();
        updating_ = true;
        SetItems(namecob, state_.names);
        updating_ = false;
    };
    namecob = names;
    namecob->setEditable(true);
    namecob->setInsertPolicy(QComboBox::NoInsert);
    namecob->setMinimumWidth(240);
    btnworkname = new QToolButton(page);
    btnworkname->setText(QStringLiteral("…"));
    btnworkname->setToolTip(QStringLiteral("点击编辑工作名称列表，按SHIFT保存工作名称"));
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(namecob, 1);
    nameRow->addWidget(btnworkname);
    form->addRow(QStringLiteral("工作名称："), nameRow);

    duredit = new QLineEdit(page);
    duredit->setMaxLength(6);
    auto* durRow = new QHBoxLayout;
    durRow->addWidget(duredit);
    durRow->addWidget(new QLabel(QStringLiteral("天"), page));
    form->addRow(QStringLiteral("持续时间："), durRow);

    typecob = new QComboBox(page);
    form->addRow(QStringLiteral("工作类型："), typecob);

    gcledit = new QLineEdit(page);
    form->addRow(QStringLiteral("工程量："), gcledit);
    gcldwcob = new QComboBox(page);
    gcldwcob->setEditable(true);
    gcldwcob->setInsertPolicy(QComboBox::NoInsert);
    gcldwcob->addItems(kUnits);
    form->addRow(QStringLiteral("工程量单位："), gcldwcob);

    edtfinishbili = new QLineEdit(page);
    auto* doneRow = new QHBoxLayout;
    doneRow->addWidget(edtfinishbili);
    doneRow->addWidget(new QLabel(QStringLiteral("%"), page));
    form->addRow(QStringLiteral("完成率："), doneRow);

    auto* times = new QGroupBox(QStringLiteral("工作时间"), page);
    auto* grid = new QGridLayout(times);
    WorkstarttimeEdt = DatePicker(times, true);
    WorkendtimeEdt = DatePicker(times, true);
    workesdt = DatePicker(times, false);
    worklsdt = DatePicker(times, false);
    workefdt = DatePicker(times, false);
    worklfdt = DatePicker(times, false);
    const std::pair<const char*, QDateEdit*> pickers[] = {
        {"计划开始时间：", WorkstarttimeEdt}, {"计划完成时间：", WorkendtimeEdt},
        {"最早开始时间：", workesdt},         {"最迟开始时间：", worklsdt},
        {"最早完成时间：", workefdt},         {"最迟完成时间：", worklfdt}};
    for (int i = 0; i < 6; ++i) {
        grid->addWidget(new QLabel(QString::fromUtf8(pickers[i].first), times), i / 2, (i % 2) * 2);
        grid->addWidget(pickers[i].second, i / 2, (i % 2) * 2 + 1);
    }

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(times);
    layout->addStretch();
    return page;
}

QWidget* Tworktablefm::BuildSettingsPage()
{
    auto* page = new QWidget;
    auto* outer = new QGroupBox(QStringLiteral("工作名称设置"), page);
    QGroupBox* placeBox = nullptr;
    QGroupBox* modeBox = nullptr;
    nameptrgp = RadioGroup(outer, QStringLiteral("名称位置"),
                           {QStringLiteral("按线长居中"), QStringLiteral("按线长居左"),
                            QStringLiteral("按线长居右"), QStringLiteral("按节点居中"),
                            QStringLiteral("按节点居左"), QStringLiteral("按节点居右")},
                           placeBox);
    placemodergp = RadioGroup(outer, QStringLiteral("放置方式"),
                              {QStringLiteral("自动竖起"), QStringLiteral("始终平行")}, modeBox);

    auto* custom = new QGroupBox(QStringLiteral("使用自定义"), outer);
    auto* grid = new QGridLayout(custom);
    customckb = new QCheckBox(custom);
    fontsetbtn = new QPushButton(QStringLiteral("工作名称字体"), custom);
    grid->addWidget(customckb, 0, 0);
    grid->addWidget(fontsetbtn, 0, 1, 1, 2);
    worklinewidthckb = new QCheckBox(QStringLiteral("工作线宽度"), custom);
    worklinewidthcob = new QComboBox(custom);
    for (int i = 1; i <= 9; ++i) worklinewidthcob->addItem(QString::number(i));
    grid->addWidget(worklinewidthckb, 1, 0);
    grid->addWidget(worklinewidthcob, 1, 1, 1, 2);
    worklineclckb = new QCheckBox(custom);
    workpensp = new QLabel(custom);
    workpensp->setFixedSize(60, 20);
    btnLineColor = new QPushButton(QStringLiteral("工作线颜色"), custom);
    grid->addWidget(worklineclckb, 2, 0);
    grid->addWidget(workpensp, 2, 1);
    grid->addWidget(btnLineColor, 2, 2);
    worklinestyleckb = new QCheckBox(QStringLiteral("工作线样式"), custom);
    worklinestylecob = new QComboBox(custom);
    for (const std::string& s : TWorkdialog::LineStyles()) worklinestylecob->addItem(Q(s));
    grid->addWidget(worklinestyleckb, 3, 0);
    grid->addWidget(worklinestylecob, 3, 1, 1, 2);

    auto* rowBox = new QGroupBox(outer);
    auto* rowLayout = new QHBoxLayout(rowBox);
    rowLayout->addWidget(new QLabel(QStringLiteral("前节点位置调整"), rowBox));
    updownUp = new QToolButton(rowBox);
    updownUp->setArrowType(Qt::UpArrow);
    updownDown = new QToolButton(rowBox);
    updownDown->setArrowType(Qt::DownArrow);
    rowLayout->addWidget(updownUp);
    rowLayout->addWidget(updownDown);
    rowLayout->addStretch();
    rowBox->setEnabled(state_.work != nullptr);

    auto* left = new QVBoxLayout;
    left->addWidget(placeBox);
    auto* right = new QVBoxLayout;
    right->addWidget(modeBox);
    right->addWidget(custom);
    right->addWidget(rowBox);
    auto* columns = new QHBoxLayout(outer);
    columns->addLayout(left);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(outer);
    layout->addStretch();
    return page;
}

QWidget* Tworktablefm::BuildResourcePage()
{
    auto* page = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("编辑资源"), page);
    auto* grid = new QGridLayout(group);
    auto* numbers = new TRefillingCombo(group);
    auto* rnames = new TRefillingCombo(group);
    auto refill = [this] {
        state_.ResourceListsOpened();
        updating_ = true;
        SetItems(resnumbercob, state_.resourceNumbers);
        SetItems(resnamecob, state_.resourceNames);
        updating_ = false;
    };
    numbers->beforePopup = refill;
    rnames->beforePopup = refill;
    resnumbercob = numbers;
    resnamecob = rnames;
    for (QComboBox* c : {resnumbercob, resnamecob}) {
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
    }
    resdanweiedit = new QLineEdit(group);
    resdanjiaedit = new QLineEdit(group);
    resleibiecob = new QComboBox(group);
    resleibiecob->addItems(kResourceKinds);
    jlmodecob = new QComboBox(group);
    jlmodecob->addItems({QStringLiteral("平均用量"), QStringLiteral("总量")});
    resdwsledit = new QLineEdit(group);
    reszledit = new QLineEdit(group);
    const std::pair<const char*, QWidget*> cells[] = {
        {"编号", resnumbercob},       {"资源名称", resnamecob}, {"单位", resdanweiedit},
        {"单价", resdanjiaedit},      {"资源类别", resleibiecob}, {"计量方式", jlmodecob},
        {"平均用量", resdwsledit},    {"总量", reszledit}};
    for (int i = 0; i < 8; ++i) {
        grid->addWidget(new QLabel(QString::fromUtf8(cells[i].first), group), (i / 4) * 2, i % 4);
        grid->addWidget(cells[i].second, (i / 4) * 2 + 1, i % 4);
    }

    reslist = new QTreeWidget(page);
    reslist->setRootIsDecorated(false);
    reslist->setSelectionMode(QAbstractItemView::SingleSelection);
    reslist->setEditTriggers(QAbstractItemView::NoEditTriggers);
    reslist->setHeaderLabels({QStringLiteral("编号"), QStringLiteral("资源名称"),
                              QStringLiteral("平均用量"), QStringLiteral("总量"),
                              QStringLiteral("计量方式"), QStringLiteral("单位"),
                              QStringLiteral("单价 "), QStringLiteral("总价"),
                              QStringLiteral("资源类别")});
    const int widths[] = {40, 120, 60, -1, 60, 40, -1, 55, 60};
    for (int i = 0; i < 9; ++i)
        if (widths[i] > 0) reslist->setColumnWidth(i, widths[i]);

    addResource = new QPushButton(QStringLiteral("添加(&A)"), page);
    modifyResource = new QPushButton(QStringLiteral("修改(&E)"), page);
    deleteResource = new QPushButton(QStringLiteral("删除(&D)"), page);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(addResource);
    buttons->addWidget(modifyResource);
    buttons->addWidget(deleteResource);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(group);
    layout->addWidget(reslist, 1);
    layout->addLayout(buttons);
    return page;
}

QWidget* Tworktablefm::BuildStatisticsPage()
{
    auto* page = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("费用统计"), page);
    auto* form = new QFormLayout(group);
    auto box = [&](const char* label) {
        auto* e = new QLineEdit(group);
        e->setReadOnly(true);
        form->addRow(QString::fromUtf8(label), e);
        return e;
    };
    labourCost = box("人工费：");
    materialCost = box("材料费：");
    machineryCost = box("机具费：");
    otherCost = box("其他费：");
    totalCost = box("总费用：");
    totalPeople = box("总人数：");
    labourDays = box("人工日：");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(group);
    layout->addStretch();
    return page;
}

void Tworktablefm::Connect()
{
    for (QObject* o : std::initializer_list<QObject*>{
             namecob->lineEdit(), duredit, gcledit, edtfinishbili, WorkendtimeEdt, resdwsledit,
             reszledit, btnworkname})
        o->installEventFilter(this);

    connect(namecob, &QComboBox::editTextChanged, this, [this](const QString& t) {
        if (!updating_) state_.name = S(t);
    });
    connect(btnworkname, &QToolButton::clicked, this, &Tworktablefm::NameButtonClicked);
    connect(duredit, &QLineEdit::textEdited, this, [this](const QString& t) {
        state_.DurationEdited(S(t));
        ShowMain();
    });
    connect(typecob, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (updating_) return;
        state_.KindChanged(S(t));
        ShowMain();
    });
    connect(gcledit, &QLineEdit::textEdited, this, [this](const QString& t) {
        state_.QuantityEdited(S(t));
        ShowMain();
    });
    connect(gcldwcob, &QComboBox::editTextChanged, this, [this](const QString& t) {
        if (!updating_) state_.unit = S(t);
    });
    connect(edtfinishbili, &QLineEdit::textEdited, this, [this](const QString& t) {
        state_.CompletionEdited(S(t));
        ShowMain();
    });
    connect(WorkstarttimeEdt, &QDateEdit::dateChanged, this, [this](const QDate& d) {
        if (updating_) return;
        state_.StartDateChanged(DateNumber(d));
        ShowMain();
    });
    connect(WorkendtimeEdt, &QDateEdit::dateChanged, this, [this](const QDate& d) {
        if (updating_) return;
        state_.EndDateChanged(DateNumber(d));
        ShowMain();
    });

    connect(nameptrgp, &QButtonGroup::idClicked, this, [this](int id) { state_.namePlace = id; });
    connect(placemodergp, &QButtonGroup::idClicked, this, [this](int id) { state_.placeMode = id; });
    connect(customckb, &QCheckBox::toggled, this, [this](bool on) { state_.useCustom = on; });
    connect(fontsetbtn, &QPushButton::clicked, this, &Tworktablefm::PickFont);
    connect(worklinewidthckb, &QCheckBox::toggled, this,
            [this](bool on) { state_.useCustomWidth = on; });
    connect(worklinewidthcob, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (updating_ || i < 0) return;
        state_.widthIndex = i;
        state_.swatchHeight = i + 1;
        ShowSwatch();
    });
    connect(worklineclckb, &QCheckBox::toggled, this,
            [this](bool on) { state_.useCustomColor = on; });
    connect(btnLineColor, &QPushButton::clicked, this, &Tworktablefm::PickLineColor);
    connect(worklinestyleckb, &QCheckBox::toggled, this,
            [this](bool on) { state_.useCustomStyle = on; });
    connect(worklinestylecob, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (updating_ || i < 0) return;
        state_.styleIndex = i;
        state_.swatchDotted = i == 1;
        ShowSwatch();
    });
    connect(updownUp, &QToolButton::clicked, this, [this] { state_.UpdownClicked(false); });
    connect(updownDown, &QToolButton::clicked, this, [this] { state_.UpdownClicked(true); });

    connect(jlmodecob, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (updating_) return;
        state_.MeasureChanged(i);
        ShowResourceBoxes();
    });
    connect(resdwsledit, &QLineEdit::textEdited, this, [this](const QString& t) {
        state_.DailyEdited(S(t));
        ShowResourceBoxes();
    });
    connect(reszledit, &QLineEdit::textEdited, this, [this](const QString& t) {
        state_.TotalEdited(S(t));
        ShowResourceBoxes();
    });
    connect(resnumbercob, &QComboBox::editTextChanged, this, [this](const QString& t) {
        if (updating_) return;
        state_.ResourceNumberChanged(S(t));
        ShowResourceBoxes();
    });
    connect(resnamecob, &QComboBox::editTextChanged, this, [this](const QString& t) {
        if (!updating_) state_.resourceInput.name = S(t);
    });
    connect(resdanweiedit, &QLineEdit::textEdited, this,
            [this](const QString& t) { state_.resourceInput.unit = S(t); });
    connect(resdanjiaedit, &QLineEdit::textEdited, this,
            [this](const QString& t) { state_.resourceInput.price = S(t); });
    connect(resleibiecob, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (!updating_) state_.resourceInput.kind = S(t);
    });
    connect(reslist, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (updating_) return;
        const QList<QTreeWidgetItem*> sel = reslist->selectedItems();
        state_.SelectLine(sel.isEmpty() ? -1 : reslist->indexOfTopLevelItem(sel.front()));
        ShowResourceBoxes();
    });
    connect(addResource, &QPushButton::clicked, this, [this] {
        if (state_.AddLine()) ShowLines();
    });
    connect(modifyResource, &QPushButton::clicked, this, [this] {
        if (state_.ModifyLine()) ShowLines();
    });
    connect(deleteResource, &QPushButton::clicked, this, [this] {
        if (!state_.DeleteLine()) return;
        ShowLines();
        ShowResourceBoxes();
    });
    connect(pages, &QTabWidget::currentChanged, this, &Tworktablefm::PageChanged);

    connect(okButton, &QPushButton::clicked, this, &Tworktablefm::Confirm);
    connect(cancelButton, &QPushButton::clicked, this, [this] { done(2); });
}

bool Tworktablefm::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == btnworkname) {
        if (type == QEvent::MouseButtonRelease)
            shiftAtRelease_ = static_cast<QMouseEvent*>(event)->modifiers() & Qt::ShiftModifier;
        return false;
    }
    QLineEdit* nameEdit = namecob->lineEdit();
    if (type == QEvent::FocusIn) {
        if (watched == nameEdit) state_.NameFocused();
        else if (watched == gcledit) state_.QuantityFocused();
        else if (watched == edtfinishbili) state_.CompletionFocused();
        else if (watched == resdwsledit) state_.AmountFocused(state_.resourceInput.daily);
        else if (watched == reszledit) state_.AmountFocused(state_.resourceInput.total);
        else if (watched == WorkendtimeEdt) {
            state_.EndDateFocused();
            updating_ = true;
            WorkendtimeEdt->setMinimumDate(DateOf(state_.endDateMinimum));
            updating_ = false;
        }
    } else if (type == QEvent::FocusOut) {
        if (watched == nameEdit) state_.NameLeft();
        else if (watched == edtfinishbili) {
            state_.CompletionLeft();
            ShowMain();
        } else if (watched == reszledit) {
            state_.TotalLeft();
            ShowResourceBoxes();
        }
    } else if (type == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        // Esc puts the box back and does not close the dialog.
        if (watched == duredit) state_.DurationEscape();
        else if (watched == nameEdit) state_.RestoreSaved(state_.name);
        else if (watched == gcledit) state_.RestoreSaved(state_.quantity);
        else if (watched == edtfinishbili) state_.RestoreSaved(state_.completion);
        else return false;
        ShowMain();
        return true;
    }
    return false;
}

void Tworktablefm::ShowAll()
{
    updating_ = true;
    typecob->clear();
    for (const std::string& k : state_.kinds) typecob->addItem(Q(k));
    updating_ = false;
    ShowMain();
    ShowSettings();
    ShowResourceBoxes();
    ShowLines();
}

void Tworktablefm::ShowMain()
{
    updating_ = true;
    SetComboText(namecob, state_.name);
    SetText(duredit, state_.duration);
    typecob->setCurrentIndex(typecob->findText(Q(state_.kind)));
    SetText(gcledit, state_.quantity);
    SetComboText(gcldwcob, state_.unit);
    SetText(edtfinishbili, state_.completion);
    WorkstarttimeEdt->setDate(DateOf(state_.startDate));
    WorkendtimeEdt->setDate(DateOf(state_.endDate));
    workesdt->setDate(DateOf(state_.esDate));
    worklsdt->setDate(DateOf(state_.lsDate));
    workefdt->setDate(DateOf(state_.efDate));
    worklfdt->setDate(DateOf(state_.lfDate));
    updating_ = false;
}

void Tworktablefm::ShowSettings()
{
    updating_ = true;
    if (QAbstractButton* b = nameptrgp->button(state_.namePlace)) b->setChecked(true);
    if (QAbstractButton* b = placemodergp->button(state_.placeMode)) b->setChecked(true);
    customckb->setChecked(state_.useCustom);
    worklinewidthckb->setChecked(state_.useCustomWidth);
    worklinewidthcob->setCurrentIndex(state_.widthIndex);
    worklineclckb->setChecked(state_.useCustomColor);
    worklinestyleckb->setChecked(state_.useCustomStyle);
    worklinestylecob->setCurrentIndex(state_.styleIndex);
    updating_ = false;
    ShowSwatch();
}

void Tworktablefm::ShowSwatch()
{
    QPixmap pm(workpensp->size());
    pm.fill(QColorOf(state_.swatchBackground));
    QPainter p(&pm);
    QPen pen(QColorOf(state_.penColor));
    pen.setWidth(std::clamp(state_.swatchHeight, 1, 9));
    pen.setStyle(state_.swatchDotted ? Qt::DotLine : Qt::SolidLine);
    p.setPen(pen);
    p.drawLine(4, pm.height() / 2, pm.width() - 4, pm.height() / 2);
    p.end();
    workpensp->setPixmap(pm);
}

void Tworktablefm::ShowResourceBoxes()
{
    updating_ = true;
    const TResourceInput& in = state_.resourceInput;
    SetComboText(resnumbercob, in.number);
    SetComboText(resnamecob, in.name);
    SetText(resdanweiedit, in.unit);
    SetText(resdanjiaedit, in.price);
    resleibiecob->setCurrentIndex(resleibiecob->findText(Q(in.kind)));
    jlmodecob->setCurrentIndex(in.measure == "总量" ? 1 : 0);
    SetText(resdwsledit, in.daily);
    SetText(reszledit, in.total);
    resdwsledit->setEnabled(state_.dailyEnabled);
    reszledit->setEnabled(state_.totalEnabled);
    updating_ = false;
}

void Tworktablefm::ShowLines()
{
    updating_ = true;
    reslist->clear();
    for (const TResourceLine& l : state_.resources.lines) {
        auto* item = new QTreeWidgetItem(reslist);
        const std::string cells[] = {l.number,  l.name, l.daily, l.total, l.measure,
                                     l.unit,    l.price, l.cost, l.kind};
        for (int i = 0; i < 9; ++i) item->setText(i, Q(cells[i]));
    }
    const int sel = state_.selectedLine;
    if (sel >= 0 && sel < reslist->topLevelItemCount()) reslist->topLevelItem(sel)->setSelected(true);
    updating_ = false;
}

void Tworktablefm::ShowStatistics()
{
    const TWorkCostStatistics& s = state_.statistics;
    const std::pair<QLineEdit*, double> boxes[] = {
        {labourCost, s.labour}, {materialCost, s.material}, {machineryCost, s.machinery},
        {otherCost, s.other},   {totalCost, s.total},       {totalPeople, s.people},
        {labourDays, s.labourDays}};
    for (const auto& [box, v] : boxes) box->setText(Q(GeneralNumberText(v)));
}

void Tworktablefm::PageChanged(int index)
{
    if (index == 2) {
        state_.RecomputeLines();
        ShowLines();
    } else if (index == 3) {
        state_.ComputeStatistics();
        ShowLines();
        ShowStatistics();
    }
}

void Tworktablefm::NameButtonClicked()
{
    const bool shift = shiftAtRelease_;
    shiftAtRelease_ = false;
    if (shift) {
        state_.SaveNameToWorkbook();
        return;
    }
    Tfmworkname names(this);
    names.exec();
}

void Tworktablefm::PickFont()
{
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, QFontOf(state_.font), this);
    if (!ok) return;
    state_.font = VqFontOf(f, state_.font);
}

void Tworktablefm::PickLineColor()
{
    const QColor c = QColorDialog::getColor(QColorOf(state_.penColor), this);
    if (!c.isValid()) return;
    state_.penColor = StoredColor(c);
    ShowSwatch();
}

void Tworktablefm::Confirm()
{
    last_ = state_.Confirm();
    if (last_ != TWorkConfirm::StayOpen) {
        done(1);
        return;
    }
    ShowMain();
    switch (state_.focusBox) {
    case TWorkBox::Duration:
        pages->setCurrentIndex(0);
        duredit->setFocus();
        break;
    case TWorkBox::Quantity:
        pages->setCurrentIndex(0);
        gcledit->setFocus();
        break;
    case TWorkBox::Completion:
        pages->setCurrentIndex(0);
        edtfinishbili->setFocus();
        break;
    case TWorkBox::None:
        break;
    }
}

void Tworktablefm::done(int r)
{
    if (!closed_) {
        closed_ = true;
        state_.Close();
    }
    QDialog::done(r);
}

TWorkDialogOutcome Tworktablefm::Run()
{
    TWorkDialogOutcome out;
    out.result = exec() == 1 ? 1 : 2;
    out.changed = out.result == 1 && last_ == TWorkConfirm::Changed;
    if (out.changed && state_.mode == 'a') out.added = state_.ConfirmedWork();
    return out;
}

namespace {

class TWorktableDialogs : public IWorkDialogs {
public:
    TWorktableDialogs(QWidget* parent, IBudgetItemSource* items) : parent_(parent), items_(items) {}
    TWorkDialogOutcome AddWork(Tpertgra& net, const TAddAnchors& anchors) override
    {
        Tworktablefm d(net, anchors, items_, parent_);
        return d.Run();
    }
    TWorkDialogOutcome EditWork(Tpertgra& net, Tedge* work) override
    {
        Tworktablefm d(net, work, items_, parent_);
        return d.Run();
    }

private:
    QWidget* parent_;
    IBudgetItemSource* items_;
};

}  // namespace

std::unique_ptr<IWorkDialogs> MakeWorktableDialogs(QWidget* parent, IBudgetItemSource* items)
{
    return std::make_unique<TWorktableDialogs>(parent, items);
}
