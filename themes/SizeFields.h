#pragma once

// The two size fields of the preferences window: the height and the width of a new output size,
// kept at height : width = 3 : 2 while the user types, each taking at most four typed digits.

#include <QChar>
#include <QString>
#include <optional>

enum class SizeField { Height, Width };

inline constexpr QChar BackspaceKey = QChar(8);
inline constexpr int SizeFieldDigits = 4;

// The partner's value for a field's text (0 for empty text), with truncating integer division:
// a height h gives the width h * 2 / 3, a width w the height w * 3 / 2. Throws ConversionError
// when the text is no number.
[[nodiscard]] int CoupledValue(SizeField field, const QString& text);

struct SizeKeyOutcome {
    bool LetThrough = false;          // the field inserts the key itself (at its caret)
    std::optional<QString> FieldText; // the field's new text, when the handler sets it
    std::optional<QString> Partner;   // the partner's new text
};

// One typed character in a field of text: a digit is let through while the field holds fewer than
// four characters, coupling the partner to the text with the digit appended; Backspace removes the
// last character whatever the caret position and couples the partner to the rest; every other
// character is discarded.
[[nodiscard]] SizeKeyOutcome SizeFieldKey(SizeField field, const QString& text, QChar key);
