#pragma once

#include <QChar>
#include <QString>

namespace kestrune::entry {

// True when the text holds at least one of "0"-"9", "A"-"Z", "a"-"z". Only
// these ASCII characters count: Chinese and full-width characters, blanks and
// punctuation do not, so a filler name written in full-width letters passes.
bool HasLatinOrDigit(const QString& text);

// The contact phone's only format test, since its box takes nothing but
// digits and "-" from the keyboard: with "-" it must be 11 to 13 characters
// (area code and number), without it 7, 8, 11 or 12. The text is judged as
// entered, blanks included.
bool HasValidPhoneLength(const QString& phone);

// Key rules of the cover's text boxes, judged on the character a key types
// (Backspace types U+0008). Keys that type nothing, such as the arrows and
// Delete, never reach them.

// Every text box refuses the single quote, double quote and backquote, which
// would break the statements that carry the texts.
bool TextBoxRefusesCharacter(QChar typed);
// The filler box (c905) swallows the full stop, the digits and the Latin
// letters, because the filler's name must be written in Chinese characters.
bool FillerBoxSwallowsCharacter(QChar typed);
// The phone box (c906) accepts only the digits, "-" and Backspace.
bool PhoneBoxAcceptsCharacter(QChar typed);

} // namespace kestrune::entry
