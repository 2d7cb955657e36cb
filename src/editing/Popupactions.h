#pragma once
#include <cstdint>

#include "model/Position2d.h"

class ICheckView;
class Tpertgra;
class TPertdoc;

// What a popup item of the document window leaves for the window to do.
struct TPopupOutcome {
    int32_t effects = 0;      // TDocEffect bits
    int32_t selectTool = 0;   // the kind of the tool button to press instead, 0 for none
};

// The work items of the document window's popup menu, at the point of the
// last press (drawing units). Each change is recorded in the undo history
// and the crash backup.

// 编辑 and 设置 over an annotation: when the annotation's hover command was
// pressed on one, its dialog "标注属性"; a confirmed change is one undo step.
// False when no annotation is meant (编辑 goes on with the works, 设置 opens
// the display settings).
bool PopupAnnotation(TPertdoc& doc, TPopupOutcome& out);
// 编辑: the annotation as above, else the work dialog for the work at the
// point; without a work the edit tool is chosen instead.
TPopupOutcome PopupEdit(TPertdoc& doc, TPosition2D p);
// 删除: on a cell of the group column, deletes it after "真的要删除吗?";
// else an annotation at the point after "真的要删除该标注吗?"; else the delete dialog for the work at the point; without a work the
// delete tool is chosen instead.
TPopupOutcome PopupDelete(TPertdoc& doc, TPosition2D p);
// 粘贴: replaces the work at the point by the copied works after asking;
// without a work the replace tool is chosen instead; an empty copy buffer
// does nothing.
TPopupOutcome PopupPaste(TPertdoc& doc, TPosition2D p, const Tpertgra* clip);

// 空行: a blank row opens at the point's y.
TPopupOutcome PopupBlankRow(TPertdoc& doc, TPosition2D p);

// The four items under 检查, in menu order.
enum TCheckItem : int32_t {
    ciStartNodes = 0,     // 多起点检查
    ciEndNodes = 1,       // 多终点检查
    ciOverlap = 2,        // 工作线重叠检查
    ciRedundant = 3,      // 多余逻辑关系检查
};
TPopupOutcome PopupCheck(TPertdoc& doc, int32_t item, ICheckView& view);
