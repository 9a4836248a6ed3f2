#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

// The scenario runner's words: reading a line and showing a value in a failure.
namespace runner {

// Splits a line into words: blanks separate, double quotes keep blanks, and a few escapes (\r,
// \n, \t, \", \\) stand for what a line cannot hold. error is set for an unclosed quote.
QStringList splitWords(const QString& text, QString& error);

// A text in double quotes with its line breaks and tabs made visible.
QString quoted(const QString& text);

// A text as one word of a scenario line that splitWords reads back as it was.
QString scriptWord(const QString& text);

// "r g b"
QString describe(const QColor& color);

} // namespace runner
