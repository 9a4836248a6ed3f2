#pragma once

#include "stores/AdvancedStores.h"

#include <QString>
#include <QtGlobal>

namespace common {

// The program-wide state that every window shares. It lives for the whole
// run; nothing of it is kept between runs.
struct PublicState {
    // The fixture's DMX channel count, 1 to 512; 0 while unset.
    qint16 ChannelCount = 0;
    bool DataChanged = false;
    bool ResetInProgress = false;
    bool SkipColorMixCheck = false;
    QString WindowTitle;
    QString EditingFileLabel;
    // The range, palette and macro stores and their work tables.
    stores::AdvancedStores Stores;
};

PublicState& Public();
// Back to the state of a program that has just started (tests).
void resetPublic();

// The program's name in the per-user settings store, where the last save folder is kept.
inline const QString SettingsApplication = QStringLiteral("TavoK36Edit");

// The maker's web address that the link labels open.
inline const QString MakerWebAddress = QStringLiteral("https://k36-editor.example.org/");

} // namespace common
