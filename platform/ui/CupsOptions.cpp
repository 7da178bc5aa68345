#include "platform/ui/CupsOptions.h"

#include <QPrintEngine>
#include <QPrinter>
#include <QStringList>

namespace {

// Qt's own key for the options of its CUPS print engine: a list of names and values in turn.
const auto CupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QStringList OptionsOf(const QPrinter& printer) {
    return printer.printEngine()->property(CupsOptionsKey).toStringList();
}

// Index of name's entry in options, or -1.
qsizetype Find(const QStringList& options, const QString& name) {
    for (qsizetype i = 0; i + 1 < options.size(); i += 2)
        if (options[i] == name)
            return i;
    return -1;
}

} // namespace

QString CupsOption(const QPrinter& printer, const QString& name) {
    const QStringList options = OptionsOf(printer);
    const qsizetype i = Find(options, name);
    return i < 0 ? QString() : options[i + 1];
}

void SetCupsOption(QPrinter& printer, const QString& name, const QString& value) {
    QStringList options = OptionsOf(printer);
    const qsizetype i = Find(options, name);
    if (i < 0)
        options << name << value;
    else
        options[i + 1] = value;
    printer.printEngine()->setProperty(CupsOptionsKey, options);
}

void RemoveCupsOption(QPrinter& printer, const QString& name) {
    QStringList options = OptionsOf(printer);
    const qsizetype i = Find(options, name);
    if (i < 0)
        return;
    options.remove(i, 2);
    printer.printEngine()->setProperty(CupsOptionsKey, options);
}
