#include "platform/StderrDialogs.h"

#include <cstdio>

void PrintError(const QString& prefix, const QString& text) {
    const QString line = prefix.isEmpty() ? text : prefix + QStringLiteral(": ") + text;
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
}

MessageResult StderrDialogs::Message(const QString& text, MessageKind, MessageButtons buttons) {
    PrintError(prefix_, text);
    return DefaultAnswer(buttons);
}
