#include "RunnerText.h"

namespace runner {

QStringList splitWords(const QString& text, QString& error) {
    QStringList words;
    QString current;
    bool quoted = false;
    bool inWord = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (quoted) {
            if (ch == '\\' && i + 1 < text.size()) {
                const QChar e = text[++i];
                current += e == 'r'   ? QChar('\r')
                           : e == 'n' ? QChar('\n')
                           : e == 't' ? QChar('\t')
                                      : e;
            } else if (ch == '"') {
                quoted = false;
            } else {
                current += ch;
            }
        } else if (ch == '"') {
            quoted = true;
            inWord = true;
        } else if (ch.isSpace()) {
            if (inWord) {
                words << current;
                current.clear();
                inWord = false;
            }
        } else {
            current += ch;
            inWord = true;
        }
    }
    if (quoted) {
        error = QStringLiteral("unclosed quote");
    }
    if (inWord) {
        words << current;
    }
    return words;
}

QString quoted(const QString& text) {
    QString shown = text;
    shown.replace("\r", "\\r").replace("\n", "\\n").replace("\t", "\\t");
    return '"' + shown + '"';
}

QString scriptWord(const QString& text) {
    QString word = text;
    word.replace("\\", "\\\\").replace("\"", "\\\"");
    return quoted(word);
}

QString describe(const QColor& color) {
    return QStringLiteral("%1 %2 %3").arg(color.red()).arg(color.green()).arg(color.blue());
}

} // namespace runner
