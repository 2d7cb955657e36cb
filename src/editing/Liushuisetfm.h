#pragma once
#include <QDialog>
#include <memory>

#include "editing/Liushui.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "参数设置" of the flow-line tool: the numbers of layers and sections, the
// names and the direction of the new layers; 确定 generates the flow line.
class Tliushuisetfm : public QDialog {
    Q_OBJECT
public:
    explicit Tliushuisetfm(TLiushuiset& state, QWidget* parent = nullptr);

    QLineEdit* liushuicengnumedit = nullptr;
    QLineEdit* liushuiduannumedit = nullptr;
    QCheckBox* chkcengduanname = nullptr;
    QGroupBox* liushuifxrgp = nullptr;
    QRadioButton* uprbtn = nullptr;     // 向上
    QRadioButton* downrbtn = nullptr;   // 向下
    QPushButton* okbut = nullptr;
    QPushButton* cancelbut = nullptr;

private:
    void Collect();
    TLiushuiset& state_;
};

std::unique_ptr<ILiushuiDialog> MakeLiushuiDialog(QWidget* parent);
