#pragma once

#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Timer.h"

namespace shell {

// The splash window: fixes the window title, installs the missing runtime
// controls, then hands over to the main menu after three seconds.
class Start : public platform::Form {
public:
    static constexpr const char* Name = "Start";
    Start();

    void Form_Load() override;
    void Timer1_Timer();

    platform::PictureBox* Picture1;
    platform::Label* Label1;
    platform::Timer* Timer1;

private:
    void InstallRuntimeControls(const QString& systemFolder);
};

// The folder the runtime controls belong in, or the empty text when the
// system has none (then nothing is installed).
QString systemFolderFrom(const QString& windir);

} // namespace shell
