#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

namespace randomactions {

// What must hold whatever the user did: checked after every action of a random run. Each check
// returns what it found wrong, nothing when all holds.
class Invariants {
public:
    // The program as the last action left it.
    QStringList check();

    // A file the program reported saved: it exists, every line ends in CR LF, no quoted field
    // is broken and it holds one block per record of every store whose section the stores call
    // for.
    static QStringList savedFile(const QString& path);

private:
    static QStringList channelPage();
    static QStringList finePartPairs();
    static QStringList rangeTables();
    static QStringList listsAndStores();
    // A caption of the advanced page that changed must name its store's count.
    QStringList editorCaptions();

    std::array<QString, 3> captions_;
};

} // namespace randomactions
