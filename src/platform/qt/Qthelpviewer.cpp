#include "platform/qt/Qthelpviewer.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>

TQtHelpViewer::~TQtHelpViewer()
{
    delete browser_;
}

bool TQtHelpViewer::ShowContents(const std::string& helpFile)
{
    const QString path = QString::fromStdString(helpFile);
    if (!QFileInfo(path).isFile()) return false;
    if (!browser_) {
        browser_ = new QTextBrowser;
        browser_->setAttribute(Qt::WA_DeleteOnClose);
        browser_->setWindowTitle(QStringLiteral("帮助"));
        browser_->setOpenExternalLinks(true);
        browser_->resize(720, 560);
    }
    browser_->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    browser_->scrollToAnchor(QStringLiteral("contents"));
    browser_->show();
    browser_->raise();
    browser_->activateWindow();
    return true;
}
