#include "drawing/Pertsetfm.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QHeaderView>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <QColorDialog>
#include <QFontDialog>
#include <QPlainTextEdit>
#include <QPushButton>

#include "drawing/Explaindraw.h"

#include "drawing/Durinterval_x.h"
#include "drawing/Tpertgrid.h"
#include "model/Numbertext.h"
#include "model/Pertgra.h"
#include "platform/Messagebox.h"
#include "platform/qt/Qtcanvas.h"
#include "platform/qt/Qtdialogkit.h"
#include "schedule/Calendar.h"

namespace {

// A title-table grid: the down-arrow key in the last row appends a row.
class TTitleBarGrid : public QTableWidget {
public:
    TTitleBarGrid(int rows, QWidget* parent) : QTableWidget(rows, 2, parent) {}

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if (e->key() == Qt::Key_Down && e->modifiers() == Qt::NoModifier &&
            currentRow() == rowCount() - 1) {
            const int r = rowCount();
            insertRow(r);
            setItem(r, 0, new QTableWidgetItem);
            setItem(r, 1, new QTableWidgetItem);
            setCurrentCell(r, std::max(0, currentColumn()));
            return;
        }
        QTableWidget::keyPressEvent(e);
    }
};

const char* const kRulerRows[7] = {"画工程月", "画工程周", "画工程日", "画自然日",
                                   "画星期",   "画自然月", "画自然年"};
const char* const kGridChoices[7] = {"按自然日画", "按工程刻度画", "按工程周画", "按自然月画",
                                     "按工程月画", "按自然年画",   "不画网格线"};

}  // namespace

Tpertsetfm::Tpertsetfm(Tpertgra& net, QWidget* parent) : QDialog(parent), net_(net)
{
    setWindowTitle(QStringLiteral("属性设置"));
    state_.Load(net);

    auto* networkPages = new QTabWidget(this);
    networkPages->addTab(GeneralPage(), QStringLiteral("一般属性"));
    networkPages->addTab(TitlePage(), QStringLiteral("网络计划名称属性"));
    networkPages->addTab(FontPage(), QStringLiteral("字体设置"));
    networkPages->addTab(ExplainPage(), QStringLiteral("图注说明"));
    networkPages->addTab(ResourcePage(), QStringLiteral("资源图设置"));
    auto* rulerPages = new QTabWidget(this);
    rulerPages->addTab(RulerPage(), QStringLiteral("工程标尺设置"));
    rulerPages->addTab(TimePage(), QStringLiteral("时间设置"));
    pages = new QTabWidget(this);
    pages->addTab(networkPages, QStringLiteral("网络图属性"));
    pages->addTab(GanttPage(), QStringLiteral("横道图属性"));
    pages->addTab(rulerPages, QStringLiteral("时间标尺设置"));
    printPage_ = PrintPage();
    pages->addTab(printPage_, QStringLiteral("打印调整"));
    // 横道图里含资源图 stands on two pages: one setting, both boxes agree.
    connect(resourceInGantt_, &QCheckBox::toggled, ganttResourceDiagram_, &QCheckBox::setChecked);
    connect(ganttResourceDiagram_, &QCheckBox::toggled, resourceInGantt_, &QCheckBox::setChecked);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &Tpertsetfm::Confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    LoadPanels(state_.screen);
}

void Tpertsetfm::ShowPrintPage()
{
    pages->setCurrentWidget(printPage_);
}

QLineEdit* Tpertsetfm::Number(int32_t value)
{
    QLineEdit* e = TIntegerEdit::Make(value, this);
    numberFields.push_back(e);
    return e;
}

QWidget* Tpertsetfm::GeneralPage()
{
    auto* page = new QWidget(this);
    const Tpertsetdata& s = state_;

    auto* geometry = new QGroupBox(QStringLiteral("节点与边框"), page);
    auto* g = new QGridLayout(geometry);
    nodeRadiusX = Number(s.nodeRadiusX);
    nodeRadiusY_ = Number(s.nodeRadiusY);
    groupWidth_ = Number(s.groupColumnWidth);
    leftFrame_ = Number(s.leftFrame);
    topFrame_ = Number(s.topFrame);
    bottomFrame_ = Number(s.bottomFrame);
    rightFrame_ = Number(s.rightFrame);
    g->addWidget(new QLabel(QStringLiteral("节点半径:X"), geometry), 0, 0);
    g->addWidget(nodeRadiusX, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("Y"), geometry), 0, 2);
    g->addWidget(nodeRadiusY_, 0, 3);
    g->addWidget(new QLabel(QStringLiteral("区域说明宽度："), geometry), 1, 0);
    g->addWidget(groupWidth_, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("图与边框距离: 左边框"), geometry), 2, 0);
    g->addWidget(leftFrame_, 2, 1);
    g->addWidget(new QLabel(QStringLiteral("上边框"), geometry), 2, 2);
    g->addWidget(topFrame_, 2, 3);
    g->addWidget(new QLabel(QStringLiteral("下边框"), geometry), 3, 0);
    g->addWidget(bottomFrame_, 3, 1);
    g->addWidget(new QLabel(QStringLiteral("右边框"), geometry), 3, 2);
    g->addWidget(rightFrame_, 3, 3);
    showDurations_ = new QCheckBox(QStringLiteral("显示工作时间"), geometry);
    showDurations_->setChecked(s.showDurations);
    showEndMark_ = new QCheckBox(QStringLiteral("画结束标记"), geometry);
    showEndMark_->setChecked(s.showEndMark);
    g->addWidget(showDurations_, 4, 0, 1, 2);
    g->addWidget(showEndMark_, 4, 2, 1, 2);

    auto* colours = new QGroupBox(QStringLiteral("颜色与线宽"), page);
    auto* c = new QGridLayout(colours);
    screenRadio = new QRadioButton(QStringLiteral("显示设置"), colours);
    printRadio = new QRadioButton(QStringLiteral("打印设置"), colours);
    screenRadio->setChecked(true);
    c->addWidget(screenRadio, 0, 0);
    c->addWidget(printRadio, 0, 1);
    int row = 1;
    auto add = [&](const char* caption, TColorButton*& button, QLineEdit* width) {
        button = new TColorButton(colours);
        c->addWidget(new QLabel(QString::fromUtf8(caption), colours), row, 0);
        c->addWidget(button, row, 1);
        if (width) {
            c->addWidget(new QLabel(QStringLiteral("线宽"), colours), row, 2);
            c->addWidget(width, row, 3);
        }
        ++row;
    };
    frameWidth_ = Number(s.frameWidth);
    criticalPen_ = Number(s.criticalPen);
    generalPen_ = Number(s.generalPen);
    floatPen_ = Number(s.floatPen);
    tickWidth_ = Number(s.tickWidth);
    gridWidth_ = Number(s.gridWidth);
    nodeNumberSize_ = Number(s.nodeNumberSize);
    auxiliaryPen_ = Number(s.auxiliaryPen);
    suspendedPen_ = Number(s.suspendedPen);
    add("边框线", frameColor, frameWidth_);
    add("关键工作", criticalColor, criticalPen_);
    add("一般工作", generalColor, generalPen_);
    add("时差线", floatColor, floatPen_);
    add("刻度线", tickColor, tickWidth_);
    add("网格线", gridColor, gridWidth_);
    add("节点编号", nodeNumberColor, nullptr);
    c->addWidget(new QLabel(QStringLiteral("字号"), colours), row - 1, 2);
    c->addWidget(nodeNumberSize_, row - 1, 3);
    add("辅助工作", auxiliaryColor, auxiliaryPen_);
    add("挂起工作", suspendedColor, suspendedPen_);
    add("工作名称颜色", workNameColor, nullptr);
    add("时间刻度颜色", timeScaleColor, nullptr);
    add("背景色", backgroundColor, nullptr);
    backgroundColor->SetColor(s.background);
    connect(printRadio, &QRadioButton::toggled, this, &Tpertsetfm::SwitchPalette);

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(geometry, 0, Qt::AlignTop);
    layout->addWidget(colours);
    return page;
}

QWidget* Tpertsetfm::GanttPage()
{
    auto* page = new QWidget(this);
    const Tpertsetdata::TGanttPage& g = state_.gantt;
    auto* layout = new QHBoxLayout(page);
    auto* left = new QFormLayout;
    ganttTitle = new QLineEdit(Q(g.title), page);
    ganttTitleGap_ = Number(g.titleGap);
    ganttTitleFont_ = new TFontButton(page);
    ganttTitleFont_->SetFont(g.titleFont);
    ganttWorkFont_ = new TFontButton(page);
    ganttWorkFont_->SetFont(g.workFont);
    ganttRowsPerPage = Number(g.rowsPerPage);
    ganttRightDistance_ = Number(g.rightDistance);
    ganttCriticalHeight_ = Number(g.criticalBarHeight);
    ganttNormalHeight_ = Number(g.normalBarHeight);
    left->addRow(QStringLiteral("名称："), ganttTitle);
    left->addRow(QStringLiteral("名称距图间距："), ganttTitleGap_);
    left->addRow(QStringLiteral("字体"), ganttTitleFont_);
    left->addRow(QStringLiteral("工作字体"), ganttWorkFont_);
    left->addRow(QStringLiteral("每页显示行数："), ganttRowsPerPage);
    left->addRow(QStringLiteral("图与右边框距："), ganttRightDistance_);
    left->addRow(QStringLiteral("关键工作高度："), ganttCriticalHeight_);
    left->addRow(QStringLiteral("一般工作高度："), ganttNormalHeight_);
    const int32_t margins[] = {g.topMargin, g.leftMargin, g.bottomMargin, g.rightMargin};
    const char* marginNames[] = {"上边距", "左边距", "下边距", "右边距"};
    for (size_t i = 0; i < 4; ++i) {
        ganttMargins_[i] = Number(margins[i]);
        left->addRow(QString::fromUtf8(marginNames[i]), ganttMargins_[i]);
    }
    ganttResourceDiagram_ = new QCheckBox(QStringLiteral("横道图里含资源图"), page);
    ganttResourceDiagram_->setChecked(g.showResourceDiagram);
    left->addRow(QString(), ganttResourceDiagram_);
    layout->addLayout(left);

    auto* right = new QVBoxLayout;
    ganttColumns = new QTableWidget(int(g.columns.size()), 4, page);
    ganttColumns->setHorizontalHeaderLabels(
        {QStringLiteral("显示"), QStringLiteral("名称"), QStringLiteral("宽度"), QStringLiteral("对齐")});
    ganttColumns->verticalHeader()->setVisible(false);
    for (int r = 0; r < int(g.columns.size()); ++r) {
        const TGanttShowData& c = g.columns[size_t(r)];
        auto* shown = new QTableWidgetItem;
        shown->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        shown->setCheckState(c.visible ? Qt::Checked : Qt::Unchecked);
        ganttColumns->setItem(r, 0, shown);
        ganttColumns->setItem(r, 1, new QTableWidgetItem(Q(c.caption)));
        ganttColumns->setItem(r, 2, new QTableWidgetItem(Q(NumberToText(c.width, 8, 2))));
        auto* align = new QComboBox(ganttColumns);
        align->addItems({QStringLiteral("居左"), QStringLiteral("居中"), QStringLiteral("居右")});
        align->setCurrentIndex(std::clamp(c.align, 0, 2));
        ganttColumns->setCellWidget(r, 3, align);
    }
    ganttColumns->resizeColumnsToContents();
    right->addWidget(ganttColumns);
    auto* resources = new QGroupBox(QStringLiteral("资源用量显示"), page);
    auto* rf = new QFormLayout(resources);
    QStringList ids;
    for (const std::string& id : g.resourceIds) ids << Q(id);
    ganttResources = new QLineEdit(ids.join(QStringLiteral(",")), resources);
    ganttResourceMode_ = new QComboBox(resources);
    ganttResourceMode_->addItems({QStringLiteral("每天用量"), QStringLiteral("总量")});
    ganttResourceMode_->setCurrentIndex(!g.resourceModes.empty() && g.resourceModes[0] == 1 ? 1 : 0);
    ganttResourceWidth_ = Number(g.resourceWidth);
    rf->addRow(QStringLiteral("资源编号："), ganttResources);
    rf->addRow(QStringLiteral("显示方式："), ganttResourceMode_);
    rf->addRow(QStringLiteral("显示宽度："), ganttResourceWidth_);
    right->addWidget(resources);
    layout->addLayout(right);
    return page;
}

void Tpertsetfm::CollectGantt()
{
    Tpertsetdata::TGanttPage& g = state_.gantt;
    g.title = S(ganttTitle->text());
    g.titleGap = TIntegerEdit::Value(ganttTitleGap_);
    g.titleFont = ganttTitleFont_->Font();
    g.workFont = ganttWorkFont_->Font();
    g.rowsPerPage = TIntegerEdit::Value(ganttRowsPerPage);
    g.rightDistance = TIntegerEdit::Value(ganttRightDistance_);
    g.criticalBarHeight = TIntegerEdit::Value(ganttCriticalHeight_);
    g.normalBarHeight = TIntegerEdit::Value(ganttNormalHeight_);
    int32_t* margins[] = {&g.topMargin, &g.leftMargin, &g.bottomMargin, &g.rightMargin};
    for (size_t i = 0; i < 4; ++i) *margins[i] = TIntegerEdit::Value(ganttMargins_[i]);
    g.showResourceDiagram = ganttResourceDiagram_->isChecked();
    for (int r = 0; r < ganttColumns->rowCount() && r < int(g.columns.size()); ++r) {
        TGanttShowData& c = g.columns[size_t(r)];
        c.visible = ganttColumns->item(r, 0)->checkState() == Qt::Checked;
        c.caption = S(ganttColumns->item(r, 1)->text());
        // A width that is not a number keeps the old one.
        if (const auto w = ParseNumericText(S(ganttColumns->item(r, 2)->text().trimmed())))
            c.width = *w;
        if (auto* align = qobject_cast<QComboBox*>(ganttColumns->cellWidget(r, 3)))
            c.align = align->currentIndex();
    }
    g.resourceIds.clear();
    for (const QString& id : ganttResources->text().split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (!id.trimmed().isEmpty()) g.resourceIds.push_back(S(id.trimmed()));
    g.resourceModes.assign(g.resourceIds.size(), ganttResourceMode_->currentIndex());
    g.resourceWidth = TIntegerEdit::Value(ganttResourceWidth_);
}

QWidget* Tpertsetfm::TitlePage()
{
    auto* page = new QWidget(this);
    auto* f = new QFormLayout(page);
    titleEdit = new QLineEdit(Q(state_.title), page);
    titleGap_ = Number(state_.titleGap);
    showTitleAlways_ = new QCheckBox(QStringLiteral("始终显示工程名称"), page);
    showTitleAlways_->setChecked(state_.showTitleAlways);
    titleFont_ = new TFontButton(page);
    titleFont_->SetFont(state_.titleFont);
    f->addRow(QStringLiteral("名称"), titleEdit);
    f->addRow(QStringLiteral("名称距图间距："), titleGap_);
    f->addRow(QString(), showTitleAlways_);
    f->addRow(QStringLiteral("字体"), titleFont_);
    return page;
}

QWidget* Tpertsetfm::FontPage()
{
    auto* page = new QWidget(this);
    auto* f = new QFormLayout(page);
    workFont_ = new TFontButton(page);
    nodeFont_ = new TFontButton(page);
    rulerNameFont_ = new TFontButton(page);
    rulerScaleFont_ = new TFontButton(page);
    workFont_->SetFont(state_.workFont);
    nodeFont_->SetFont(state_.nodeFont);
    rulerNameFont_->SetFont(state_.rulerNameFont);
    rulerScaleFont_->SetFont(state_.rulerScaleFont);
    f->addRow(QStringLiteral("工作名称"), workFont_);
    f->addRow(QStringLiteral("节点编号"), nodeFont_);
    f->addRow(QStringLiteral("标尺名称"), rulerNameFont_);
    f->addRow(QStringLiteral("时间刻度"), rulerScaleFont_);
    return page;
}

QWidget* Tpertsetfm::RulerPage()
{
    auto* page = new QWidget(this);
    auto* top = new QFormLayout;
    dayStep_ = new QComboBox(page);
    for (int32_t step : Tpertsetdata::kDaySteps) dayStep_->addItem(QString::number(step));
    dayStep_->setCurrentIndex(state_.dayStepIndex);
    rulerHeight_ = Number(state_.rulerHeight);
    top->addRow(QStringLiteral("步长"), dayStep_);
    top->addRow(QStringLiteral("标尺高度"), rulerHeight_);
    byProjectCalendar_ = new QRadioButton(QStringLiteral("按工程历显示"), page);
    byRealTime_ = new QRadioButton(QStringLiteral("按实际时间显示"), page);
    (state_.byProjectCalendar ? byProjectCalendar_ : byRealTime_)->setChecked(true);
    auto* mode = new QHBoxLayout;
    mode->addWidget(byProjectCalendar_);
    mode->addWidget(byRealTime_);
    top->addRow(mode);

    auto* upper = new QGroupBox(QStringLiteral("上时间标尺"), page);
    auto* lower = new QGroupBox(QStringLiteral("下时间标尺"), page);
    auto* ul = new QVBoxLayout(upper);
    auto* ll = new QVBoxLayout(lower);
    for (size_t i = 0; i < 7; ++i) {
        topRows_[i] = new QCheckBox(QString::fromUtf8(kRulerRows[i]), upper);
        topRows_[i]->setChecked(state_.topRows[i]);
        ul->addWidget(topRows_[i]);
        bottomRows_[i] = new QCheckBox(QString::fromUtf8(kRulerRows[i]), lower);
        bottomRows_[i]->setChecked(state_.bottomRows[i]);
        ll->addWidget(bottomRows_[i]);
    }
    auto* grid = new QGroupBox(QStringLiteral("网格线设置"), page);
    auto* gl = new QVBoxLayout(grid);
    auto* gridGroup = new QButtonGroup(grid);
    for (size_t i = 0; i < 7; ++i) {
        gridChoice_[i] = new QRadioButton(QString::fromUtf8(kGridChoices[i]), grid);
        gridGroup->addButton(gridChoice_[i]);
        gl->addWidget(gridChoice_[i]);
    }
    gridChoice_[size_t(std::clamp(state_.gridChoice, 0, 6))]->setChecked(true);
    auto* rows = new QHBoxLayout;
    rows->addWidget(upper);
    rows->addWidget(lower);
    rows->addWidget(grid);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addLayout(rows);
    return page;
}

QWidget* Tpertsetfm::TimePage()
{
    auto* page = new QWidget(this);
    auto* f = new QFormLayout(page);
    projectStart_ = new QDateEdit(DateOfStamp(state_.projectStart), page);
    projectStart_->setCalendarPopup(true);
    projectStart_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    const double total = Tpertsetdata::TotalDays(net_);
    totalDays_ = new QLabel(Q(NumberToText(total, 8, 2)) + QStringLiteral(" 天"), page);
    endDate_ = new QLabel(page);
    auto showEnd = [this, total] {
        const QDate start = projectStart_->date();
        const int whole = static_cast<int>(total);
        endDate_->setText(start.addDays(whole > 0 ? whole - 1 : 0).toString(QStringLiteral("yyyy-MM-dd")));
    };
    showEnd();
    connect(projectStart_, &QDateEdit::dateChanged, this, showEnd);
    f->addRow(QStringLiteral("开工时间"), projectStart_);
    f->addRow(QStringLiteral("总工期"), totalDays_);
    f->addRow(QStringLiteral("结束时间"), endDate_);
    return page;
}

QWidget* Tpertsetfm::PrintPage()
{
    auto* page = new QWidget(this);
    auto* f = new QFormLayout(page);
    paperSize_ = new QComboBox(page);
    for (const char* n : Tpertsetdata::kPaperNames) paperSize_->addItem(QString::fromUtf8(n));
    paperSize_->setCurrentIndex(std::clamp(state_.paperSize - 1, 0, Tpertsetdata::kPaperCount - 1));
    orientation_ = new QComboBox(page);
    orientation_->addItems({QStringLiteral("纵向"), QStringLiteral("横向")});
    orientation_->setCurrentIndex(state_.orientation == 0 ? 0 : 1);
    marginTop_ = Number(state_.marginTop);
    marginLeft_ = Number(state_.marginLeft);
    printBottomMargin = Number(state_.marginBottom);
    printRightMargin = Number(state_.marginRight);
    printRatioX = Number(state_.printRatioX);
    printRatioY = Number(state_.printRatioY);
    equalRatios = new QCheckBox(QStringLiteral("横纵比例相等"), page);
    equalRatios->setChecked(state_.equalRatios);
    f->addRow(QStringLiteral("纸张大小"), paperSize_);
    f->addRow(QStringLiteral("打印方向"), orientation_);
    auto* margins = new QGroupBox(QStringLiteral("网络图打印边距设置"), page);
    auto* ml = new QFormLayout(margins);
    ml->addRow(QStringLiteral("上边距"), marginTop_);
    ml->addRow(QStringLiteral("左边距"), marginLeft_);
    ml->addRow(QStringLiteral("下边距"), printBottomMargin);
    ml->addRow(QStringLiteral("右边距"), printRightMargin);
    f->addRow(margins);
    // The Gantt chart's margins, the same fields as on its own page: each
    // edit follows the other.
    auto* gantt = new QGroupBox(QStringLiteral("横道图打印边距设置"), page);
    auto* gl = new QFormLayout(gantt);
    const char* ganttNames[] = {"上边距", "左边距", "下边距", "右边距"};
    for (size_t i = 0; i < 4; ++i) {
        QLineEdit* own = TIntegerEdit::Make(TIntegerEdit::Value(ganttMargins_[i]), gantt);
        ganttPrintMargins[i] = own;
        QLineEdit* other = ganttMargins_[i];
        connect(own, &QLineEdit::textEdited, other, &QLineEdit::setText);
        connect(other, &QLineEdit::textEdited, own, &QLineEdit::setText);
        gl->addRow(QString::fromUtf8(ganttNames[i]), own);
    }
    f->addRow(gantt);
    auto* ratios = new QGroupBox(QStringLiteral("打印比例设置"), page);
    auto* rl = new QFormLayout(ratios);
    rl->addRow(QStringLiteral("横向 100："), printRatioX);
    rl->addRow(QStringLiteral("纵向 100："), printRatioY);
    rl->addRow(QString(), equalRatios);
    f->addRow(ratios);
    return page;
}

void Tpertsetfm::StorePanels(Tpertsetdata::TColors& c) const
{
    c.frame = frameColor->Color();
    c.critical = criticalColor->Color();
    c.general = generalColor->Color();
    c.floatLine = floatColor->Color();
    c.tick = tickColor->Color();
    c.grid = gridColor->Color();
    c.nodeNumber = nodeNumberColor->Color();
    c.auxiliary = auxiliaryColor->Color();
    c.suspended = suspendedColor->Color();
    c.workName = workNameColor->Color();
    c.timeScale = timeScaleColor->Color();
}

void Tpertsetfm::LoadPanels(const Tpertsetdata::TColors& c)
{
    frameColor->SetColor(c.frame);
    criticalColor->SetColor(c.critical);
    generalColor->SetColor(c.general);
    floatColor->SetColor(c.floatLine);
    tickColor->SetColor(c.tick);
    gridColor->SetColor(c.grid);
    nodeNumberColor->SetColor(c.nodeNumber);
    auxiliaryColor->SetColor(c.auxiliary);
    suspendedColor->SetColor(c.suspended);
    workNameColor->SetColor(c.workName);
    timeScaleColor->SetColor(c.timeScale);
}

void Tpertsetfm::SwitchPalette(bool print)
{
    if (print == state_.showingPrint) return;
    StorePanels(state_.Shown());
    state_.showingPrint = print;
    LoadPanels(state_.Shown());
    backgroundColor->setEnabled(!print);
}

QWidget* Tpertsetfm::ExplainPage()
{
    const Tpertexplain& e = state_.explain;
    auto* page = new QWidget(this);
    auto* top = new QHBoxLayout;
    auto* mode = new QGroupBox(QStringLiteral("显示方式"), page);
    auto* ml = new QVBoxLayout(mode);
    const char* modes[] = {"不显示", "右边显示", "底部显示"};
    for (int i = 0; i < 3; ++i) {
        explainMode[size_t(i)] = new QRadioButton(QString::fromUtf8(modes[i]), mode);
        ml->addWidget(explainMode[size_t(i)]);
    }
    explainMode[size_t(std::clamp(e.showMode, 0, 2))]->setChecked(true);
    top->addWidget(mode);

    auto* options = new QGroupBox(QStringLiteral("图注选项"), page);
    auto* ol = new QFormLayout(options);
    explainWidth = Number(e.blockWidth);
    explainHeight = Number(e.blockHeight);
    legendWidth = Number(int32_t(std::lround(std::clamp(e.legend.width, -1e9, 1e9))));
    legendHeight = Number(int32_t(std::lround(std::clamp(e.legend.height, -1e9, 1e9))));
    ol->addRow(QStringLiteral("宽"), explainWidth);
    ol->addRow(QStringLiteral("高"), explainHeight);
    ol->addRow(QStringLiteral("图例宽度："), legendWidth);
    ol->addRow(QStringLiteral("图例高度："), legendHeight);
    top->addWidget(options);

    auto* text = new QGroupBox(QStringLiteral("说明文字选项"), page);
    auto* tl = new QFormLayout(text);
    textLeftGap = Number(e.textLeftGap);
    textRightGap = Number(e.textRightGap);
    tl->addRow(QStringLiteral("左边距"), textLeftGap);
    tl->addRow(QStringLiteral("右边距"), textRightGap);
    explanationFontButton = new QPushButton(QStringLiteral("说明字体"), text);
    titleBlockFontButton = new QPushButton(QStringLiteral("题栏字体"), text);
    connect(explanationFontButton, &QPushButton::clicked, this, [this] { PickExplainFont(false); });
    connect(titleBlockFontButton, &QPushButton::clicked, this, [this] { PickExplainFont(true); });
    tl->addRow(explanationFontButton);
    tl->addRow(titleBlockFontButton);
    top->addWidget(text);

    auto* autos = new QGroupBox(QStringLiteral("自动生成项"), page);
    auto* al = new QVBoxLayout(autos);
    autoStart = new QCheckBox(QStringLiteral("起始时间"), autos);
    autoEnd = new QCheckBox(QStringLiteral("结束时间"), autos);
    autoDuration = new QCheckBox(QStringLiteral("总工期"), autos);
    autoStart->setChecked(e.autoStart);
    autoEnd->setChecked(e.autoEnd);
    autoDuration->setChecked(e.autoDuration);
    for (QCheckBox* b : {autoStart, autoEnd, autoDuration}) al->addWidget(b);
    top->addWidget(autos);

    explanationMemo = new QPlainTextEdit(page);
    explanationMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    QStringList lines;
    for (const std::string& l : e.explanationLines) lines << QString::fromStdString(l);
    explanationMemo->setPlainText(lines.join('\n'));

    titleStylePages = new QTabWidget(page);
    auto* one = new QWidget(titleStylePages);
    auto* grid = new QGridLayout(one);
    for (int i = 0; i < Tpertexplain::kCellCount; ++i) {
        cellEdits[size_t(i)] = new QLineEdit(QString::fromStdString(e.cells[size_t(i)]), one);
        grid->addWidget(cellEdits[size_t(i)], i % 10, i / 10);
    }
    noteMemo = new QPlainTextEdit(one);
    noteMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    QStringList notes;
    for (const std::string& l : e.noteLines) notes << QString::fromStdString(l);
    noteMemo->setPlainText(notes.join('\n'));
    grid->addWidget(noteMemo, 0, 2, 10, 1);
    titleStylePages->addTab(one, QStringLiteral("题栏样式一"));

    auto* two = new QWidget(titleStylePages);
    auto* tw = new QVBoxLayout(two);
    auto makeGrid = [this, two](const TTitleBar& bar) {
        // One row per table row; an empty table gets one empty row to start from.
        const int rows = std::max(1, int(std::max(bar.labels.size(), bar.values.size())));
        auto* g = new TTitleBarGrid(rows, two);
        g->setHorizontalHeaderLabels({QString(), QString()});
        g->horizontalHeader()->setMinimumSectionSize(10);
        g->verticalHeader()->setDefaultSectionSize(22);
        g->setColumnWidth(0, int(std::clamp(bar.labelWidth, 10.0, 1000.0)));
        g->setColumnWidth(1, int(std::clamp(bar.valueWidth, 10.0, 1000.0)));
        for (int r = 0; r < rows; ++r) {
            auto cell = [](const std::vector<std::string>& v, int i) {
                return QString::fromStdString(size_t(i) < v.size() ? v[size_t(i)] : std::string());
            };
            g->setItem(r, 0, new QTableWidgetItem(cell(bar.labels, r)));
            g->setItem(r, 1, new QTableWidgetItem(cell(bar.values, r)));
        }
        connect(g, &QTableWidget::itemChanged, this, [this] { barsEdited_ = true; });
        return g;
    };
    rightBarGrid = makeGrid(e.rightBar);
    leftBarGrid = makeGrid(e.leftBar);
    leftBarShown = new QCheckBox(QStringLiteral("显示该标题栏"), two);
    leftBarShown->setChecked(e.leftBar.shown);
    tw->addWidget(rightBarGrid);
    tw->addWidget(leftBarGrid);
    tw->addWidget(leftBarShown);
    titleStylePages->addTab(two, QStringLiteral("题栏样式二"));
    titleStylePages->setCurrentIndex(e.titleStyle == 1 ? 1 : 0);

    // Checking an automatic item fills its cell at once.
    connect(autoStart, &QCheckBox::toggled, this, [this](bool on) {
        if (on) cellEdits[17]->setText(QString::fromStdString(AutoStartText(net_)));
    });
    connect(autoEnd, &QCheckBox::toggled, this, [this](bool on) {
        if (on) cellEdits[18]->setText(QString::fromStdString(AutoEndText(net_)));
    });
    connect(autoDuration, &QCheckBox::toggled, this, [this](bool on) {
        if (on) cellEdits[14]->setText(QString::fromStdString(AutoDurationText(net_)));
    });

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(explanationMemo, 1);
    layout->addWidget(titleStylePages, 2);
    return page;
}

void Tpertsetfm::PickExplainFont(bool titleBlock)
{
    const bool print = printRadio && printRadio->isChecked();
    const char* what = titleBlock ? "题栏文字" : "说明文字";
    Messages().Show(std::string("当前设置的是“") + what + "”的" + (print ? "打印字体！" : "屏幕显示字体！"),
                    "提示", TMsgIcon::Warning, TMsgButtons::Ok);
    Tpertexplain& e = state_.explain;
    TVqFont& font = titleBlock ? e.titleBlockFont : e.explanationFont;
    int32_t& color = titleBlock ? (print ? e.titleBlockPrintColor : e.titleBlockScreenColor)
                                : (print ? e.explanationPrintColor : e.explanationScreenColor);
    QFont start(QString::fromStdString(font.name));
    start.setPointSize(std::max(1, font.size));
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, start, this);
    if (!ok) return;
    font.name = f.family().toStdString();
    if (f.pointSize() > 0) font.size = f.pointSize();
    const QColor c = QColorDialog::getColor(QColorOf(color), this);
    if (c.isValid()) color = c.red() | (c.green() << 8) | (c.blue() << 16);
}

void Tpertsetfm::CollectExplain()
{
    Tpertexplain& e = state_.explain;
    for (int i = 0; i < 3; ++i)
        if (explainMode[size_t(i)]->isChecked()) e.showMode = i;
    e.blockWidth = TIntegerEdit::Value(explainWidth);
    e.blockHeight = TIntegerEdit::Value(explainHeight);
    // Shown rounded: an untouched size keeps its fraction.
    const int32_t lw = TIntegerEdit::Value(legendWidth);
    const int32_t lh = TIntegerEdit::Value(legendHeight);
    if (lw != int32_t(std::lround(std::clamp(e.legend.width, -1e9, 1e9)))) e.legend.width = lw;
    if (lh != int32_t(std::lround(std::clamp(e.legend.height, -1e9, 1e9)))) e.legend.height = lh;
    e.textLeftGap = TIntegerEdit::Value(textLeftGap);
    e.textRightGap = TIntegerEdit::Value(textRightGap);
    auto lines = [](const QPlainTextEdit* m) {
        std::vector<std::string> out;
        if (m->toPlainText().isEmpty()) return out;
        for (const QString& l : m->toPlainText().split('\n')) out.push_back(l.toStdString());
        return out;
    };
    e.explanationLines = lines(explanationMemo);
    e.noteLines = lines(noteMemo);
    e.autoStart = autoStart->isChecked();
    e.autoEnd = autoEnd->isChecked();
    e.autoDuration = autoDuration->isChecked();
    for (int i = 0; i < Tpertexplain::kCellCount; ++i)
        e.cells[size_t(i)] = cellEdits[size_t(i)]->text().toStdString();
    e.titleStyle = titleStylePages->currentIndex() == 1 ? 1 : 0;
    e.leftBar.shown = leftBarShown->isChecked();
    if (barsEdited_) {
        auto column = [](const QTableWidget* g, int c) {
            std::vector<std::string> cells;
            for (int r = 0; r < g->rowCount(); ++r)
                cells.push_back(g->item(r, c) ? g->item(r, c)->text().toStdString() : "");
            return Tpertsetdata::GridColumn(cells);
        };
        for (auto [grid, bar] : {std::pair{rightBarGrid, &e.rightBar}, std::pair{leftBarGrid, &e.leftBar}}) {
            bar->labels = column(grid, 0);
            bar->values = column(grid, 1);
            bar->labelWidth = grid->columnWidth(0);
            bar->valueWidth = grid->columnWidth(1);
        }
    }
}

QWidget* Tpertsetfm::ResourcePage()
{
    Tresourcepage& r = state_.resources;
    auto* page = new QWidget(this);
    auto* layout = new QGridLayout(page);
    auto table = [&](const QStringList& captions) {
        auto* t = new QTableWidget(0, int(captions.size()), page);
        t->setHorizontalHeaderLabels(captions);
        t->verticalHeader()->setVisible(false);
        t->setSelectionBehavior(QAbstractItemView::SelectRows);
        t->setSelectionMode(QAbstractItemView::SingleSelection);
        t->setEditTriggers(QAbstractItemView::NoEditTriggers);
        return t;
    };
    customResources_ = table({QStringLiteral("编号"), QStringLiteral("资源名称及规格"),
                              QStringLiteral("显示方式"), QStringLiteral("单位")});
    workResources_ = table({QStringLiteral("编号"), QStringLiteral("资源名称及规格"),
                            QStringLiteral("显示方式")});
    shownResources_ = table({QStringLiteral("编号"), QStringLiteral("资源名称及规格"),
                             QStringLiteral("显示方式")});
    // One selection between the two source lists: 加入 takes the custom one first.
    connect(customResources_, &QTableWidget::itemSelectionChanged, this, [this] {
        if (customResources_->currentRow() >= 0 && !customResources_->selectedItems().isEmpty())
            workResources_->clearSelection();
    });
    connect(workResources_, &QTableWidget::itemSelectionChanged, this, [this] {
        if (!workResources_->selectedItems().isEmpty()) customResources_->clearSelection();
    });
    auto selected = [](QTableWidget* t) { return t->selectedItems().isEmpty() ? -1 : t->currentRow(); };
    layout->addWidget(new QLabel(QStringLiteral("自定义资源："), page), 0, 0);
    layout->addWidget(customResources_, 1, 0);
    layout->addWidget(new QLabel(QStringLiteral("工作使用的资源："), page), 2, 0);
    layout->addWidget(workResources_, 3, 0);
    auto* buttons = new QVBoxLayout;
    auto* add = new QPushButton(QStringLiteral("加入"), page);
    auto* remove = new QPushButton(QStringLiteral("除去"), page);
    auto* purge = new QPushButton(QStringLiteral("彻底删除"), page);
    for (QPushButton* b : {add, remove, purge}) buttons->addWidget(b);
    buttons->addStretch();
    layout->addLayout(buttons, 1, 1, 3, 1);
    connect(add, &QPushButton::clicked, this, [this, selected] {
        if (state_.resources.Add(selected(customResources_), selected(workResources_)))
            FillResourceLists();
    });
    connect(remove, &QPushButton::clicked, this, [this, selected] {
        state_.resources.Remove(selected(shownResources_));
        FillResourceLists();
    });
    connect(purge, &QPushButton::clicked, this, [this, selected] {
        if (state_.resources.Purge(selected(customResources_))) FillResourceLists();
    });
    layout->addWidget(new QLabel(QStringLiteral("所要显示的资源图："), page), 0, 2);
    layout->addWidget(shownResources_, 1, 2);
    auto* form = new QFormLayout;
    resourceMode_ = new QComboBox(page);
    for (const char* m : Tresourcepage::kModes) resourceMode_->addItem(QString::fromUtf8(m));
    connect(resourceMode_, &QComboBox::activated, this, [this, selected](int) {
        const int row = selected(shownResources_);
        state_.resources.SetMode(row, S(resourceMode_->currentText()));
        FillResourceLists();
        if (row >= 0) shownResources_->selectRow(row);
    });
    connect(shownResources_, &QTableWidget::itemSelectionChanged, this, [this] {
        const int row = shownResources_->currentRow();
        if (row >= 0 && size_t(row) < state_.resources.shown.size())
            resourceMode_->setCurrentText(Q(state_.resources.shown[size_t(row)].mode));
    });
    form->addRow(QStringLiteral("显示方式"), resourceMode_);
    auto* fills = new QGroupBox(QStringLiteral("直方图填充设置"), page);
    auto* ff = new QFormLayout(fills);
    screenFill_ = new TColorButton(fills);
    screenFill_->SetColor(r.screenFill);
    printFill_ = new TColorButton(fills);
    printFill_->SetColor(r.printFill);
    fillStyle_ = new QComboBox(fills);
    fillStyle_->addItems({QStringLiteral("实心"), QStringLiteral("无填充"), QStringLiteral("水平线"),
                          QStringLiteral("垂直线"), QStringLiteral("左斜线"), QStringLiteral("右斜线"),
                          QStringLiteral("十字线"), QStringLiteral("斜十字线")});
    fillStyle_->setCurrentIndex(std::clamp(r.fillStyle, 0, 7));
    ff->addRow(QStringLiteral("显示填充色"), screenFill_);
    ff->addRow(QStringLiteral("打印填充色"), printFill_);
    ff->addRow(QStringLiteral("填充样式"), fillStyle_);
    form->addRow(fills);
    resourceHeight_ = Number(r.height);
    resourceDivisions_ = Number(r.divisions);
    form->addRow(QStringLiteral("资源图高度"), resourceHeight_);
    form->addRow(QStringLiteral("资源图刻度数"), resourceDivisions_);
    resourceInNetwork_ = new QCheckBox(QStringLiteral("网络图里含资源图"), page);
    resourceInNetwork_->setChecked(r.inNetwork);
    // The same setting as the box of the Gantt page: both show one value.
    resourceInGantt_ = new QCheckBox(QStringLiteral("横道图里含资源图"), page);
    resourceInGantt_->setChecked(state_.gantt.showResourceDiagram);
    form->addRow(resourceInNetwork_);
    form->addRow(resourceInGantt_);
    layout->addLayout(form, 2, 2, 2, 1);
    FillResourceLists();
    return page;
}

void Tpertsetfm::FillResourceLists()
{
    const Tresourcepage& r = state_.resources;
    auto fill = [](QTableWidget* t, const std::vector<Tresourcepage::TRow>& rows, bool unit) {
        t->setRowCount(int(rows.size()));
        for (int i = 0; i < int(rows.size()); ++i) {
            const Tresourcepage::TRow& row = rows[size_t(i)];
            t->setItem(i, 0, new QTableWidgetItem(Q(row.number)));
            t->setItem(i, 1, new QTableWidgetItem(Q(row.name)));
            t->setItem(i, 2, new QTableWidgetItem(Q(row.mode)));
            if (unit) t->setItem(i, 3, new QTableWidgetItem(Q(row.unit)));
        }
        t->clearSelection();
    };
    fill(customResources_, r.custom, true);
    fill(workResources_, r.work, false);
    fill(shownResources_, r.shown, false);
}

void Tpertsetfm::CollectResources()
{
    Tresourcepage& r = state_.resources;
    r.screenFill = screenFill_->Color();
    r.printFill = printFill_->Color();
    r.fillStyle = fillStyle_->currentIndex();
    r.height = TIntegerEdit::Value(resourceHeight_);
    r.divisions = TIntegerEdit::Value(resourceDivisions_);
    r.inNetwork = resourceInNetwork_->isChecked();
}

void Tpertsetfm::Collect()
{
    Tpertsetdata& s = state_;
    CollectResources();
    CollectExplain();
    StorePanels(s.Shown());
    s.background = backgroundColor->Color();
    s.nodeRadiusX = TIntegerEdit::Value(nodeRadiusX);
    s.nodeRadiusY = TIntegerEdit::Value(nodeRadiusY_);
    s.groupColumnWidth = TIntegerEdit::Value(groupWidth_);
    s.leftFrame = TIntegerEdit::Value(leftFrame_);
    s.topFrame = TIntegerEdit::Value(topFrame_);
    s.bottomFrame = TIntegerEdit::Value(bottomFrame_);
    s.rightFrame = TIntegerEdit::Value(rightFrame_);
    s.showDurations = showDurations_->isChecked();
    s.showEndMark = showEndMark_->isChecked();
    s.frameWidth = TIntegerEdit::Value(frameWidth_);
    s.criticalPen = TIntegerEdit::Value(criticalPen_);
    s.generalPen = TIntegerEdit::Value(generalPen_);
    s.floatPen = TIntegerEdit::Value(floatPen_);
    s.tickWidth = TIntegerEdit::Value(tickWidth_);
    s.gridWidth = TIntegerEdit::Value(gridWidth_);
    s.nodeNumberSize = TIntegerEdit::Value(nodeNumberSize_);
    s.auxiliaryPen = TIntegerEdit::Value(auxiliaryPen_);
    s.suspendedPen = TIntegerEdit::Value(suspendedPen_);
    s.title = S(titleEdit->text());
    s.titleGap = TIntegerEdit::Value(titleGap_);
    s.showTitleAlways = showTitleAlways_->isChecked();
    s.titleFont = titleFont_->Font();
    s.workFont = workFont_->Font();
    s.nodeFont = nodeFont_->Font();
    s.rulerNameFont = rulerNameFont_->Font();
    s.rulerScaleFont = rulerScaleFont_->Font();
    s.dayStepIndex = dayStep_->currentIndex();
    s.rulerHeight = TIntegerEdit::Value(rulerHeight_);
    s.byProjectCalendar = byProjectCalendar_->isChecked();
    for (size_t i = 0; i < 7; ++i) {
        s.topRows[i] = topRows_[i]->isChecked();
        s.bottomRows[i] = bottomRows_[i]->isChecked();
        if (gridChoice_[i]->isChecked()) s.gridChoice = int32_t(i);
    }
    s.projectStart = StampOfDate(projectStart_->date());
    s.paperSize = paperSize_->currentIndex() + 1;
    s.orientation = orientation_->currentIndex();
    s.marginTop = TIntegerEdit::Value(marginTop_);
    s.marginLeft = TIntegerEdit::Value(marginLeft_);
    s.marginBottom = TIntegerEdit::Value(printBottomMargin);
    s.marginRight = TIntegerEdit::Value(printRightMargin);
    s.printRatioX = TIntegerEdit::Value(printRatioX);
    s.printRatioY = TIntegerEdit::Value(printRatioY);
    s.equalRatios = equalRatios->isChecked();
    CollectGantt();
}

void Tpertsetfm::Confirm()
{
    for (QLineEdit* e : numberFields) {
        const std::string t = S(e->text().trimmed());
        const std::string digits = !t.empty() && t[0] == '-' ? t.substr(1) : t;
        if (!IsNumericText(digits)) {
            ShowPlain("请输入一个数字");
            // The page holding the field comes to the front.
            for (QWidget* w = e->parentWidget(); w; w = w->parentWidget()) {
                if (auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr))
                    tabs->setCurrentWidget(w);
            }
            e->setFocus();
            return;
        }
    }
    Collect();
    changed_ = state_.Apply(net_);
    accept();
}
