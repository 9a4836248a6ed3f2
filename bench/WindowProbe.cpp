// The yardsticks, started and ended as the editor's probe is:
//   probe_window splash|menu empty   an empty Qt Widgets window;
//   probe_window splash|menu text    a window showing one line of what the editor's window shows
//                                    at that point (the splash's version, the main menu's
//                                    Chinese captions), so the cost of drawing text at all shows.
// In splash mode it prints "shown" once the window is painted; in menu mode the peak resident
// memory in kilobytes.
#include "bench/ShownProbe.h"

#include <QApplication>
#include <QLabel>
#include <cstring>
#include <memory>
#include <string>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool menu = argc > 1 && std::strcmp(argv[1], "menu") == 0;
    const bool text = argc > 2 && std::strcmp(argv[2], "text") == 0;
    // A plain widget: a label would ask the font system for its size even without text.
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    if (text)
        window = std::make_unique<QLabel>(
            menu ? QStringLiteral(
                       "开 始 K36基本资料编辑 DMX通道编辑 高级功能编辑 范围表 素材表 宏功能 "
                       "生成K36灯库文件 新建 关闭")
                 : QStringLiteral("V1.0.0"));
    bench::whenShown(*window, [menu] {
        bench::report(menu ? std::to_string(bench::peakResidentKb()).c_str() : "shown");
    });
    window->show();
    return app.exec();
}
