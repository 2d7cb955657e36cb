#pragma once
#include <QDialog>
#include <memory>

#include "entry/Workdialog.h"
#include "entry/Workdialogs.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class IBudgetItemSource;

// "工作信息": every work is entered and edited here. The window only shows
// and forwards; the rules and the confirm step are the TWorkdialog's.
class Tworktablefm : public QDialog {
    Q_OBJECT
public:
    // Add mode on the anchors of a gesture.
    Tworktablefm(Tpertgra& net, const TAddAnchors& anchors, IBudgetItemSource* items,
                 QWidget* parent = nullptr);
    // Edit mode for a work.
    Tworktablefm(Tpertgra& net, Tedge* work, IBudgetItemSource* items, QWidget* parent = nullptr);
    ~Tworktablefm() override;

    // Modal; the outcome tells the caller what to lay out and record.
    TWorkDialogOutcome Run();

    TWorkdialog& State() { return state_; }
    // 确定 pressed: closes with 1 unless the confirmation keeps the dialog open.
    void Confirm();
    // What the last 确定 came to.
    TWorkConfirm LastConfirm() const { return last_; }

    void done(int r) override;

    QTabWidget* pages = nullptr;
    // 主要信息
    QComboBox* namecob = nullptr;
    QToolButton* btnworkname = nullptr;
    QLineEdit* duredit = nullptr;
    QComboBox* typecob = nullptr;
    QLineEdit* gcledit = nullptr;
    QComboBox* gcldwcob = nullptr;
    QLineEdit* edtfinishbili = nullptr;
    QDateEdit* WorkstarttimeEdt = nullptr;
    QDateEdit* WorkendtimeEdt = nullptr;
    QDateEdit* workesdt = nullptr;
    QDateEdit* worklsdt = nullptr;
    QDateEdit* workefdt = nullptr;
    QDateEdit* worklfdt = nullptr;
    // 工作设置
    QButtonGroup* nameptrgp = nullptr;
    QButtonGroup* placemodergp = nullptr;
    QCheckBox* customckb = nullptr;
    QPushButton* fontsetbtn = nullptr;
    QCheckBox* worklinewidthckb = nullptr;
    QComboBox* worklinewidthcob = nullptr;
    QCheckBox* worklineclckb = nullptr;
    QLabel* workpensp = nullptr;
    QPushButton* btnLineColor = nullptr;
    QCheckBox* worklinestyleckb = nullptr;
    QComboBox* worklinestylecob = nullptr;
    QToolButton* updownUp = nullptr;
    QToolButton* updownDown = nullptr;
    // 资源
    QComboBox* resnumbercob = nullptr;
    QComboBox* resnamecob = nullptr;
    QLineEdit* resdanweiedit = nullptr;
    QLineEdit* resdanjiaedit = nullptr;
    QComboBox* resleibiecob = nullptr;
    QComboBox* jlmodecob = nullptr;
    QLineEdit* resdwsledit = nullptr;
    QLineEdit* reszledit = nullptr;
    QTreeWidget* reslist = nullptr;
    QPushButton* addResource = nullptr;
    QPushButton* modifyResource = nullptr;
    QPushButton* deleteResource = nullptr;
    // 统计
    QLineEdit* labourCost = nullptr;
    QLineEdit* materialCost = nullptr;
    QLineEdit* machineryCost = nullptr;
    QLineEdit* otherCost = nullptr;
    QLineEdit* totalCost = nullptr;
    QLineEdit* totalPeople = nullptr;
    QLineEdit* labourDays = nullptr;

    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    QWidget* BuildMainPage();
    QWidget* BuildSettingsPage();
    QWidget* BuildResourcePage();
    QWidget* BuildStatisticsPage();
    void Connect();
    void ShowAll();
    void ShowMain();
    void ShowSettings();
    void ShowSwatch();
    void ShowResourceBoxes();
    void ShowLines();
    void ShowStatistics();
    void PageChanged(int index);
    void NameButtonClicked();
    void PickFont();
    void PickLineColor();

    TWorkdialog state_;
    TWorkConfirm last_ = TWorkConfirm::StayOpen;
    bool updating_ = false;
    bool shiftAtRelease_ = false;
    bool closed_ = false;
};

// The real work dialogs for the pointer commands: each call shows a modal
// Tworktablefm over parent. items may be null (no budget panel yet).
std::unique_ptr<IWorkDialogs> MakeWorktableDialogs(QWidget* parent, IBudgetItemSource* items);
