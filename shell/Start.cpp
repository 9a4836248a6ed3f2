#include "shell/Start.h"

#include "common/Public.h"
#include "platform/Desktop.h"
#include "platform/Layout.h"
#include "platform/Services.h"
#include "shell/Form0.h"

#include <QDir>

namespace shell {

using common::Public;

namespace {
// The three runtime files embedded under resources/runtime/. This build carries short text
// stand-ins for them, not the controls themselves: the editor draws its own grid and dialogs, and
// writes the stand-ins only where a windir folder with System32 exists.
struct RuntimeFile {
    int resource;
    const char* fileName;
};
constexpr RuntimeFile RuntimeFiles[] = {
    {101, "COMDLG32.OCX"},
    {102, "MSFLXGRD.OCX"},
    {103, "MSSTDFMT.DLL"},
};
} // namespace

QString systemFolderFrom(const QString& windir) {
    if (windir.isEmpty()) {
        return {};
    }
    const QDir system(QDir(windir).filePath(QStringLiteral("System32")));
    return system.exists() ? system.path() + '/' : QString();
}

Start::Start() : Form(QString::fromLatin1(Name)) {
    setWindowFlag(Qt::SplashScreen);
    setClientSize(6000, 3600);
    // clang-format off
    platform::layOut(*this, {
        {Picture1, "Picture1", {0, 0, 6000, 3600},      {.picture = ":/images/splash.png"}},
        {Label1,   "Label1",   {4200, 3000, 1600, 300}, {.align = platform::Alignment::Right}},
    });
    // clang-format on
    Timer1 = new platform::Timer(this, "Timer1");
    Timer1->Tick = [this] { Timer1_Timer(); };
}

void Start::Form_Load() {
    const platform::ProgramVersion v = platform::programVersion();
    const QString version = QStringLiteral("%1.%2.%3").arg(v.major).arg(v.minor).arg(v.revision);
    Public().WindowTitle = QStringLiteral("TAVO_K36_Editor V") + version;
    platform::setDefaultMessageTitle(Public().WindowTitle);
    setCaption(Public().WindowTitle);
    Label1->setCaption(QStringLiteral("V") + version);

    const QString systemFolder = systemFolderFrom(platform::environmentVariable("windir"));
    if (!systemFolder.isEmpty()) {
        InstallRuntimeControls(systemFolder);
    }

    Timer1->setInterval(3000);
    Timer1->setEnabled(true);
}

void Start::InstallRuntimeControls(const QString& systemFolder) {
    for (const RuntimeFile& file : RuntimeFiles) {
        const QString path = systemFolder + QString::fromLatin1(file.fileName);
        if (!platform::firstFileIn(systemFolder, QString::fromLatin1(file.fileName)).isEmpty()) {
            continue;
        }
        const QByteArray bytes = platform::resourceBytes(
            QStringLiteral(":/runtime/%1/%2").arg(file.resource).arg(file.fileName));
        // A file that could not be written is not registered: registering a
        // missing file would only fail later and out of sight.
        if (platform::writeNewFile(path, bytes)) {
            platform::desktop().startDetached(QStringLiteral("regsvr32"),
                                              {path, QStringLiteral("/s")});
        }
    }
}

void Start::Timer1_Timer() {
    platform::window<Form0>().Show();
    platform::unload(*this);
}

} // namespace shell
