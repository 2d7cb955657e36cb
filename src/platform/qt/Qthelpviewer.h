#pragma once
#include <QPointer>

#include "platform/Helpviewer.h"

class QTextBrowser;

// Shows the HTML help document in a window of its own, at its beginning
// (the table of contents); links inside it are followed in the same window.
class TQtHelpViewer : public IHelpViewer {
public:
    ~TQtHelpViewer() override;
    bool ShowContents(const std::string& helpFile) override;

private:
    QPointer<QTextBrowser> browser_;
};
