#pragma once

#include <QString>

#include <optional>

class Clipboard;

// The spoken form of a chat line for a Japanese text-to-speech program that
// reads the clipboard: digits and the capital vowels of the callsign become
// their English names in hiragana, "-L" and "-R" become spoken suffixes, and
// "。" joins the callsign to the message.
namespace CallsignSpeech {

// Callsigns longer than this (counted before the suffix is cut) are not
// spoken.
constexpr int maxCallsignLength = 10;

// The text for the clipboard, or nothing when the line has no ">" or its
// callsign part is too long.
std::optional<QString> spokenForm(const QString &chatLine);

// Puts the spoken form on the clipboard; in every failure case the clipboard
// keeps its old content and nothing is reported.
void copySpokenForm(const QString &chatLine, Clipboard &clipboard);

} // namespace CallsignSpeech
