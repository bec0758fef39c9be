// The yardstick of the start-up benchmark: a bare Qt window with a four-page tab control, built
// the plain way, with the program's window size and page captions.
#include <QApplication>
#include <QTabWidget>
#include <QWidget>

#include "idle_frame.h"

namespace {

QWidget* window = nullptr;

QWidget* theWindow() { return window; }

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    reportFirstIdleFrame(theWindow);
    QWidget top;
    top.setWindowTitle(QString::fromUtf8("砚舟的小说辅助工具"));
    top.setFixedSize(439, 271);
    auto* tabs = new QTabWidget(&top);
    tabs->setGeometry(-2, 0, 440, 240);
    const char* captions[] = {"武器·功法", "随机取名", "自定义取名", "说明"};
    for (const char* caption : captions) {
        tabs->addTab(new QWidget(), QString::fromUtf8(caption));
    }
    window = &top;
    top.show();
    return QApplication::exec();
}
