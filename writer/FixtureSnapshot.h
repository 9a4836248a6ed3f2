#pragma once

#include "basicinfo/FixtureInfo.h"
#include "channels/ChannelRow.h"

#include <QString>

namespace writer {

// Everything the fixture file is made of apart from the advanced stores, taken at the moment
// of saving. Texts are as the user typed them; the writer changes none of them.
struct FixtureSnapshot {
    basicinfo::FixtureInfo info;

    int channelCount = 0;
    channels::ChannelRows rows; // grid rows 1.. in grid order; the first channelCount are written

    QString fileTitle; // file name and extension, without the folder
    int versionMajor = 0;
    int versionMinor = 0;
    int versionRevision = 0;
    QString dateTimeText; // see DateTimeText()
};

} // namespace writer
