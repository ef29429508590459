#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The one place where text changes between memory (QString) and file bytes.
//
// Files the program writes for the user (pages, report, test files) are single-byte Windows-1252 with
// CR LF line ends; a character outside Windows-1252 becomes "?". The settings file is UTF-8, read back
// as UTF-8 or, when the bytes are not valid UTF-8, as Windows-1252.
namespace platform {

inline constexpr char kCrLf[] = "\r\n";

// Whether Windows-1252 has a byte for the character.
bool IsWindows1252Character(char32_t codePoint);

// Windows-1252 bytes of a text; characters the code page cannot hold become '?'.
QByteArray ToWindows1252(const QString& text);

// Whether every character of the text has a Windows-1252 byte.
bool FitsWindows1252(const QString& text);

// The bytes of a text file that loses no character: Windows-1252 when the code page holds every
// character of the text, otherwise UTF-8 after a byte order mark, so editors read it as UTF-8.
QByteArray ToWindows1252OrUtf8(const QString& text);

// The text written in Latin letters alone, as far as they go: every script transliterated to Latin
// and the Latin letters' marks dropped: "Über uns" gives "Uber uns", "Контакты" "Kontakty", "製品"
// "zhi pin". Characters without a Latin form stay as they are.
QString LatinLetters(const QString& text);

// Text of Windows-1252 bytes. The five bytes the code page leaves undefined map to the control
// characters of the same value, so every byte sequence decodes and encodes back unchanged.
QString FromWindows1252(const QByteArray& bytes);

QByteArray ToUtf8(const QString& text);

// UTF-8 when the bytes are valid UTF-8, otherwise Windows-1252.
QString DecodeUtf8OrWindows1252(const QByteArray& bytes);

// The text of a plain text file the user gives the program: UTF-16 when it starts with either
// UTF-16 byte order mark, otherwise UTF-8 (a byte order mark dropped) or, when the bytes are not
// valid UTF-8, Windows-1252. Nothing, with the reason in `problem`, for a file that is neither: NUL
// bytes without a UTF-16 byte order mark, UTF-16 that does not decode, or a NUL character.
std::optional<QString> DecodeTextFile(const QByteArray& bytes, QString* problem = nullptr);

// Lines joined with CR LF, each line ended by CR LF (the empty list gives no bytes).
QString JoinCrLfLines(const QStringList& lines);

// Splits text into lines at CR LF, LF or a lone CR; a final line end does not start an extra line.
QStringList SplitLines(const QString& text);

}  // namespace platform
