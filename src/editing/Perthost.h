#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Timer.h"

class CPertCommand;
class TBackupFiles;
class Tpertfm;
class TSetpertCommand;

// What a document window needs from the main window that holds it: the
// tool command, the hover chooser, the status bar, saving, the backup
// folder and the timers. The main window implements it.
class IPertHost {
public:
    virtual ~IPertHost() = default;
    virtual CPertCommand* ToolCommand() = 0;
    virtual TSetpertCommand& Chooser() = 0;
    virtual void ShowPointerStatus(const std::array<std::string, 5>& panels) = 0;
    // Panels 0 to 3 emptied (a document closed).
    virtual void ClearPointerStatus() = 0;
    // The document's picture was drawn again after a change, an undo, a zoom
    // or a new layout: the panels of the project's dates and total duration
    // follow it at once, not only at the next pointer move.
    virtual void ShowProjectStatus(Tpertfm&) {}
    // Save, or Save As for a new document or a restored backup; true when saved.
    virtual bool SaveDocument(Tpertfm& doc) = 0;
    // The "1：1" button follows the zoom.
    virtual void SetActualSizeDown(bool down) = 0;
    // "属性设置" for the document.
    virtual void OpenDisplaySettings(Tpertfm& doc) = 0;
    // Copies the selected works of the document into the copy buffer.
    virtual void CopySelection(Tpertfm& doc) = 0;
    // The copy buffer, or null when nothing was copied.
    virtual const class Tpertgra* ClipNetwork() const = 0;
    // Presses the tool button of a command kind (add, edit, delete, replace).
    virtual void PressTool(int32_t kind) = 0;
    virtual TBackupFiles& Backups() = 0;
    virtual std::unique_ptr<ITimer> NewTimer() = 0;
    // The document window is closing (its close query said yes).
    virtual void DocumentClosed(Tpertfm& doc) = 0;
};
