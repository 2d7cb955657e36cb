#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include "platform/qt/Qtmessagebox.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    TQtMessageService messages(&window);
    SetMessageService(&messages);
    window.setWindowTitle(QString::fromUtf8("ArrowPlan 网络计划"));
    window.setCentralWidget(new QLabel(QString::fromUtf8("时标网络图"), &window));
    window.resize(1024, 700);
    window.show();
    int rc = app.exec();
    SetMessageService(nullptr);
    return rc;
}
