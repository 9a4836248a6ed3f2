#pragma once

#include "channels/ChannelRow.h"

#include <QString>

// Everything the fixture file is made of apart from the advanced stores, taken at the moment
// of saving. Texts are as the user typed them; the writer changes none of them.
struct FixtureSnapshot {
    QString makerName;
    QString deviceName;
    QString channelCountText; // the channel-count box as typed
    QString minDmx;
    QString maxDmx;
    QString divBy;
    QString maxPan;
    QString maxTilt;
    bool conventional = false;
    int movingLightType = -1; // list position: -1 nothing chosen, 0 mirror, 1 moving head

    int channelCount = 0;
    ChannelRows rows; // grid rows 1.. in grid order; the first channelCount are written

    QString fileTitle; // file name and extension, without the folder
    int versionMajor = 0;
    int versionMinor = 0;
    int versionRevision = 0;
    QString dateTimeText; // see DateTimeText()
};
