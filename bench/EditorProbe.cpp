// The editor started as its main() starts it, ending itself once a window is up:
//   probe_editor splash   prints "shown" once the splash window is painted;
//   probe_editor menu     lets the splash hand over at once and prints the peak resident memory
//                         in kilobytes once the main menu is painted.
#include "bench/ShownProbe.h"
#include "platform/Form.h"
#include "shell/Form0.h"
#include "shell/Start.h"
#include "shell/Startup.h"

#include <QApplication>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool menu = argc > 1 && std::strcmp(argv[1], "menu") == 0;
    shell::prepareApplication(app);
    shell::Start& splash = platform::window<shell::Start>();
    bench::whenShown(splash, [menu, &splash] {
        if (!menu)
            bench::report("shown");
        // The splash's own three seconds are no part of what the editor costs.
        bench::whenShown(platform::window<shell::Form0>(),
                         [] { bench::report(std::to_string(bench::peakResidentKb()).c_str()); });
        splash.Timer1_Timer();
    });
    splash.Show();
    return app.exec();
}
