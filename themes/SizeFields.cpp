#include "themes/SizeFields.h"

#include "platform/TextLines.h"

int CoupledValue(SizeField field, const QString& text) {
    const int value = text.isEmpty() ? 0 : ParseInt(text);
    return field == SizeField::Height ? value * 2 / 3 : value * 3 / 2;
}

SizeKeyOutcome SizeFieldKey(SizeField field, const QString& text, QChar key) {
    SizeKeyOutcome outcome;
    if (key == BackspaceKey) {
        const QString rest = text.chopped(text.isEmpty() ? 0 : 1);
        outcome.FieldText = rest;
        outcome.Partner = QString::number(CoupledValue(field, rest));
    } else if (text.size() < SizeFieldDigits && key.isDigit() && key.unicode() < 128) {
        outcome.Partner = QString::number(CoupledValue(field, text + key));
        outcome.LetThrough = true;
    }
    return outcome;
}
